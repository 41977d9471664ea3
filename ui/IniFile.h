#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace navoro {

// A small INI file: "[Section]" lines and "Key=Value" lines below them.
//
// Reading rules (those of the language and settings files):
// - section and key names are compared without regard to case;
// - a value is the text after the first "=", without the blanks (spaces, tabs)
//   around it and without one pair of enclosing quotes ("..." or '...');
// - lines without "=", lines starting with ";" and keys before the first
//   section are ignored; of repeated keys the first one counts;
// - lines end at LF, a CR before it is dropped.
// The text is kept as bytes: values come back in the file's own encoding.
class IniFile {
  public:
    // Files are read up to this size; the rest is ignored.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    // Reads a file; nothing when it cannot be opened or read (errno-based text
    // in `error` when given).
    static std::optional<IniFile> Load(const std::string& path, std::string* error = nullptr);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Sets a value, keeping every other line as it was: replaces the key's
    // first line in the section, or adds the key at the end of the section, or
    // adds the section at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The text with LF line ends.
    std::string Text() const;

  private:
    struct Line {
        std::string raw;
        std::string section;  // the section this line belongs to (or names)
        bool isSection = false;
    };
    // Index of the first line of `key` in `section`, or -1.
    long FindKey(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
};

// Compares ASCII names without regard to case.
bool SameName(std::string_view a, std::string_view b);

}  // namespace navoro
