#include "config/WriteRules.h"

#include <cstdio>
#include <string>

#include "codec/Fields.h"
#include "codec/Framing.h"
#include "codec/ParameterCodes.h"
#include "codec/TextFormat.h"

namespace navoro {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsDeviceText(std::string_view text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x5F) return false;
        if (c == '!' || c == '$' || c == '*' || c == ',' || c == '\\' || c == '^') return false;
    }
    return true;
}

std::string GridText(std::string_view text, std::size_t max) {
    std::string out(text.substr(0, max));
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

char GridKeyPress(char32_t typed) {
    if (typed == 8) return '\b';
    if (typed == '*') return '?';
    if (typed >= 32 && typed <= 96) return static_cast<char>(typed);
    if (typed >= 'a' && typed <= 'z') return static_cast<char>(typed - 'a' + 'A');
    return '?';
}

bool IsEncryptionKeyCharacter(char32_t typed) {
    return (typed >= '0' && typed <= '9') || (typed >= 'A' && typed <= 'Z') ||
           (typed >= 'a' && typed <= 'z');
}

std::optional<std::int64_t> DigitsValue(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<double> DecimalValue(std::string_view text) {
    text = Trimmed(text);
    std::string_view body = text;
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) body.remove_prefix(1);
    int digits = 0;
    int points = 0;
    for (const char c : body) {
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1 || digits > 15) return std::nullopt;
    return Atof(std::string(text).c_str());
}

std::optional<int> ExactTenths(std::string_view text) {
    text = Trimmed(text);
    int tenths = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (IsDigit(c)) {
            if (point && ++decimals > 1) return std::nullopt;
            if (++digits > 8) return std::nullopt;
            tenths = tenths * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    return decimals == 0 ? tenths * 10 : tenths;
}

std::optional<int> MaskedTenths(std::string_view text) {
    int whole = 0;
    int tenth = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (IsDigit(c)) {
            ++digits;
            if (!point) {
                if (whole > 99999) return std::nullopt;
                whole = whole * 10 + (c - '0');
            } else if (decimals++ == 0) {
                tenth = c - '0';
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    return whole * 10 + tenth;
}

std::string BauCommand(int port, int rate) {
    return Format("$PLMO,C,BAU,%d,%d", port, rate);
}

std::string DbgCommand(const std::array<DbgPair, 4>& pairs) {
    std::string text = "$PLMO,C,DBG";
    for (const DbgPair& pair : pairs) {
        text += Format(",%d,", pair.Id);
        if (pair.Value != kDbgValueEmpty) text += Format("%d", pair.Value);
    }
    return text;
}

std::string EncryptionCommand(bool on) {
    return Format("$PLMO,C,DBG,%d,%d,,,,,,", static_cast<int>(kParamCommand),
                  static_cast<int>(on ? kCommandEncryptionOn : kCommandEncryptionOff));
}

std::string ClrCommand(const ClrCommandValues& s) {
    std::string text = "$AICLR,";
    text += s.Manual ? "1," : "0,";
    for (const bool item : s.FunctionReply)
        text += item ? '1' : '0';
    text += ',';
    text += s.Message27 ? "1," : "0,";
    text += s.ChannelA;
    text += ',';
    text += s.ChannelB;
    return text;
}

std::string DesCommand(int row, std::string_view text) {
    return Format("$PLMO,C,DES,%d,", row) + std::string(text);
}

std::string MblCommand(std::uint32_t mmsi, std::string_view name) {
    return Format("$PLMO,C,MBL,%09u,", mmsi) + std::string(name);
}

std::string HexDigits(std::string_view code) {
    std::string digits;
    for (const char c : code)
        digits += Format("%02X", static_cast<unsigned char>(c));
    return digits;
}

std::string CekCommand(std::int32_t mmsi, std::string_view code) {
    return Format("$AICEK,1,1,,%09d,", mmsi) + HexDigits(code) + ",C";
}

std::string InlandSsdCommand(const InlandMetres& m) {
    const auto field = [](const std::optional<double>& metres) {
        return metres ? Format(",%04.1f", *metres) : std::string(",");
    };
    return "$PIWWSSD,," + field(m.Length) + field(m.Beam) + ",,," + field(m.InternalB) +
           field(m.InternalC) + field(m.ExternalB) + field(m.ExternalC);
}

bool IsSerialNumberCharacter(char32_t typed) {
    // Printable ASCII without the characters that would end or split the sentence.
    if (typed < 0x20 || typed > 0x7E) return false;
    return typed != ',' && typed != '*' && typed != '$' && typed != '!' && typed != '\\' &&
           typed != '^';
}

bool IsMaintenanceCode(std::string_view text) {
    return Atol(std::string(text).c_str()) == kMaintenanceCode;
}

std::optional<std::string> SerialNumberSentence(std::string_view serial) {
    if (serial.empty() || serial.size() > kSerialNumberSentenceMax) return std::nullopt;
    for (const char c : serial) {
        if (!IsSerialNumberCharacter(static_cast<unsigned char>(c))) return std::nullopt;
    }
    std::string text = "$PTPS,1," + std::string(serial);
    const std::size_t length = text.size();
    text.append(6, '\0');  // "*hh\r\n" and the NUL
    if (!AppendChecksum(text.data())) return std::nullopt;
    text.resize(length + 3);  // without the line end: the data log's send adds it
    return text;
}

}  // namespace navoro
