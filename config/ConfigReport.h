#pragma once

#include <string>
#include <vector>

#include "config/ConfigSnapshot.h"

namespace navoro {

// The plain-text configuration report offered after "Read Device": fixed
// labelled lines built from the configuration snapshot and a few controls.

struct ReportTime {
    int Year, Month, Day, Hour, Minute, Second;
};

// What the report prints besides the snapshot.
struct ReportInputs {
    std::string VersionText;     // the About dialog's version, "Ver 1.2 Build20200221"
    ReportTime Time;             // local date and time of the report
    std::string ShipTypeText;    // cbxShipType's text
    std::string NavStatusText;   // the selected item of ComboBoxNavStatus (empty: none)
    bool EncryptionEnabled;      // CheckBoxEnableEncryption is checked
    std::string EncryptionCode;  // LabeledEditEncryptionKey's text
};

// The report's lines, as the hidden memo MemoRecord holds them: an entry that
// begins with a line end gives an empty line before its text, and the entry
// that is only a line end gives two empty lines.
std::vector<std::string> BuildConfigurationReport(const ConfigSnapshot& snapshot,
                                                  const ReportInputs& inputs);

// The file's bytes: every line followed by "\r\n".
std::string ReportFileText(const std::vector<std::string>& lines);

// The name the save dialog proposes: the MMSI as nine digits, with ".TXT".
std::string ReportFileName(const ConfigSnapshot& snapshot);

}  // namespace navoro
