#pragma once

// ENCRYPTION: whether the transponder encrypts, and its key.
//
//   read:  the information dump's "[O] Encryption Mode=" and "[O] EncryptionKey="
//   write: $PLMO,C,DBG,701,3015,,,,,, (on) and $AICEK,1,1,,<MMSI>,<key as hexadecimal>,C,
//          or $PLMO,C,DBG,701,3016,,,,,, (off)

#include <string>

#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct EncryptionSettings {
    bool Enabled = false;
    std::string Code;  // up to 16 letters and digits

    bool operator==(const EncryptionSettings&) const = default;
};

struct EncryptionTab {
    static constexpr TabInfo kInfo{"encryption", "TabSheetEncryption", 0, 10, false, false};
    using Record = EncryptionSettings;

    enum Field : FieldSet { kEnabled = 1, kCode = 2 };
    static constexpr FieldSet kAll = kEnabled | kCode;
    static constexpr FieldSet kRequired = 0;
    static constexpr FieldSet kFromDump = kAll;

    static constexpr std::size_t kCodeMax = 16;

    static FieldSet TakeSentence(const SentenceRecord&, Record&) { return 0; }
    static FieldSet TakeDeviceInfo(const DeviceDataLine& line, Record& r);
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

}  // namespace navoro
