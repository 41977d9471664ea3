// Fuzzes the information-dump reader and the numeric filter of the inland
// fields: any received line is read into the tabs' values and the report's
// snapshot without overflowing a text member or leaving a tab's range, and the
// filter keeps its promises for any text and caret.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "config/DeviceData.h"
#include "config/InlandDimensions.h"
#include "config/tabs/DeviceReadout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    navoro::DeviceReadout readout;
    readout.TakeDeviceInfo(line);
    const navoro::ConfigSnapshot snapshot = readout.Snapshot();
    if (strnlen(snapshot.FirmwareVersion, sizeof snapshot.FirmwareVersion) >=
            sizeof snapshot.FirmwareVersion ||
        strnlen(snapshot.SerialNumber, sizeof snapshot.SerialNumber) >=
            sizeof snapshot.SerialNumber ||
        snapshot.Mmsi < 0 || snapshot.Mmsi > 999999999)
        __builtin_trap();
    // What the dump sets stays within the tabs' rules.
    if (!navoro::ShipDataTab::Check(readout.Get<navoro::ShipDataTab>()).empty() &&
        readout.Get<navoro::ShipDataTab>().Mmsi &&
        *readout.Get<navoro::ShipDataTab>().Mmsi < navoro::kNineDigitsNotAvailable &&
        readout.Get<navoro::ShipDataTab>().Imo &&
        *readout.Get<navoro::ShipDataTab>().Imo < navoro::kNineDigitsNotAvailable)
        __builtin_trap();
    if (!navoro::TransceiverTab::Check(readout.Get<navoro::TransceiverTab>()).empty())
        __builtin_trap();

    const int caret = size > 0 ? data[0] % 40 : 0;
    const navoro::FilteredText filtered = navoro::FilterNumericText(line, caret, size % 3);
    if (filtered.Caret < 0 || filtered.Caret > static_cast<int>(filtered.Text.size()) ||
        filtered.Text.find_first_not_of("0123456789.") != std::string::npos)
        __builtin_trap();
    if (const auto field = navoro::InlandFieldAfterKey(line, caret)) {
        if (navoro::ReadTenths(field->Text) > navoro::ShipDataTab::kInlandTenthsMax)
            __builtin_trap();
    }
    return 0;
}
