#pragma once

#include <array>
#include <cstdint>

namespace navoro {

// The fixed tables behind the configuration tabs' option lists.

// The rows of the DESTINATION and AIS MOB grids (row 0 is their heading).
inline constexpr int kDestinationRows = 10;
inline constexpr int kMobRows = 50;

struct ShipTypeRow {
    std::int32_t Code;  // what the VSD sentence carries
    const char* Text;   // what cbxShipType lists
};

// cbxShipType lists these texts in this order.
inline constexpr std::array<ShipTypeRow, 22> kShipTypes = {{
    {20, "20 = WIG (Wing-In-Ground) craft"},
    {30, "30 = Vessel-Fishing"},
    {31, "31 = Vessel-Towing"},
    {32, "32 = Vessel-Tow,L>200m,W>25m"},
    {33, "33 = Vessel-Dredge,Underwater operations"},
    {34, "34 = Vessel-Diving operations"},
    {35, "35 = Vessel-Military operations"},
    {36, "36 = Vessel-Sailing"},
    {37, "37 = Vessel-Pleasure craft"},
    {40, "40 = HSC or passenger ferries"},
    {50, "50 = Pilot vessel"},
    {51, "51 = Search & rescue vessels"},
    {52, "52 = Tugs, light boats, fleet boats"},
    {53, "53 = Port tenders, yacht tenders"},
    {54, "54 = Anti-pollution vessel"},
    {55, "55 = Law enforcement vessel"},
    {57, "57 = For assignments to local vessels"},
    {58, "58 = Medical transports"},
    {59, "59 = RR Resolution No. 18(Mob-83)"},
    {60, "60 = Passenger ship"},
    {70, "70 = Cargo ships or integrated tug barge (ITB) vessels"},
    {80, "80 = Tanker or integrated bug tank barge vessels"},
}};

// The row of a ship type code, first row first; -1 when the table lacks it.
constexpr int FindShipTypeRow(long code) {
    for (std::size_t row = 0; row < kShipTypes.size(); ++row) {
        if (kShipTypes[row].Code == code) return static_cast<int>(row);
    }
    return -1;
}

// ComboBoxNavStatus: the index is the AIS navigational status.
inline constexpr std::array<const char*, 16> kNavStatusTexts = {
    "0:under way using engine",
    "1:at anchor",
    "2:not under command",
    "3:restricted manoeuvrability",
    "4:contrained by her draught",
    "5:moored",
    "6:agound",
    "7:engaged in  fishing",
    "8:under way sailing",
    "9:reserved for DG,HS,MP,IMO hazard,HSC",
    "10:reserved for DG,HS,MP,IMO hazard,WIG",
    "11:power-driven vessel towing astern",
    "12:power-driven vessel pushing ahead or towing alongside",
    "13:reserved",
    "14:reserved",
    "15:not defined(default)",
};

// The rates the transponder's serial ports (3-9) and its USB port (-1) run at.
inline constexpr std::array<std::int32_t, 4> kSerialPortRates = {38400, 19200, 9600, 4800};
inline constexpr std::array<std::int32_t, 6> kUsbPortRates = {115200, 57600, 38400,
                                                              19200,  9600,  4800};
inline constexpr int kUsbPort = -1;

struct BaudBox {
    const char* Name;     // the list box
    const char* Label;    // its caption label
    const char* Caption;  // the caption's text
    int Port;             // what the BAU sentences carry
};

// The BAUD RATE tab's boxes, in the order of the snapshot's rates.
inline constexpr std::array<BaudBox, 8> kBaudBoxes = {{
    {"cbxBaud_Pilot", "LabelBaudRatePilot", "PILOT", 3},
    {"cbxBaud_Disp", "LabelBaudRateDisp", "DISP", 4},
    {"cbxBaud_LR", "LabelBaudRateLR", "LONG RANGE", 5},
    {"cbxBaud_DGPS", "LabelBaudRateDGPS", "DGPS", 6},
    {"cbxBaud_Sen1", "LabelBaudRateSen1", "SENSOR 1", 7},
    {"cbxBaud_Sen2", "LabelBaudRateSen2", "SENSOR 2", 8},
    {"cbxBaud_Sen3", "LabelBaudRateSen3", "SENSOR 3", 9},
    {"cbxBaud_USB", "LabelBaudRateUSB", "USB", kUsbPort},
}};

// Where a BAU reply puts its rate: the box (index into kBaudBoxes) and the
// item to select there.
struct BaudSelection {
    int Box;   // -1: the reply is for a port that has no box
    int Item;  // -1: the rate is not one of the box's items
};

// A port without a box selects nothing; a rate the port's box does not list
// leaves that box without a selection (shown as not available).
constexpr BaudSelection BaudReplySelection(long port, long rate) {
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        if (kBaudBoxes[box].Port != port) continue;
        const auto find = [rate](const auto& rates) {
            for (std::size_t i = 0; i < rates.size(); ++i) {
                if (rates[i] == rate) return static_cast<int>(i);
            }
            return -1;
        };
        const int item = port == kUsbPort ? find(kUsbPortRates) : find(kSerialPortRates);
        return {static_cast<int>(box), item};
    }
    return {-1, -1};
}

struct FunctionReplyItem {
    const char* Name;  // the check box
    const char* Text;  // its caption
};

// The LR tab's function reply items A, B, C, E, F, I, O, P, U, W.
inline constexpr std::array<FunctionReplyItem, 10> kFunctionReplyItems = {{
    {"CheckBox_LR_A", "A = Ship's: name, calll sign, and IMO number"},
    {"CheckBox_LR_B", "B = Date and time of message composition"},
    {"CheckBox_LR_C", "C = Position"},
    {"CheckBox_LR_E", "E = Course over ground"},
    {"CheckBox_LR_F", "F = Speed over ground"},
    {"CheckBox_LR_I", "I = Destination and Estimated Time of Arrival (ETA)"},
    {"CheckBox_LR_O", "O = Draught"},
    {"CheckBox_LR_P", "P = Ship/cargo"},
    {"CheckBox_LR_U", "U = Ship's: length, breadth, type"},
    {"CheckBox_LR_W", "W = Persons on board"},
}};

}  // namespace navoro
