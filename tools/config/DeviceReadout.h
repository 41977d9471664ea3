#pragma once

// What the transponder answered to a configuration read, gathered into a
// configuration file: the replies the received-line dispatcher routes (from
// the codec's stores, read as the tabs' reply handlers read them) and the
// information dump (MMSI, IMO, firmware, serial number, device instance,
// encryption, inland mode and dimensions). A tab goes into the file only when
// every reply it needs has come.

#include <array>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "config/ConfigFile.h"
#include "link/SentenceDispatch.h"

namespace navoro {

class DeviceReadout {
  public:
    // Forgets everything gathered (the start of a read).
    void Clear();

    // A line the codec accepted and the dispatcher routed; acts on the store's
    // received flags and clears them, as the reply handlers do.
    void TakeReply(SentenceRoute route, Codec& codec);
    // A received line ("...\r\n"), for the information dump.
    void TakeDeviceData(const char* line);

    // The replies every tab but the destination and MOB lists needs have
    // come, and the MOB list has begun (it is queried last).
    bool SettledTabsComplete() const;
    bool MobListBegun() const { return mobReplies_ > 0; }
    // The information dump's last line has come.
    bool DumpEnded() const { return dumpEnded_; }

    // The file of the tabs whose replies all came (firmware and serial number
    // from the dump); the names of the tabs whose replies did not.
    ConfigFile File(std::vector<std::string>* missing = nullptr) const;

    // The MMSI the dump reported (0 before any dump).
    std::int32_t DumpMmsi() const { return mmsi_; }

  private:
    // The dump.
    bool dumpEnded_ = false, mmsiSeen_ = false, imoSeen_ = false;
    std::int32_t mmsi_ = 0, imo_ = 0;
    std::string firmware_, serialNumber_;
    bool inland_ = false, inlandSeen_ = false;
    std::array<std::string, 6> inlandTexts_;
    std::string deviceInstance_;
    bool encryptionOn_ = false;
    std::string encryptionKey_;
    // The replies.
    bool ssdInternal_ = false, ssdExternal_ = false;
    ShipDataInput ship_;
    bool voyageSeen_ = false;
    VoyageInput voyage_;
    bool cpaSeen_ = false;
    CpaInput cpa_;
    bool transceiverSeen_ = false;
    TransceiverInput transceiver_;
    std::array<bool, 8> baudSeen_{};
    BaudRateInput baud_;
    bool longRangeSeen_ = false;
    LongRangeSettings longRange_;
    DestinationInput destinations_;
    int mobReplies_ = 0;
    int mobEntries_ = 0;
    MobInput mob_;
};

}  // namespace navoro
