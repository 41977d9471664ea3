#include "config/ConfigReport.h"

#include <cstdio>
#include <string_view>

#include "codec/TextFormat.h"

namespace navoro {

namespace {

constexpr int kCreditWidth = 36;
constexpr const char* kCredits[] = {
    "LUMOWORKS",
    "www.lumoworks.example",
    "Thank you for choosing our products",
};

std::string Centred(std::string_view text, int width) {
    const int size = static_cast<int>(text.size());
    if (size >= width) return std::string(text.substr(0, static_cast<std::size_t>(width)));
    const int left = (width - size) / 2;
    return std::string(static_cast<std::size_t>(left), ' ') + std::string(text) +
           std::string(static_cast<std::size_t>(width - size - left), ' ');
}

// Adds one memo entry: a line end inside it starts a new line.
void Add(std::vector<std::string>& lines, std::string_view entry) {
    for (;;) {
        const std::size_t end = entry.find("\r\n");
        lines.emplace_back(entry.substr(0, end));
        if (end == std::string_view::npos) return;
        entry.remove_prefix(end + 2);
    }
}

}  // namespace

std::vector<std::string> BuildConfigurationReport(const ConfigSnapshot& s, const ReportInputs& in) {
    const std::string rule42(42, '=');
    const std::string rule36(36, '=');
    std::vector<std::string> lines;
    Add(lines, rule42);
    Add(lines, "      Navoro Report    ");
    Add(lines, "      " + in.VersionText);
    Add(lines, Format("       %04d/%02d/%02d %02d:%02d:%02d", in.Time.Year, in.Time.Month,
                      in.Time.Day, in.Time.Hour, in.Time.Minute, in.Time.Second));
    Add(lines, rule42);
    Add(lines, Format("   Serial Number = %s", s.SerialNumber));
    Add(lines, Format("  Firmware Version = %s", s.FirmwareVersion));
    Add(lines, rule42);

    Add(lines, "\r\n[SHIP DATA]");
    Add(lines, Format("Ship MMSI = %09d", s.Mmsi));
    Add(lines, Format("Ship IMO = %09d", s.Imo));
    Add(lines, Format("Ship Name = %s", s.ShipName));
    Add(lines, Format("Ship Callsign = %s", s.CallSign));
    Add(lines, "Ship Type = " + in.ShipTypeText);
    Add(lines, "Dimension / Ref. for Position (m)");
    Add(lines, Format("  Internal: A = %3d, B = %3d, C = %3d, D = %3d", s.Internal[0],
                      s.Internal[1], s.Internal[2], s.Internal[3]));
    Add(lines, Format("  External: A = %3d, B = %3d, C = %3d, D = %3d", s.External[0],
                      s.External[1], s.External[2], s.External[3]));
    Add(lines, Format("Draught = %04.1f", static_cast<double>(s.Draught)));
    Add(lines, Format("POB = %d", s.PersonsOnBoard));
    Add(lines, Format("Destination = %s", s.Destination));
    Add(lines, Format("ETA = %d/%d %d:%d", s.EtaMonth, s.EtaDay, s.EtaHour, s.EtaMinute));
    Add(lines, "NAV. Status = " + in.NavStatusText);

    Add(lines, "\r\n[CPA]");
    Add(lines, Format("CPA = %04.1f", static_cast<double>(s.Cpa)));
    Add(lines, Format("TCPA = %d", s.Tcpa));
    Add(lines, s.CpaAlarm == 0 ? "ALARM = ON" : "ALARM = OFF");

    Add(lines, "\r\n[TRANSCEIVER]");
    Add(lines, Format("GPS Antenna Voltage = %s", s.GpsVoltage));

    Add(lines, "\r\n[BAUD RATE]");
    static constexpr const char* kRateLabels[8] = {
        "   PILOT   Baud Rate = ", "   DISP    Baud Rate = ", "LONG RANGE Baud Rate = ",
        "   DGPS    Baud Rate = ", "  SENSOR1  Baud Rate = ", "  SENSOR2  Baud Rate = ",
        "  SENSOR3  Baud Rate = ", "    USB    Baud Rate = ",
    };
    for (int i = 0; i < 8; ++i)
        Add(lines, Format("%s%d", kRateLabels[i], s.BaudRates[i]));

    Add(lines, "\r\n[LONG RANGE]");
    Add(lines, s.LrResponse == 0 ? "LR RESPONSE = Automatic" : "LR RESPONSE = Manual");
    Add(lines, s.Message27 == 1 ? "Msg 27 Enabled" : "Msg 27 Disabled");
    Add(lines, Format("Ch A Channel = %d", s.ChannelA));
    Add(lines, Format("Ch B Channel = %d", s.ChannelB));
    Add(lines, "Function Reply:");
    Add(lines, "   A   B   C   E   F   I   O   P   U   W");
    std::string flags = " ";
    for (const std::uint8_t flag : s.FunctionReply)
        flags += flag != 0 ? " On " : " Off";
    Add(lines, flags);

    Add(lines, "\r\n[ENCRYPTION DATA]");
    Add(lines, in.EncryptionEnabled ? "Encryption enable = ON" : "Encryption enable = OFF");
    Add(lines, "Encryption code = " + in.EncryptionCode);
    Add(lines, "\r\n");
    Add(lines, rule36);
    for (const char* credit : kCredits)
        Add(lines, Centred(credit, kCreditWidth));
    Add(lines, rule36);
    return lines;
}

std::string ReportFileText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string ReportFileName(const ConfigSnapshot& snapshot) {
    return Format("%09d", snapshot.Mmsi) + ".TXT";
}

}  // namespace navoro
