#pragma once

// The parts of a configuration tab unit. Each tab of the configuration page
// (SHIP DATA ... ENCRYPTION) is one Qt-free unit, a struct with:
//
//   kInfo                        its names, the queries that read it, its read's length
//   Record                       its settings; "not available" is an empty optional
//   Field bits, kRequired        the values a reply or the information dump carries;
//                                the ones a complete read must have brought
//   TakeSentence(sentence, r)    a reply the codec parsed -> the fields it set in r
//   TakeDeviceInfo(line, r)      an information-dump line -> the fields it set in r
//   Check(r)                     every broken rule (key, control, message)
//   Plan(r, context)             the sentences and pauses of the write
//   Write(r, json) / Read(in)    its section of a configuration file
//
// The registry (TabRegistry.h) lists the units in the order of the tabs; the
// window, navoro-config, the configuration file and the report iterate it.

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

#include "codec/SentenceRecord.h"
#include "config/DeviceData.h"
#include "config/ReadQueries.h"
#include "config/tabs/TabRules.h"

namespace navoro {

class JsonIn;
using Json = nlohmann::ordered_json;

// Which values of a record a reply set (one bit per value or group of values).
using FieldSet = std::uint64_t;

struct TabInfo {
    const char* Key;   // its section in a configuration file and its name on the command line
    const char* Page;  // the objectName of its page on the configuration page
    unsigned Queries;  // the queries that read it (ReadQueries.h)
    int ReadSteps;     // the waiting window's 100 ms steps while it is read
    // Its list is emptied before it is read (the replies bring only what is there).
    bool ClearedBeforeRead;
    // Writing it changes the connection (the port rates): it is written last.
    bool ChangesConnection;
    // After a write from the window it is read again.
    bool ReadBackAfterWrite = false;
};

// What a write needs besides the tab's own values.
struct WriteContext {
    // The MMSI the encryption key goes with.
    std::uint32_t Mmsi = 0;
};

// The reply's mode letter that carries the transponder's own values.
inline constexpr char kReplyMode = 'R';

// A text member of a parsed record as a string, never past its member.
template <std::size_t N>
std::string RecordText(const char (&text)[N]) {
    std::size_t n = 0;
    while (n < N && text[n] != '\0')
        ++n;
    return std::string(text, n);
}

// True when the sentence is `formatter`.
bool IsFormatter(const SentenceRecord& sentence, const char* formatter);

// A value when it is within `max` (0 upwards), nothing otherwise.
inline std::optional<int> Within(long value, long max) {
    if (value < 0 || value > max) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace navoro
