// MOB - a man-overboard device's report.
//
//   $PMOB,A1B2C3,5,0F,,0102*0C
//    1  identifier: six hexadecimal digits (blank or another length: 0 0 0)
//    2  a value (blank 255)
//    3  a code, one or two hexadecimal digits (blank 255; longer: unchanged)
//    4  an optional code, like 3 (blank: absent; longer: unchanged)
//    5  data: 2-18 hexadecimal digits, two per byte (otherwise no data)
// Hexadecimal digits are upper case; a bad digit in fields 1, 3 or 4 rejects
// the sentence, a bad pair in field 5 only drops the data.
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// Two characters starting at `text` as one byte.
bool HexPair(const char* text, std::uint8_t& byte) {
    const char pair[3] = {text[0], text[1], '\0'};
    return ParseHexByte(pair, byte);
}

}  // namespace

bool ParseMob(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    MobRecord& r = record.Mob;
    r = MobRecord{};

    const char* id = f.Next();
    if (!IsBlank(id) && std::strlen(id) == 6) {
        for (int i = 0; i < 3; ++i) {
            if (!HexPair(id + 2 * i, r.Id[i])) return false;
        }
    }

    r.Value = static_cast<std::uint8_t>(f.Int(255));

    const char* code = f.Next();
    const std::size_t code_length = std::strlen(code);
    if (IsBlank(code)) {
        r.Code = 255;
        r.Present |= kMobCodeGiven;
    } else if (code_length <= 2) {
        if (!ParseHexByte(code, r.Code)) return false;
        r.Present |= kMobCodeGiven;
    }

    const char* optional = f.Next();
    const std::size_t optional_length = std::strlen(optional);
    if (IsBlank(optional)) {
        r.OptionalPresent = 0;
        r.Present |= kMobOptionalGiven;
    } else if (optional_length <= 2) {
        if (!ParseHexByte(optional, r.OptionalCode)) return false;
        r.OptionalPresent = 1;
        r.Present |= kMobOptionalGiven;
    }

    const char* data = f.Next();
    const std::size_t n = std::strlen(data);
    if (!IsBlank(data) && n % 2 == 0 && n >= 2 && n <= 2 * sizeof r.Data) {
        r.DataLength = static_cast<std::uint8_t>(n / 2);
        for (std::size_t i = 0; i < n / 2; ++i) {
            if (!HexPair(data + 2 * i, r.Data[i])) {
                r.DataLength = 0;
                break;
            }
        }
    }
    return f.Ok();
}

}  // namespace navoro
