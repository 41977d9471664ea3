#include "diagnosis/SatelliteList.h"

#include <algorithm>
#include <iterator>

namespace navoro {

namespace {

// GPS first, then GLONASS, Galileo, BeiDou, QZSS, NavIC, SBAS and satellites
// of no known talker (the GN talker's).
constexpr Constellation kOrder[] = {
    Constellation::Gps,  Constellation::Glonass, Constellation::Galileo, Constellation::BeiDou,
    Constellation::Qzss, Constellation::NavIc,   Constellation::Sbas,    Constellation::Unknown,
};
static_assert(std::size(kOrder) == kConstellationCount);

}  // namespace

bool SatelliteCycle::TakeGsv(const GnssStore& gnss, const char* talker,
                             SatellitePublication& published) {
    if (gnss.GsvMessageNumber != gnss.GsvTotalMessages) return false;
    const int c = static_cast<int>(ConstellationOfTalker(talker));
    complete_[c] = gnss.Cycles[c];
    Publish(gnss, published);
    return true;
}

bool SatelliteCycle::Refresh(const GnssStore& gnss, SatellitePublication& published) {
    bool dropped = false;
    for (int c = 0; c < kConstellationCount; ++c) {
        const GsvCycle& live = gnss.Cycles[c];
        GsvCycle& copy = complete_[c];
        if (live.SignalsSeen == 0 && live.Count == 0 && (copy.Count != 0 || copy.InView != 0)) {
            copy = GsvCycle{};
            dropped = true;
        }
    }
    if (dropped) Publish(gnss, published);
    return dropped;
}

void SatelliteCycle::Publish(const GnssStore& gnss, SatellitePublication& published) const {
    int n = 0;
    for (const Constellation talker : kOrder) {
        const GsvCycle& cycle = complete_[static_cast<int>(talker)];
        const int count = std::clamp<int>(cycle.Count, 0, kGsvCycleCapacity);
        for (int i = 0; i < count && n < kSatelliteListCapacity; ++i) {
            const GnssSatellite& s = cycle.Satellites[i];
            PublishedSatellite& p = published.Items[n++];
            p.Name = s.Name;
            SatelliteLabel(s.Name, p.Label);
            // Values not reported are shown as 0 (elevation, SNR) or north.
            p.Elevation = s.Elevation >= 0 && s.Elevation <= 90 ? s.Elevation : 0;
            p.Azimuth = s.Azimuth >= 0 && s.Azimuth <= 359 ? s.Azimuth : 0;
            p.Snr = s.Snr >= 0 && s.Snr <= 99 ? s.Snr : 0;
            p.Used = SatelliteInUse(gnss, s.Name);
        }
    }
    published.Count = n;
}

}  // namespace navoro
