#include "tools/sim/AisPayload.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/sim/SentenceText.h"

namespace navoro::sim {

void AisBitWriter::Unsigned(std::uint64_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i)
        bits_.push_back(static_cast<std::uint8_t>((value >> i) & 1U));
}

void AisBitWriter::Signed(std::int64_t value, int bits) {
    Unsigned(static_cast<std::uint64_t>(value), bits);  // two's complement, cut to `bits`
}

void AisBitWriter::Text(std::string_view text, int chars) {
    for (int i = 0; i < chars; ++i) {
        char c = i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : '@';
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 0x20 || c > 0x5F) c = '?';
        // '@'..'_' are 0-31, ' '..'?' are 32-63.
        Unsigned(static_cast<std::uint64_t>(c >= 0x40 ? c - 0x40 : c), 6);
    }
}

AisPayload AisPayload::From(const AisBitWriter& writer) {
    AisPayload out;
    const std::size_t count = writer.bits_.size();
    out.FillBits = static_cast<int>((6 - count % 6) % 6);
    for (std::size_t start = 0; start < count; start += 6) {
        unsigned value = 0;
        for (std::size_t k = 0; k < 6; ++k) {
            const std::size_t i = start + k;
            value = (value << 1) | (i < count ? writer.bits_[i] : 0U);
        }
        out.Payload += static_cast<char>(value < 40 ? value + 48 : value + 56);
    }
    return out;
}

namespace {

std::uint64_t Sog(double knots) {
    if (knots < 0) return 1023;
    const long tenths = std::lround(knots * 10);
    return static_cast<std::uint64_t>(tenths > 1022 ? 1022 : tenths);
}

std::uint64_t Cog(double degrees) {
    if (degrees < 0) return 3600;
    return static_cast<std::uint64_t>(std::lround(degrees * 10) % 3600);
}

// Degrees as 1/10000 minute; the not-available values 91 and 181 stay as they are.
std::int64_t Angle(double degrees) {
    return static_cast<std::int64_t>(std::llround(degrees * 600000.0));
}

// A SOTDMA communication state: synchronised to UTC, slot time-out 2 and a slot number.
std::uint64_t RadioStatus(std::uint32_t mmsi) {
    return (0ULL << 17) | (2ULL << 14) | (mmsi % 2250);  // time-out 2: slot number
}

// Speed, accuracy, position, course, heading and time stamp: the block that
// Class A and Class B position reports share.
void Movement(AisBitWriter& w, double sog, bool accurate, double lat, double lon, double cog,
              int heading, int second) {
    w.Unsigned(Sog(sog), 10);
    w.Unsigned(accurate ? 1 : 0, 1);
    w.Signed(Angle(lon), 28);
    w.Signed(Angle(lat), 27);
    w.Unsigned(Cog(cog), 12);
    w.Unsigned(static_cast<std::uint64_t>(heading), 9);
    w.Unsigned(static_cast<std::uint64_t>(second), 6);
}

}  // namespace

AisPayload EncodePositionReport(const PositionReport& r) {
    AisBitWriter w;
    w.Unsigned(static_cast<std::uint64_t>(r.Type), 6);
    w.Unsigned(0, 2);  // repeat indicator
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(static_cast<std::uint64_t>(r.NavStatus), 4);
    w.Signed(r.RateOfTurn, 8);
    Movement(w, r.SogKnots, r.Accurate, r.Lat, r.Lon, r.Cog, r.Heading, r.Second);
    w.Unsigned(0, 2);  // manoeuvre indicator
    w.Unsigned(0, 3);  // spare
    w.Unsigned(0, 1);  // RAIM
    w.Unsigned(RadioStatus(r.Mmsi), 19);
    return AisPayload::From(w);
}

AisPayload EncodeBaseStationReport(const BaseStationReport& r) {
    AisBitWriter w;
    w.Unsigned(4, 6);
    w.Unsigned(0, 2);
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(static_cast<std::uint64_t>(r.Year), 14);
    w.Unsigned(static_cast<std::uint64_t>(r.Month), 4);
    w.Unsigned(static_cast<std::uint64_t>(r.Day), 5);
    w.Unsigned(static_cast<std::uint64_t>(r.Hour), 5);
    w.Unsigned(static_cast<std::uint64_t>(r.Minute), 6);
    w.Unsigned(static_cast<std::uint64_t>(r.Second), 6);
    w.Unsigned(1, 1);  // position accuracy
    w.Signed(Angle(r.Lon), 28);
    w.Signed(Angle(r.Lat), 27);
    w.Unsigned(7, 4);   // EPFD: surveyed
    w.Unsigned(0, 10);  // spare
    w.Unsigned(0, 1);   // RAIM
    w.Unsigned(RadioStatus(r.Mmsi), 19);
    return AisPayload::From(w);
}

