#include "diagnosis/SatelliteList.h"

#include <algorithm>

namespace navoro {

namespace {

bool UsedInFix(const GnssStore& gnss, int prn) {
    const int listed = std::min<int>(gnss.SatellitesUsed, 12);
    for (int i = 0; i < listed; ++i) {
        if (gnss.SatelliteIds[i] == prn) return true;
    }
    return false;
}

}  // namespace

bool SatelliteCycle::TakeGsv(const GnssStore& gnss, SatellitePublication& published) {
    const int total = gnss.GsvTotalMessages;
    const int number = gnss.GsvMessageNumber;
    const int blocks = std::min<int>(gnss.GsvBlockCount, 4);
    const bool newCycle = total != list_.LastTotal || number < list_.LastNumber || total == 1;
    if (newCycle) {
        Publish(gnss, published);
        list_.InView = gnss.SatellitesInView;
        list_.Count = 0;
    }
    for (int b = 0; b < blocks; ++b) {
        const int prn = gnss.GsvSatId[b];
        if (prn <= 0) continue;
        const int elevation = gnss.GsvElevation[b];
        const int azimuth = gnss.GsvAzimuth[b];
        const int snr = gnss.GsvSnr[b];
        if (!newCycle) {
            const auto end = list_.Prn + list_.Count;
            const auto found = std::find(list_.Prn, end, prn);
            if (found != end) {
                const auto i = found - list_.Prn;
                list_.Elevation[i] = static_cast<std::int8_t>(elevation);
                list_.Azimuth[i] = static_cast<std::int16_t>(azimuth);
                list_.Snr[i] = static_cast<std::int8_t>(snr);
                continue;
            }
        }
        Append(prn, elevation, azimuth, snr);
    }
    list_.LastTotal = static_cast<std::int8_t>(total);
    list_.LastNumber = static_cast<std::int8_t>(number);
    return newCycle;
}

void SatelliteCycle::Append(int prn, int elevation, int azimuth, int snr) {
    if (list_.Count >= kSatelliteListCapacity) return;
    const int i = list_.Count++;
    list_.Prn[i] = static_cast<std::int8_t>(prn);
    list_.Elevation[i] = static_cast<std::int8_t>(elevation);
    list_.Azimuth[i] = static_cast<std::int16_t>(azimuth);
    list_.Snr[i] = static_cast<std::int8_t>(snr);
}

void SatelliteCycle::Publish(const GnssStore& gnss, SatellitePublication& published) {
    const int count = std::clamp<int>(list_.Count, 0, kSatelliteListCapacity);
    published.Count = count;
    for (int i = 0; i < count; ++i) {
        if (list_.Snr[i] < 0) list_.Snr[i] = previous_.Snr[i];
        published.Items[i] = PublishedSatellite{list_.Prn[i], list_.Azimuth[i], list_.Elevation[i],
                                                list_.Snr[i], UsedInFix(gnss, list_.Prn[i])};
    }
    previous_ = list_;
}

}  // namespace navoro
