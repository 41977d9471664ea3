#include "config/DeviceData.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "codec/Fields.h"
#include "config/tabs/EncryptionTab.h"

namespace navoro {

namespace {

constexpr std::string_view kMmsiKey = "MMSI:(";
constexpr std::string_view kImoKey = "IMO:(";
constexpr std::string_view kFirmwareKey = "Firmware:";
constexpr std::string_view kSerialKey = "S/N:(";
constexpr std::string_view kInlandKey = "[AIS MODE]= INLAND";
constexpr std::string_view kDeviceInstanceKey = "[DeviceInstance]=";
constexpr std::string_view kEncryptionModeKey = "[O] Encryption Mode=";
constexpr std::string_view kEncryptionKeyKey = "[O] EncryptionKey=";
constexpr std::string_view kInlandSsdKey = "$PIWWSSD";

// The text after `key` up to the line end, or nothing when the key is absent.
bool ValueAfter(std::string_view line, std::string_view key, std::string_view& value) {
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos) return false;
    value = line.substr(at + key.size());
    return true;
}

// atol of a text that is not NUL-terminated.
long AtolOf(std::string_view text) {
    // The digits an atol reads fit in far fewer characters; a longer run of
    // digits saturates either way.
    std::string copy(text.substr(0, 64));
    return Atol(copy.c_str());
}

std::int32_t NineDigits(long value) {
    return (value >= 0 && value <= static_cast<long>(kNineDigitsNotAvailable))
               ? static_cast<std::int32_t>(value)
               : 0;
}

// Metres -> tenths (x 10 + 0.5, fraction discarded); not available when
// blank, not a number or negative (the SHIP DATA tab applies its own range).
int Tenths(const char* field) {
    if (field == nullptr || *field == '\0') return kInlandNotAvailable;
    const double metres = Atof(field);
    if (!std::isfinite(metres)) return kInlandNotAvailable;
    const std::int64_t tenths = TruncToInt(metres * 10.0 + 0.5);
    if (tenths < 0 || tenths > INT32_MAX) return kInlandNotAvailable;
    return static_cast<int>(tenths);
}

}  // namespace

bool ParseInlandSsd(std::string_view line, InlandSsd& values) {
    const std::size_t crlf = line.find("\r\n");
    if (crlf != std::string_view::npos) line = line.substr(0, crlf);
    std::string text(line);
    if (!CountFields(text.c_str(), 11)) return false;
    Tokenizer tok;
    char* field = tok.NextField(text.data(), ',');  // the address field
    const char* fields[12] = {};
    for (int i = 1; i <= 11 && field != nullptr; ++i) {
        field = tok.NextField(nullptr, i < 11 ? ',' : '*');
        fields[i] = field;
    }
    if (field == nullptr) return false;
    InlandSsd parsed;
    parsed.Length = Tenths(fields[3]);
    parsed.Beam = Tenths(fields[4]);
    parsed.InternalB = Tenths(fields[8]);
    parsed.InternalC = Tenths(fields[9]);
    parsed.ExternalB = Tenths(fields[10]);
    parsed.ExternalC = Tenths(fields[11]);
    values = parsed;
    return true;
}

DeviceDataLine ParseDeviceDataLine(std::string_view line) {
    const std::size_t crlf = line.find("\r\n");
    if (crlf != std::string_view::npos) line = line.substr(0, crlf);

    DeviceDataLine data;
    std::string_view value;
    if (ValueAfter(line, kMmsiKey, value)) {
        data.HasMmsi = true;
        data.Mmsi = NineDigits(AtolOf(value));
    }
    if (ValueAfter(line, kImoKey, value)) {
        data.HasImo = true;
        data.Imo = NineDigits(AtolOf(value));
    }
    if (ValueAfter(line, kFirmwareKey, value)) {
        data.HasFirmware = true;
        data.Firmware = std::string(value.substr(0, kFirmwareVersionMax));
    }
    if (ValueAfter(line, kSerialKey, value)) {
        data.HasSerialKey = true;
        if (!value.empty() && value.back() == ')') {
            data.HasSerialNumber = true;
            value.remove_suffix(1);
            data.SerialNumber = std::string(value.substr(0, kSerialNumberMax));
        }
    }
    if (line.find(kInlandKey) != std::string_view::npos) data.InlandMode = true;
    if (ValueAfter(line, kDeviceInstanceKey, value)) {
        data.HasDeviceInstance = true;
        data.DeviceInstance = AtolOf(value);
    }
    if (ValueAfter(line, kEncryptionModeKey, value)) {
        data.HasEncryptionMode = true;
        data.EncryptionOn = AtolOf(value) == 1;
    }
    if (ValueAfter(line, kEncryptionKeyKey, value)) {
        data.HasEncryptionKey = true;
        data.EncryptionKey = std::string(value.substr(0, EncryptionTab::kCodeMax));
    }
    const std::size_t inland = line.find(kInlandSsdKey);
    if (inland != std::string_view::npos) {
        data.HasInlandSsd = ParseInlandSsd(line.substr(inland), data.InlandDimensions);
    }
    return data;
}

}  // namespace navoro
