// The diagnosis pages inside the main window: found by name, switched to
// another language with the rest of the window.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "app/Languages.h"
#include "tests/app/ShellFixture.h"

namespace navoro {
namespace {

class DiagnosisWindow : public test::ShellTest {};

TEST_F(DiagnosisWindow, LanguageFileSetsThePagesCaptionsAndEditLabels) {
    CopyShippedLanguages();
    auto form = MakeForm();
    form->SetLanguageIndex(3);  // Russian
    form->ApplyStartupLanguage();
    struct Key {
        const char* Section;
        const char* Key;
        const char* Control;
        bool EditLabel;
    };
    const Key keys[] = {
        {"TAB_SYS_CHECK", "FirmVer", "lblChkFwVer", false},
        {"TAB_SYS_CHECK", "ChA", "lblChkTxCntChA", false},
        {"TAB_SYS_CHECK", "ChA", "lblChkRxCntChA", false},
        {"TAB_SYS_CHECK", "ResetCheck", "SpeedButtonClearCheck", false},
        {"TAB_GPS_STATUS", "UTCDate", "lblEdtGpsUtcDate", true},
        {"TAB_GPS_STATUS", "SatUse", "lblEdtGpsNoSV_InUse", true},
        {"TAB_GPS_STATUS", "SatID", "lblSatelliteID", false},
        {"TAB_GPS_STATUS", "SNR", "Label10", false},
        {"TAB_DATA_LOG", "HINTTEXT", "Label11", false},
        {"TAB_DATA_LOG", "EnLog", "cbxEnableLog", false},
        {"TAB_DATA_LOG", "SendCMD", "ButtonCustomSendCommand", false},
    };
    for (const Key& key : keys) {
        const QString expected = Shipped(3, key.Section, key.Key);
        if (key.EditLabel) {
            auto* edit = FindControlAs<QWidget>(form.get(), key.Control);
            ASSERT_NE(edit, nullptr) << key.Control;
            QLabel* label = AttachedLabel(edit);
            ASSERT_NE(label, nullptr) << key.Control;
            EXPECT_EQ(label->text(), expected) << key.Control;
        } else {
            EXPECT_EQ(CaptionOf(form.get(), key.Control), expected) << key.Control;
        }
    }
}

TEST_F(DiagnosisWindow, StartsWithLoggingOffAndEveryCheckFailed) {
    auto form = MakeForm();
    EXPECT_FALSE(FindControlAs<QCheckBox>(form.get(), "cbxEnableLog")->isChecked());
    EXPECT_EQ(CaptionOf(form.get(), "lblValGps"), "N/A");
    EXPECT_TRUE(FindControlAs<QLineEdit>(form.get(), "lblEdtGpsUtcDate")->text().isEmpty());
    EXPECT_EQ(form->codec().Targets.Count(), 1);
}

}  // namespace
}  // namespace navoro
