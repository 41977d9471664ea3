#pragma once

#include <cstdint>

#include "codec/GnssStore.h"

namespace navoro {

inline constexpr int kSatelliteListCapacity = 24;

// The satellites of one GSV cycle, in the order they were first reported.
struct SatelliteList {
    std::uint8_t InView;     // as the cycle's first GSV reported it
    std::int8_t LastTotal;   // sentence total of the last GSV handled
    std::int8_t LastNumber;  // sentence number of the last GSV handled
    std::int8_t Count;       // 0 to kSatelliteListCapacity
    std::int8_t Prn[kSatelliteListCapacity];
    std::int8_t Elevation[kSatelliteListCapacity];  // degrees
    std::int16_t Azimuth[kSatelliteListCapacity];   // degrees
    std::int8_t Snr[kSatelliteListCapacity];        // dB-Hz; negative when not reported
};

// One satellite as the sky plot and the signal chart show it.
struct PublishedSatellite {
    int Prn = 0;
    int Azimuth = 0;
    int Elevation = 0;
    int Snr = 0;
    bool Used = false;  // among the satellites of the last GSA's fix
};

struct SatellitePublication {
    int Count = 0;
    PublishedSatellite Items[kSatelliteListCapacity];
};

// Collects the satellites of the GSV sentences cycle by cycle. A GSV starts a
// new cycle when its total differs from the last one's, its number is below
// the last one's, or its total is 1; the cycle collected so far is then
// published (so a cycle is shown when the next one begins). Within a cycle a
// satellite reported again overwrites its entry; beyond 24 satellites the
// extra ones are dropped.
class SatelliteCycle {
  public:
    // Takes the GSV just filed in `gnss`. True when it began a new cycle; then
    // `published` holds the previous cycle's satellites.
    bool TakeGsv(const GnssStore& gnss, SatellitePublication& published);

    const SatelliteList& List() const { return list_; }
    const SatelliteList& Previous() const { return previous_; }

  private:
    // A missing SNR takes the SNR at the same index of the previous
    // publication (in the list itself); the list then becomes the previous one.
    void Publish(const GnssStore& gnss, SatellitePublication& published);
    void Append(int prn, int elevation, int azimuth, int snr);

    SatelliteList list_{};
    SatelliteList previous_{};
};

}  // namespace navoro
