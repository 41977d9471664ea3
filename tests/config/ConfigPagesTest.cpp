// The nine configuration tabs as the program starts: every control by its
// name, kind, range and initial value.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>

#include "ConfigFixture.h"
#include "config/ConfigTables.h"

namespace navoro {
namespace {

using ConfigPagesStart = test::ConfigTest;

TEST_F(ConfigPagesStart, SpinBoxesHaveTheirRangesAndInitialValues) {
    struct Spin {
        const char* Name;
        int Maximum;
        int Initial;
    };
    const Spin spins[] = {
        {"CSpinEditA", 511, 0},     {"CSpinEditB", 511, 0},    {"CSpinEditC", 63, 0},
        {"CSpinEditD", 63, 0},      {"CSpinEditExtA", 511, 0}, {"CSpinEditExtB", 511, 0},
        {"CSpinEditExtC", 63, 0},   {"CSpinEditExtD", 63, 0},  {"CSpinEditPOB", 8191, 1},
        {"CSpinEditMonth", 12, 1},  {"CSpinEditDay", 31, 17},  {"CSpinEditHour", 24, 0},
        {"CSpinEditMinute", 60, 0}, {"CSpinEditTCPA", 99, 0},
    };
    for (const Spin& s : spins) {
        auto* spin = FindControlAs<SpinEdit>(form.get(), s.Name);
        ASSERT_NE(spin, nullptr) << s.Name;
        EXPECT_EQ(spin->minimum(), 0) << s.Name;
        EXPECT_EQ(spin->maximum(), s.Maximum) << s.Name;
        EXPECT_EQ(spin->value(), s.Initial) << s.Name;
    }
}

TEST_F(ConfigPagesStart, EditsHaveTheirLimitsAndInitialTexts) {
    struct Edit {
        const char* Name;
        int MaxLength;
        const char* Initial;
    };
    const Edit edits[] = {
        {"MaskEditMMSI", 9, "000000000"},
        {"MaskEditIMO", 9, "000000000"},
        {"lblEdtName", 20, ""},
        {"lblEdtCallSign", 7, ""},
        {"EditInlandShipLength", 5, "xxx.x"},
        {"CSpinEditInlandExtD", 5, "xxx.x"},
        {"edtDraught", 4, "0"},
        {"lblEdtDestination", 20, ""},
        {"Edit_N2K_DeviceInstance", 3, "0"},
        {"LabeledEdit_LR_ChA", 4, "2002"},
        {"LabeledEdit_LR_ChB", 4, "2003"},
        {"LabeledEditEncryptionKey", 16, ""},
    };
    for (const Edit& e : edits) {
        auto* edit = FindControlAs<QLineEdit>(form.get(), e.Name);
        ASSERT_NE(edit, nullptr) << e.Name;
        EXPECT_EQ(edit->maxLength(), e.MaxLength) << e.Name;
        EXPECT_EQ(edit->text(), e.Initial) << e.Name;
    }
    EXPECT_EQ(P().Cpa.MaskEditCPA->displayText(), "  . ");
    EXPECT_EQ(P().ShipData.lblFirmVer->text(), "Firmware Version:");
    // Labelled edits carry their caption on a buddy label.
    EXPECT_EQ(AttachedLabel(P().ShipData.lblEdtName)->text(), "NAME ");
    EXPECT_EQ(AttachedLabel(P().Encryption.LabeledEditEncryptionKey)->text(), "Encryption code:");
}

TEST_F(ConfigPagesStart, UpperCaseFieldsTurnTypingIntoCapitals) {
    QLineEdit* name = P().ShipData.lblEdtName;
    name->setFocus();
    QTest::keyClicks(name, "nordic trader");
    EXPECT_EQ(name->text(), "NORDIC TRADER");
    QTest::keyClicks(P().ShipData.MaskEditMMSI, "x");  // digits only
    EXPECT_EQ(P().ShipData.MaskEditMMSI->text(), "000000000");
}

TEST_F(ConfigPagesStart, OptionListsAndGrids) {
    const VoyagePage& v = P().Voyage;
    ASSERT_EQ(v.cbxShipType->count(), 22);
    EXPECT_EQ(v.cbxShipType->currentIndex(), 0);
    EXPECT_EQ(v.cbxShipType->itemText(21), "80 = Tanker or integrated bug tank barge vessels");
    EXPECT_EQ(v.stShipCargoType->text(), "20");
    v.cbxShipType->setCurrentIndex(20);
    EXPECT_EQ(v.stShipCargoType->text(), "70");
    EXPECT_EQ(v.ComboBoxNavStatus->count(), 16);
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), -1);
    EXPECT_EQ(v.ComboBoxNavStatus->placeholderText(), "15:not defined(default)");
    for (const char* name : {"ComboBoxCpaAlarmType", "ComboBox_Tran_AisTx", "ComboBox_Tran_DscRx",
                             "ComboBoxGpsVoltage", "ComboBox_LR_Response"}) {
        auto* list = FindControlAs<QComboBox>(form.get(), name);
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(list->count(), 2) << name;
        EXPECT_EQ(list->currentIndex(), 0) << name;
    }
    for (std::size_t i = 0; i < kBaudBoxes.size(); ++i) {
        auto* box = FindControlAs<QComboBox>(form.get(), kBaudBoxes[i].Name);
        ASSERT_NE(box, nullptr) << kBaudBoxes[i].Name;
        EXPECT_EQ(box->count(), kBaudBoxes[i].Port == -1 ? 6 : 4);
        EXPECT_EQ(box->currentText(), kBaudBoxes[i].Port == -1 ? "115200" : "38400");
    }
    const QTableWidget* des = P().Destination.StringGrid_Destination;
    EXPECT_EQ(des->columnCount(), 2);
    EXPECT_EQ(des->rowCount(), 11);
    EXPECT_EQ(des->item(0, 1)->text(), "DESTINATION");
    EXPECT_EQ(des->item(10, 0)->text(), "10");
    const QTableWidget* mob = P().Mob.StringGrid_MOBList;
    EXPECT_EQ(mob->columnCount(), 3);
    EXPECT_EQ(mob->rowCount(), 51);
    EXPECT_EQ(mob->item(0, 1)->text(), "MMSI");
    EXPECT_EQ(mob->item(0, 2)->text(), "NAME");
    EXPECT_EQ(mob->item(1, 1)->text(), "972000000");
    EXPECT_EQ(mob->item(50, 0)->text(), "50");
    EXPECT_FALSE(mob->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(mob->item(1, 2)->flags() & Qt::ItemIsEditable);
    for (std::size_t i = 0; i < kFunctionReplyItems.size(); ++i) {
        auto* item = FindControlAs<QCheckBox>(form.get(), kFunctionReplyItems[i].Name);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isChecked());
    }
}