AisPayload EncodeStaticVoyageData(const StaticVoyageData& d) {
    AisBitWriter w;
    w.Unsigned(5, 6);
    w.Unsigned(0, 2);
    w.Unsigned(d.Mmsi, 30);
    w.Unsigned(0, 2);  // AIS version
    w.Unsigned(d.Imo, 30);
    w.Text(d.CallSign, 7);
    w.Text(d.Name, 20);
    w.Unsigned(static_cast<std::uint64_t>(d.ShipType), 8);
    w.Unsigned(static_cast<std::uint64_t>(d.A), 9);
    w.Unsigned(static_cast<std::uint64_t>(d.B), 9);
    w.Unsigned(static_cast<std::uint64_t>(d.C), 6);
    w.Unsigned(static_cast<std::uint64_t>(d.D), 6);
    w.Unsigned(1, 4);  // EPFD: GPS
    w.Unsigned(static_cast<std::uint64_t>(d.EtaMonth), 4);
    w.Unsigned(static_cast<std::uint64_t>(d.EtaDay), 5);
    w.Unsigned(static_cast<std::uint64_t>(d.EtaHour), 5);
    w.Unsigned(static_cast<std::uint64_t>(d.EtaMinute), 6);
    w.Unsigned(static_cast<std::uint64_t>(d.DraughtTenths), 8);
    w.Text(d.Destination, 20);
    w.Unsigned(static_cast<std::uint64_t>(d.Dte), 1);
    w.Unsigned(0, 1);  // spare
    return AisPayload::From(w);
}

AisPayload EncodeClassBPositionReport(const ClassBPositionReport& r) {
    AisBitWriter w;
    w.Unsigned(18, 6);
    w.Unsigned(0, 2);
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(0, 8);  // reserved
    Movement(w, r.SogKnots, true, r.Lat, r.Lon, r.Cog, r.Heading, r.Second);
    w.Unsigned(0, 2);   // reserved
    w.Unsigned(1, 1);   // carrier-sense unit
    w.Unsigned(0, 1);   // no display
    w.Unsigned(1, 1);   // DSC
    w.Unsigned(1, 1);   // whole band
    w.Unsigned(1, 1);   // accepts message 22
    w.Unsigned(0, 1);   // autonomous mode
    w.Unsigned(0, 1);   // RAIM
    w.Unsigned(1, 1);   // ITDMA communication state follows
    w.Unsigned(0, 19);  // communication state
    return AisPayload::From(w);
}

AisPayload EncodeClassBStaticPartA(const ClassBStaticData& d) {
    AisBitWriter w;
    w.Unsigned(24, 6);
    w.Unsigned(0, 2);
    w.Unsigned(d.Mmsi, 30);
    w.Unsigned(0, 2);  // part A
    w.Text(d.Name, 20);
    w.Unsigned(0, 8);  // spare up to a whole sentence of 168 bits
    return AisPayload::From(w);
}

AisPayload EncodeClassBStaticPartB(const ClassBStaticData& d) {
    AisBitWriter w;
    w.Unsigned(24, 6);
    w.Unsigned(0, 2);
    w.Unsigned(d.Mmsi, 30);
    w.Unsigned(1, 2);  // part B
    w.Unsigned(static_cast<std::uint64_t>(d.ShipType), 8);
    w.Text(d.VendorId, 7);
    w.Text(d.CallSign, 7);
    w.Unsigned(static_cast<std::uint64_t>(d.A), 9);
    w.Unsigned(static_cast<std::uint64_t>(d.B), 9);
    w.Unsigned(static_cast<std::uint64_t>(d.C), 6);
    w.Unsigned(static_cast<std::uint64_t>(d.D), 6);
    w.Unsigned(1, 4);  // EPFD: GPS
    w.Unsigned(0, 2);  // spare
    return AisPayload::From(w);
}

AisPayload EncodeSarAircraftReport(const SarAircraftReport& r) {
    AisBitWriter w;
    w.Unsigned(9, 6);
    w.Unsigned(0, 2);
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(static_cast<std::uint64_t>(std::clamp(r.Altitude, 0, 4095)), 12);
    const long knots = r.SogKnots < 0 ? 1023 : std::min(std::lround(r.SogKnots), 1022L);
    w.Unsigned(static_cast<std::uint64_t>(knots), 10);
    w.Unsigned(1, 1);  // position accuracy
    w.Signed(Angle(r.Lon), 28);
    w.Signed(Angle(r.Lat), 27);
    w.Unsigned(Cog(r.Cog), 12);
    w.Unsigned(static_cast<std::uint64_t>(r.Second), 6);
    w.Unsigned(0, 8);  // altitude sensor and reserved
    w.Unsigned(0, 1);  // DTE ready
    w.Unsigned(0, 3);  // spare
    w.Unsigned(0, 1);  // autonomous mode
    w.Unsigned(0, 1);  // RAIM
    w.Unsigned(0, 1);  // SOTDMA communication state follows
    w.Unsigned(RadioStatus(r.Mmsi), 19);
    return AisPayload::From(w);
}

