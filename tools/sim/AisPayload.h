#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace navoro::sim {

// Builds AIS messages bit by bit, most significant bit first, and armours them
// into the six-bit payload characters of VDM and VDO sentences.
class AisBitWriter {
  public:
    void Unsigned(std::uint64_t value, int bits);
    void Signed(std::int64_t value, int bits);
    // `chars` six-bit characters; lower case is raised, characters outside the
    // six-bit set become '?', and the rest is padded with '@'.
    void Text(std::string_view text, int chars);
    int BitCount() const { return static_cast<int>(bits_.size()); }

  private:
    friend struct AisPayload;
    std::vector<std::uint8_t> bits_;
};

// An armoured payload and the number of fill bits added to its last character.
struct AisPayload {
    std::string Payload;
    int FillBits = 0;

    static AisPayload From(const AisBitWriter& writer);
};

// Message 1, 2 or 3: a Class A position report.
struct PositionReport {
    int Type = 1;
    std::uint32_t Mmsi = 0;
    int NavStatus = 15;
    int RateOfTurn = -128;  // the AIS ROT code; -128 not available
    double SogKnots = -1;   // below 0: not available
    bool Accurate = true;
    double Lat = 91;   // degrees, north positive; 91 not available
    double Lon = 181;  // degrees, east positive; 181 not available
    double Cog = -1;   // degrees; below 0: not available
    int Heading = 511;
    int Second = 60;  // UTC second of the fix; 60 not available
};
AisPayload EncodePositionReport(const PositionReport& report);

// Message 4: a base station report.
struct BaseStationReport {
    std::uint32_t Mmsi = 0;
    int Year = 0, Month = 0, Day = 0, Hour = 24, Minute = 60, Second = 60;
    double Lat = 91;
    double Lon = 181;
};
AisPayload EncodeBaseStationReport(const BaseStationReport& report);

// Message 5: a Class A station's static and voyage data (two sentences).
struct StaticVoyageData {
    std::uint32_t Mmsi = 0;
    std::uint32_t Imo = 0;
    std::string CallSign;
    std::string Name;
    int ShipType = 0;
    int A = 0, B = 0, C = 0, D = 0;
    int EtaMonth = 0, EtaDay = 0, EtaHour = 24, EtaMinute = 60;
    int DraughtTenths = 0;
    std::string Destination;
    int Dte = 0;
};
AisPayload EncodeStaticVoyageData(const StaticVoyageData& data);

// Message 18: a Class B position report.
struct ClassBPositionReport {
    std::uint32_t Mmsi = 0;
    double SogKnots = -1;
    double Lat = 91;
    double Lon = 181;
    double Cog = -1;
    int Heading = 511;
    int Second = 60;
};
AisPayload EncodeClassBPositionReport(const ClassBPositionReport& report);

// Message 24: a Class B static data report, part A (the name) or part B.
struct ClassBStaticData {
    std::uint32_t Mmsi = 0;
    std::string Name;
    int ShipType = 0;
    std::string VendorId;
    std::string CallSign;
    int A = 0, B = 0, C = 0, D = 0;
};
AisPayload EncodeClassBStaticPartA(const ClassBStaticData& data);
AisPayload EncodeClassBStaticPartB(const ClassBStaticData& data);

// Message 9: a search-and-rescue aircraft's position report.
struct SarAircraftReport {
    std::uint32_t Mmsi = 0;
    int Altitude = 4095;   // metres; 4095 not available
    double SogKnots = -1;  // whole knots; below 0: not available
    double Lat = 91;
    double Lon = 181;
    double Cog = -1;
    int Second = 60;
};
AisPayload EncodeSarAircraftReport(const SarAircraftReport& report);

// Message 21: an aid-to-navigation report. A name longer than 20 characters
// continues in the name extension (up to 14 more); `ExtraBits` zero bits
// follow it, as some aids send, so the message need not end on a whole byte.
struct AidToNavigationReport {
    std::uint32_t Mmsi = 0;
    int AidType = 0;
    std::string Name;
    double Lat = 91;
    double Lon = 181;
    int A = 0, B = 0, C = 0, D = 0;
    int Second = 60;
    bool OffPosition = false;
    bool Virtual = false;
    int ExtraBits = 0;  // 0-5
};
AisPayload EncodeAidToNavigationReport(const AidToNavigationReport& report);

// Message 27: a long-range broadcast, position in 1/10 minute, speed in whole
// knots and course in whole degrees.
struct LongRangeReport {
    std::uint32_t Mmsi = 0;
    bool Accurate = false;
    bool Raim = false;
    int NavStatus = 15;
    double Lat = 91;  // degrees; 91 not available
    double Lon = 181;
    double SogKnots = -1;             // below 0: not available
    double Cog = -1;                  // below 0: not available
    bool NotCurrentPosition = false;  // the GNSS position status bit
};
AisPayload EncodeLongRangeReport(const LongRangeReport& report);

// Wraps a payload in "!AI<formatter>" sentences ("VDM" or "VDO") of at most
// 82 characters each, CR LF included. A payload that needs more than one
// sentence carries `sequence_id` (0-9).
std::vector<std::string> Encapsulate(std::string_view formatter, char channel,
                                     const AisPayload& payload, int sequence_id);

// The most payload characters one sentence carries.
inline constexpr std::size_t kPayloadPerSentence = 60;

}  // namespace navoro::sim
