// The information dump on the tabs, inland mode and its decimal fields, and
// the numeric filters as the user types.
#include <QCheckBox>

#include "ConfigFixture.h"

namespace navoro {
namespace {

using DeviceDump = test::ConfigTest;

TEST_F(DeviceDump, FillsTheControlsAndTheSnapshot) {
    for (const char* line :
         {"[DEVICE DATA BEGIN]", "Firmware:2.4.17 (2024-03-08)", "S/N:(LMO2403A00417)",
          "MMSI:(211457320)", "IMO:(9412853)", "[AIS MODE]= SOLAS", "[DeviceInstance]=17",
          "[O] Encryption Mode=1", "[O] EncryptionKey=0123456789ABCDEFXYZW", "[DEVICE DATA END]"})
        Dump(line);
    const ShipDataPage& s = P().ShipData;
    EXPECT_EQ(s.MaskEditMMSI->text(), "211457320");
    EXPECT_EQ(s.MaskEditIMO->text(), "009412853");
    EXPECT_EQ(s.lblFirmVer->text(), "Firmware Version: 2.4.17 (2024-03-08)");
    EXPECT_EQ(P().Transceiver.Edit_N2K_DeviceInstance->text(), "17");
    EXPECT_TRUE(P().Encryption.CheckBoxEnableEncryption->isChecked());
    EXPECT_TRUE(P().Encryption.LabeledEditEncryptionKey->isEnabled());
    EXPECT_EQ(P().Encryption.LabeledEditEncryptionKey->text(), "0123456789ABCDEF");
    EXPECT_EQ(config->Readout().Get<EncryptionTab>().Code, "0123456789ABCDEF");
    const ConfigSnapshot report = config->Readout().Snapshot();
    EXPECT_EQ(report.Mmsi, 211457320);
    EXPECT_STREQ(report.SerialNumber, "LMO2403A00417");
    EXPECT_EQ(report.InlandMode, 0);
    const DeviceDataFlags& flags = config->Readout().Identity().Flags;
    EXPECT_TRUE(flags.FirmwareReceived && flags.SerialNumberReceived && flags.MmsiNonZero);
    EXPECT_TRUE(s.CSpinEditA->isVisibleTo(form.get()));

    // Later lines replace: a shorter code entirely, encryption off disables it.
    Dump("[O] EncryptionKey=ABC");
    Dump("[O] Encryption Mode=0");
    Dump("MMSI:(0)");
    EXPECT_EQ(P().Encryption.LabeledEditEncryptionKey->text(), "ABC");
    EXPECT_FALSE(P().Encryption.LabeledEditEncryptionKey->isEnabled());
    EXPECT_EQ(s.MaskEditMMSI->text(), "000000000");
    EXPECT_FALSE(config->Readout().Identity().Flags.MmsiNonZero);
}

TEST_F(DeviceDump, OutOfRangeValuesAreNotAvailable) {
    Dump("MMSI:(12345678901)");
    Dump("[DeviceInstance]=999");
    EXPECT_EQ(P().ShipData.MaskEditMMSI->text(), "000000000");
    EXPECT_EQ(P().Transceiver.Edit_N2K_DeviceInstance->text(), "");
    Dump(std::string(2000, 'F') + "Firmware:" + std::string(500, 'v'));
    EXPECT_EQ(config->Readout().Snapshot().FirmwareVersion, std::string(24, 'v'));
}

TEST_F(DeviceDump, InlandModeShowsTheDecimalFieldsUntilTheReset) {
    const ShipDataPage& s = P().ShipData;
    Dump("[AIS MODE]= INLAND");
    Dump("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0*00");
    EXPECT_EQ(config->Readout().Snapshot().InlandMode, 1);
    QWidget* window = form.get();
    for (QWidget* spin : s.Internal())
        EXPECT_FALSE(spin->isVisibleTo(window));
    for (QLineEdit* field : s.InlandFields())
        EXPECT_TRUE(field->isVisibleTo(window)) << field->objectName().toStdString();
    EXPECT_TRUE(s.LabelShipLength->isVisibleTo(window));
    EXPECT_FALSE(s.CSpin_InlandEditA->isEnabled());
    EXPECT_FALSE(s.CSpinEditInlandExtD->isEnabled());
    EXPECT_TRUE(s.CSpin_InlandEditB->isEnabled());
    EXPECT_EQ(s.EditInlandShipLength->text(), "110.0");
    EXPECT_EQ(s.EditInlandShipBeam->text(), "11.4");
    EXPECT_EQ(s.CSpin_InlandEditB->text(), "90.5");
    EXPECT_EQ(s.CSpin_InlandEditC->text(), "05.2");
    EXPECT_EQ(s.CSpinEditInlandExtB->text(), "20.0");
    EXPECT_EQ(s.CSpinEditInlandExtC->text(), "03.0");
    EXPECT_EQ(s.CSpin_InlandEditA->text(), "19.5");
    EXPECT_EQ(s.CSpinEditInlandExtA->text(), "90.0");
    EXPECT_EQ(s.CSpin_InlandEditD->text(), "06.2");
    EXPECT_EQ(s.CSpinEditInlandExtD->text(), "08.4");
    // Column labels A and D are greyed while they are computed.
    EXPECT_NE(s.Label13->palette().color(QPalette::WindowText),
              s.Label14->palette().color(QPalette::WindowText));

    config->ConnectionReset();
    EXPECT_EQ(config->Readout().Snapshot().InlandMode, 0);
    EXPECT_TRUE(s.CSpinEditA->isVisibleTo(window));
    EXPECT_FALSE(s.CSpin_InlandEditA->isVisibleTo(window));
    EXPECT_FALSE(s.EditInlandShipLength->isVisibleTo(window));
    EXPECT_EQ(s.Label13->palette().color(QPalette::WindowText),
              s.Label14->palette().color(QPalette::WindowText));
}

TEST_F(DeviceDump, InlandValuesOutOfRangeShowNotAvailable) {
    const ShipDataPage& s = P().ShipData;
    Dump("[AIS MODE]= INLAND");
    Dump("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,900.0,3.0*00");
    EXPECT_EQ(s.CSpinEditInlandExtB->text(), "xxx.x");
    EXPECT_EQ(s.CSpinEditInlandExtA->text(), "xxx.x");  // nothing derived from an unknown B
    EXPECT_EQ(s.CSpin_InlandEditA->text(), "19.5");
    // A broken line changes nothing.
    Dump("$PIWWSSD,,,10.0,11.4,,,,90.5*00");
    EXPECT_EQ(s.CSpinEditInlandExtB->text(), "xxx.x");
    EXPECT_EQ(s.EditInlandShipLength->text(), "110.0");
}

TEST_F(DeviceDump, TypingInTheDecimalFields) {
    Dump("[AIS MODE]= INLAND");
    Dump("$PIWWSSD,,,20.0,3.0,,,,5.0,1.0,12.0,1.0*00");
    const ShipDataPage& s = P().ShipData;
    EXPECT_EQ(s.CSpin_InlandEditA->text(), "15.0");
    EXPECT_EQ(s.CSpinEditInlandExtA->text(), "08.0");

    // Typing a length digit by digit: the field being typed is not raised to
    // fit the antennas until it is left.
    QLineEdit* length = s.EditInlandShipLength;
    length->setFocus();
    length->clear();
    QTest::keyClicks(length, "2");
    EXPECT_EQ(length->text(), "2");
    EXPECT_EQ(s.CSpinEditInlandExtA->text(), "000.0");  // A derived from the 12.0 it needs
    EXPECT_EQ(s.CSpin_InlandEditA->text(), "07.0");
    QTest::keyClicks(length, "5.25");
    EXPECT_EQ(length->text(), "25.2");
    EXPECT_EQ(s.CSpin_InlandEditA->text(), "20.2");
    length->clear();
    QTest::keyClicks(length, "9");
    emit length->editingFinished();
    EXPECT_EQ(length->text(), "12.0");

    // Above 800.0 m gives 800.0.
    QLineEdit* c = s.CSpinEditInlandExtC;
    c->clear();
    QTest::keyClicks(c, "900");
    EXPECT_EQ(c->text(), "800.0");
    EXPECT_EQ(s.EditInlandShipBeam->text(), "800.0");  // the beam grew to fit it
    EXPECT_EQ(s.CSpinEditInlandExtD->text(), "000.0");

    // A letter typed in the middle goes, and the caret stays where it was.
    QLineEdit* b = s.CSpin_InlandEditB;
    b->setText("12.0");
    b->setCursorPosition(1);
    QTest::keyClicks(b, "k");
    EXPECT_EQ(b->text(), "12.0");
    EXPECT_EQ(b->cursorPosition(), 1);
}

TEST_F(DeviceDump, TypingTheDeviceInstance) {
    QLineEdit* edit = P().Transceiver.Edit_N2K_DeviceInstance;
    edit->clear();
    QTest::keyClicks(edit, "300");
    EXPECT_EQ(edit->text(), "0");
    edit->clear();
    QTest::keyClicks(edit, "252");
    EXPECT_EQ(edit->text(), "252");
    edit->clear();
    QTest::keyClicks(edit, "2x5");
    EXPECT_EQ(edit->text(), "25");
}

}  // namespace
}  // namespace navoro
