#pragma once

// Reading and writing the tabs' sections of a configuration file. A reader
// never throws: every value it cannot take (missing, of the wrong kind, out
// of the range of its kind) becomes a problem named by its key, and the key
// is left out of the record, so that the rules can still be checked on the
// values that were read. Keys nobody read are reported as unknown.

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace navoro {

using Json = nlohmann::ordered_json;

// A value or key the file cannot take, by its name ("voyage.draught",
// "mob[3].mmsi").
struct FormProblem {
    std::string Key;
    std::string Message;
};
using FormProblems = std::vector<FormProblem>;

// The name of `key` below `path`: "voyage" + "eta" -> "voyage.eta"; a key
// that is not a plain name is quoted: "baud.ports" + "-1" -> "baud.ports[\"-1\"]".
std::string KeyPath(const std::string& path, const std::string& key);

class JsonIn {
  public:
    // `value` may be null (a section that was not there) or not an object
    // (already reported by whoever read it).
    JsonIn(const Json* value, std::string path, FormProblems& problems);

    const std::string& Path() const { return path_; }
    std::string Name(const std::string& key) const { return KeyPath(path_, key); }
    bool Has(const char* key) const;
    const Json* Get(const char* key);  // marks the key read; nullptr when missing

    // Each reads `key` and marks it read. A missing key is a problem when
    // `required`; nothing comes back for a missing key or a problem.
    std::optional<long long> Whole(const char* key, bool required = true);
    // A number with at most one decimal, in tenths ("2.5" -> 25).
    std::optional<int> Tenths(const char* key, bool required = true);
    std::optional<std::string> Text(const char* key, bool required = true);
    std::optional<bool> Bool(const char* key, bool required = true);
    // One of the texts: its index.
    std::optional<int> Choice(const char* key, std::initializer_list<const char*> texts,
                              bool required = true);
    // A nested object; an empty reader when it is missing (a problem when
    // `required`) or not an object.
    JsonIn Object(const char* key, bool required = true);
    // A list of at most `maxItems`; nullptr (a problem) otherwise.
    const Json* List(const char* key, std::size_t maxItems, const char* what);

    // Every key of the object that was not read is "not a known key".
    void Finish();

    void Problem(const std::string& key, std::string message);
    // A problem of a value named by its whole path (a row of a list).
    void ProblemAt(std::string path, std::string message);
    FormProblems& Problems() { return *problems_; }

  private:
    const Json* value_;
    std::string path_;
    FormProblems* problems_;
    std::set<std::string> read_;
};

// The largest whole number a reader takes: anything beyond is a problem.
inline constexpr long long kJsonWholeMax = 2147483647LL;

}  // namespace navoro
