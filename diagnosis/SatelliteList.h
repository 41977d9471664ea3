#pragma once

#include <cstdint>

#include "codec/Constellations.h"
#include "codec/GnssStore.h"

namespace navoro {

// Every satellite the GSV cycles of all talkers can report together.
inline constexpr int kSatelliteListCapacity = kConstellationCount * kGsvCycleCapacity;

// One satellite as the sky plot and the signal chart show it.
struct PublishedSatellite {
    SatelliteName Name;
    char Label[6] = {};  // "G05", "R65", "E11", ...
    int Azimuth = 0;
    int Elevation = 0;
    int Snr = 0;
    bool Used = false;  // listed by the latest GSA of its constellation
};

struct SatellitePublication {
    int Count = 0;
    PublishedSatellite Items[kSatelliteListCapacity];
};

// The satellites in view, taken from the codec's GSV cycles (one per talker).
// A talker's cycle is copied when its last sentence (number equal to the
// total) arrives, so a cycle being filled never shows half; the publication
// holds the copies of every talker in constellation order, with the in-use
// flags of the latest GSAs. A talker whose cycle the codec dropped (silent
// too long) drops out here too.
class SatelliteCycle {
  public:
    // Takes the GSV just filed in `gnss` from `talker`. True when a talker's
    // cycle was completed; then `published` holds every talker's satellites.
    bool TakeGsv(const GnssStore& gnss, const char* talker, SatellitePublication& published);

    // Forgets the copies of cycles the codec no longer holds (after
    // ExpireGsvCycles) and refreshes the in-use flags. True when a copy was
    // forgotten; then `published` is rebuilt.
    bool Refresh(const GnssStore& gnss, SatellitePublication& published);

    // The copy of one talker's last complete cycle.
    const GsvCycle& Complete(Constellation talker) const {
        return complete_[static_cast<int>(talker)];
    }

  private:
    void Publish(const GnssStore& gnss, SatellitePublication& published) const;

    GsvCycle complete_[kConstellationCount]{};
};

}  // namespace navoro