AisPayload EncodeAidToNavigationReport(const AidToNavigationReport& r) {
    constexpr std::size_t kNameChars = 20;
    constexpr std::size_t kExtensionChars = 14;
    const std::string_view name = r.Name;
    const std::string_view extension =
        name.size() > kNameChars ? name.substr(kNameChars, kExtensionChars) : std::string_view();
    AisBitWriter w;
    w.Unsigned(21, 6);
    w.Unsigned(0, 2);
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(static_cast<std::uint64_t>(r.AidType), 5);
    w.Text(name.substr(0, std::min(name.size(), kNameChars)), static_cast<int>(kNameChars));
    w.Unsigned(1, 1);  // position accuracy
    w.Signed(Angle(r.Lon), 28);
    w.Signed(Angle(r.Lat), 27);
    w.Unsigned(static_cast<std::uint64_t>(r.A), 9);
    w.Unsigned(static_cast<std::uint64_t>(r.B), 9);
    w.Unsigned(static_cast<std::uint64_t>(r.C), 6);
    w.Unsigned(static_cast<std::uint64_t>(r.D), 6);
    w.Unsigned(7, 4);  // EPFD: surveyed
    w.Unsigned(static_cast<std::uint64_t>(r.Second), 6);
    w.Unsigned(r.OffPosition ? 1 : 0, 1);
    w.Unsigned(0, 8);  // AtoN status
    w.Unsigned(0, 1);  // RAIM
    w.Unsigned(r.Virtual ? 1 : 0, 1);
    w.Unsigned(0, 1);  // autonomous mode
    w.Unsigned(0, 1);  // spare
    w.Text(extension, static_cast<int>(extension.size()));
    w.Unsigned(0, std::clamp(r.ExtraBits, 0, 5));
    return AisPayload::From(w);
}

AisPayload EncodeLongRangeReport(const LongRangeReport& r) {
    // Tenths of a minute; 181 and 91 degrees are the not-available values.
    auto tenths = [](double degrees) {
        return static_cast<std::int64_t>(std::llround(degrees * 600.0));
    };
    AisBitWriter w;
    w.Unsigned(27, 6);
    w.Unsigned(3, 2);  // repeat indicator: do not repeat
    w.Unsigned(r.Mmsi, 30);
    w.Unsigned(r.Accurate ? 1 : 0, 1);
    w.Unsigned(r.Raim ? 1 : 0, 1);
    w.Unsigned(static_cast<std::uint64_t>(r.NavStatus), 4);
    w.Signed(tenths(r.Lon), 18);
    w.Signed(tenths(r.Lat), 17);
    w.Unsigned(
        r.SogKnots < 0 ? 63 : static_cast<std::uint64_t>(std::min(std::lround(r.SogKnots), 62L)),
        6);
    w.Unsigned(r.Cog < 0 ? 511 : static_cast<std::uint64_t>(std::lround(r.Cog) % 360), 9);
    w.Unsigned(r.NotCurrentPosition ? 1 : 0, 1);
    w.Unsigned(0, 1);  // spare
    return AisPayload::From(w);
}

std::vector<std::string> Encapsulate(std::string_view formatter, char channel,
                                     const AisPayload& payload, int sequence_id) {
    std::vector<std::string> lines;
    const std::size_t length = payload.Payload.size();
    const std::size_t total =
        length == 0 ? 1 : (length + kPayloadPerSentence - 1) / kPayloadPerSentence;
    char sequence[4] = "";
    if (total > 1) std::snprintf(sequence, sizeof sequence, "%d", sequence_id % 10);
    for (std::size_t part = 0; part < total; ++part) {
        const std::string chunk =
            payload.Payload.substr(part * kPayloadPerSentence, kPayloadPerSentence);
        const bool last = part + 1 == total;
        char body[100];
        std::snprintf(body, sizeof body, "!AI%.3s,%zu,%zu,%s,%c,%s,%d",
                      std::string(formatter).c_str(), total, part + 1, sequence, channel,
                      chunk.c_str(), last ? payload.FillBits : 0);
        lines.push_back(Finish(body));
    }
    return lines;
}

}  // namespace navoro::sim
