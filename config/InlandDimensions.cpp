#include "config/InlandDimensions.h"
#include "config/tabs/ShipDataTab.h"
#include "config/tabs/TransceiverTab.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "codec/Fields.h"

namespace navoro {

namespace {

double ReadNumber(std::string_view text) {
    const std::string copy(text.substr(0, 64));
    const double value = Atof(copy.c_str());
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

int ReadTenths(std::string_view text) {
    const std::int64_t tenths = TruncToInt(ReadNumber(text) * 10.0 + 0.5);
    return static_cast<int>(std::clamp<std::int64_t>(tenths, INT_MIN / 2, INT_MAX / 2));
}

std::string FormatTenths(int tenths) {
    char text[32];
    std::snprintf(text, sizeof text, "%04.1f", tenths * 0.1);
    return text;
}

namespace {

// One half of the derivation: the length with the two B values, or the beam
// with the two C values.
void DeriveHalf(std::optional<int> size, std::optional<int> internal, std::optional<int> external,
                std::optional<std::string>& grown, std::string& internalOut,
                std::string& externalOut) {
    internalOut = kInlandInitialText;
    externalOut = kInlandInitialText;
    if (!size) return;
    const auto beyond = [&](std::optional<int> b) { return b && *size < *b; };
    if (beyond(internal) || beyond(external)) {
        // An antenna without a value never holds the larger one.
        const bool internalLarger = !external || (internal && *internal > *external);
        const int m = internalLarger ? *internal : *external;
        grown = FormatTenths(m);
        if (internalLarger) {
            internalOut = "000.0";
            if (external) externalOut = FormatTenths(m - *external);
        } else {
            externalOut = "000.0";
            if (internal) internalOut = FormatTenths(m - *internal);
        }
    } else {
        if (internal) internalOut = FormatTenths(*size - *internal);
        if (external) externalOut = FormatTenths(*size - *external);
    }
}

}  // namespace

InlandDerived RecalcInlandDimensions(const InlandInputs& in) {
    InlandDerived out;
    DeriveHalf(in.Length, in.InternalB, in.ExternalB, out.Length, out.InternalA, out.ExternalA);
    DeriveHalf(in.Beam, in.InternalC, in.ExternalC, out.Beam, out.InternalD, out.ExternalD);
    return out;
}

FilteredText FilterNumericText(std::string_view text, int caret, int decimals) {
    FilteredText out{std::string(), caret};
    if (text.empty()) return {std::string(), 0};
    bool point = false;
    int decimalsSeen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (point && ++decimalsSeen > decimals) break;
            out.Text += c;
        } else if (c == '.' && !point) {
            point = true;
            out.Text += c;
        } else if (static_cast<int>(i) < caret) {
            --out.Caret;
        }
    }
    out.Caret = std::clamp(out.Caret, 0, static_cast<int>(out.Text.size()));
    return out;
}

std::optional<FilteredText> InlandFieldAfterKey(std::string_view text, int caret) {
    if (text.empty()) return std::nullopt;
    FilteredText out = FilterNumericText(text, caret, 1);
    if (ReadNumber(out.Text) * 10.0 > ShipDataTab::kInlandTenthsMax) {
        out.Text = FormatTenths(ShipDataTab::kInlandTenthsMax);
        out.Caret = static_cast<int>(out.Text.size());
    }
    return out;
}

FilteredText DeviceInstanceAfterKey(std::string_view text, int caret) {
    FilteredText out = FilterNumericText(text, caret, 0);
    if (out.Text.empty() || out.Text == ".") return out;
    if (ReadNumber(out.Text) > TransceiverTab::kDeviceInstanceRange.Max) {
        out.Text = "0";
        out.Caret = 1;
    }
    return out;
}

}  // namespace navoro