TEST_F(ConfigPagesStart, HiddenControlsAndTheEncryptionCode) {
    for (const char* name :
         {"SpeedButtonSHIPData_Config", "SpeedButtonVoyage_Config", "spbCPA", "spbTransponder",
          "spbBaudRate", "SpeedButton_LR_Config", "SpeedButton_Destination", "SpeedButton_MOB",
          "SpeedButtonEncryption"}) {
        auto* button = FindControlAs<QToolButton>(form.get(), name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isHidden()) << name;
    }
    EXPECT_TRUE(P().ShipData.MemoRecord->isHidden());
    // Not inland: the spin boxes, no decimal fields.
    EXPECT_FALSE(P().ShipData.CSpinEditA->isHidden());
    EXPECT_TRUE(P().ShipData.CSpin_InlandEditA->isHidden());
    EXPECT_TRUE(P().ShipData.EditInlandShipLength->isHidden());
    // The code field starts enabled and follows the check box.
    QCheckBox* enable = P().Encryption.CheckBoxEnableEncryption;
    QLineEdit* code = P().Encryption.LabeledEditEncryptionKey;
    EXPECT_FALSE(enable->isChecked());
    EXPECT_TRUE(code->isEnabled());
    enable->setChecked(true);
    EXPECT_TRUE(code->isEnabled());
    enable->setChecked(false);
    EXPECT_FALSE(code->isEnabled());
}

}  // namespace
}  // namespace navoro
