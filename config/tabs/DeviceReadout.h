#pragma once

// What the transponder has told about its configuration: each tab's record
// as the replies and the information dump filled it, which values have come,
// and the device's identity (firmware, serial number). The window shows each
// change on its tab; navoro-config turns a complete read into a file; the
// report prints it.
//
//   readout.Clear();                                 // a read begins
//   TabChanges c = readout.TakeSentence(codec.Received);   // after each accepted sentence
//   TabChanges c = readout.TakeDeviceInfo(line);     // after each received line
//   c.Fields[TabIndex<VoyageTab>()]                  // what changed on VOYAGE

#include <array>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "config/ConfigSnapshot.h"
#include "config/tabs/TabRegistry.h"

namespace navoro {

// The values each tab received from one reply or line.
struct TabChanges {
    std::array<FieldSet, kTabCount> Fields{};
    bool Identity = false;  // the firmware or the serial number came
    bool Any() const;
};

// Who the device is, as its information dump says.
struct DeviceIdentity {
    std::string Firmware;      // at most 24 characters
    std::string SerialNumber;  // at most 15
    // Cleared only by ForgetIdentityFlags (the system check's reset), not by Clear.
    DeviceDataFlags Flags;
};

class DeviceReadout {
  public:
    DeviceReadout();

    // A read of every tab begins: every record, what came and the dump's end
    // are forgotten (the identity's flags stay).
    void Clear();
    // The tab is about to be read: forgets what came for it, and empties its
    // record when its list is emptied before a read.
    void ClearTab(std::size_t tab);
    void ForgetIdentityFlags() { identity_.Flags = {}; }

    // An accepted sentence (the codec's parsed record).
    TabChanges TakeSentence(const SentenceRecord& sentence);
    // A received line, for the information dump ("...\r\n" or without the line end).
    TabChanges TakeDeviceInfo(std::string_view line);

    template <typename Unit>
    const typename Unit::Record& Get() const {
        return std::get<TabIndex<Unit>()>(records_);
    }
    template <typename Unit>
    typename Unit::Record& Get() {
        return std::get<TabIndex<Unit>()>(records_);
    }
    FieldSet Received(std::size_t tab) const { return received_[tab]; }
    bool DumpEnded() const { return dumpEnded_; }
    const DeviceIdentity& Identity() const { return identity_; }

    // Every value a complete read of the tab brings has come.
    bool Complete(std::size_t tab) const;

    // The tabs whose reads are complete (the others named in `missing`).
    TabSettings Settings(std::vector<std::string>* missing = nullptr) const;

    // The configuration as the report prints it (values that did not come are 0).
    ConfigSnapshot Snapshot() const;

  private:
    ConfigTabs::PlainRecords records_;
    std::array<FieldSet, kTabCount> received_{};
    bool dumpEnded_ = false;
    DeviceIdentity identity_;
};

}  // namespace navoro
