#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "tests/support/Sentence.h"

namespace navoro::test {

// Six-bit armoured AIS payloads, built field by field (most significant bit
// first): the payload text and its fill bits.
class PayloadWriter {
  public:
    PayloadWriter& Field(int width, std::int64_t value) {
        for (int i = width - 1; i >= 0; --i)
            bits_.push_back((value >> i) & 1);
        return *this;
    }
    std::string Payload(int* fillBits) const {
        std::string payload;
        for (std::size_t start = 0; start < bits_.size(); start += 6) {
            int value = 0;
            for (std::size_t i = start; i < start + 6; ++i)
                value = value << 1 | (i < bits_.size() ? bits_[i] : 0);
            payload += static_cast<char>(value < 40 ? value + 48 : value + 56);
        }
        *fillBits = static_cast<int>((6 - bits_.size() % 6) % 6);
        return payload;
    }

  private:
    std::vector<int> bits_;
};

struct OwnReport {
    std::uint32_t Mmsi = 211000001;
    double Lon = 11.5;   // degrees; 181 = not available
    double Lat = 48.25;  // degrees; 91 = not available
    double Sog = 12.3;   // knots
    double Cog = 87.5;   // degrees
    int TimeStamp = 30;  // seconds; 60 = not available
};

// A message 1 in a one-sentence !AIVDO or !AIVDM ("VDO"/"VDM") on `channel`
// ("" for an empty channel field), with its checksum and CR LF.
inline std::string PositionReportSentence(const char* formatter, const char* channel,
                                          const OwnReport& r = {}) {
    PayloadWriter w;
    w.Field(6, 1).Field(2, 0).Field(30, r.Mmsi).Field(4, 0).Field(8, -128);
    w.Field(10, std::lround(r.Sog * 10)).Field(1, 1);
    w.Field(28, std::lround(r.Lon * 600000)).Field(27, std::lround(r.Lat * 600000));
    w.Field(12, std::lround(r.Cog * 10)).Field(9, 511).Field(6, r.TimeStamp);
    w.Field(2, 0).Field(3, 0).Field(1, 0).Field(19, 0);
    int fill = 0;
    const std::string payload = w.Payload(&fill);
    return Sentence(std::string("!AI") + formatter + ",1,1,," + channel + "," + payload + "," +
                    std::to_string(fill));
}

// A fresh codec context (large: on the heap).
inline std::unique_ptr<Codec> NewCodec() {
    return std::make_unique<Codec>();
}

// Routes a complete line ("...*hh\r\n") as the dispatcher does; true when
// the codec accepted it.
inline bool Route(Codec& codec, const std::string& line) {
    return RouteSentence(codec, line.c_str());
}

// Routes a sentence body ("$GPGGA,...") with its checksum completed.
inline bool RouteBody(Codec& codec, const std::string& body) {
    return Route(codec, Sentence(body));
}

}  // namespace navoro::test
