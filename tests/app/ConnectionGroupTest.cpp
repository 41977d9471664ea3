// The connection group on the main window: its controls at start, the mode
// buttons, the user's choices reaching the serial port, and the
// port choice following ports that come and go.

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"

namespace navoro {
namespace {

class ConnectionGroupTest : public test::ShellTest {
  protected:
    std::unique_ptr<MainWindow> Make(std::vector<PortInfo> ports) {
        source.SetPorts(std::move(ports));
        auto form = MakeForm({}, &source);
        form->ApplyStartupLanguage();
        form->show();
        return form;
    }
    static QStringList Items(QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    ScriptedPortSource source;
};

TEST_F(ConnectionGroupTest, StartsIdleOnTheManualPage) {
    auto form = Make({{"/dev/ttyUSB1", "/dev/serial/by-id/usb-FTDI_FT232R-if00", "FT232R USB UART"},
                      {"/dev/ttyS0", {}, {}}});
    for (const char* name :
         {"GroupBoxConnectionMode", "RadioButtonConnectionModeManual",
          "RadioButtonConnectionModeAuto", "PageControlDetectComPortMode",
          "TabSheetManualDetectComPort", "TabSheetAutoConnectComPort", "cbxComPort", "cbxBaudRate",
          "EditAutoDetectComPort", "EditAutoDetectBaudRate", "OpenPort", "ImageConnectToDevice",
          "ImageConnectTwoWay", "LabelConnectionStatus"})
        EXPECT_NE(FindControl(form.get(), name), nullptr) << name;
    const ConnectionControls& c = form->ConnectionGroup();
    EXPECT_TRUE(c.RadioButtonConnectionModeManual->isChecked());
    EXPECT_EQ(c.PageControlDetectComPortMode->currentWidget(), c.TabSheetManualDetectComPort);
    EXPECT_FALSE(c.PageControlDetectComPortMode->tabBar()->isVisible());
    EXPECT_EQ(Items(c.cbxComPort), QStringList({"/dev/ttyS0", "/dev/ttyUSB1"}));
    EXPECT_EQ(c.cbxComPort->currentText(), "/dev/ttyS0");
    EXPECT_EQ(c.cbxComPort->itemData(1, Qt::ToolTipRole).toString(),
              "/dev/serial/by-id/usb-FTDI_FT232R-if00\nFT232R USB UART");
    EXPECT_TRUE(c.cbxComPort->isEditable());
    EXPECT_EQ(Items(c.cbxBaudRate),
              QStringList({"4800", "9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(c.cbxBaudRate->currentText(), "115200");
    EXPECT_EQ(c.OpenPort->text(), "Connect");
    EXPECT_FALSE(c.OpenPort->isChecked());
    EXPECT_FALSE(c.OpenPort->property("connected").toBool());
    EXPECT_EQ(c.LabelConnectionStatus->text(), "Disconnect...");
    EXPECT_FALSE(c.LabelConnectionStatus->isEnabled());
    EXPECT_FALSE(form->ConnectionStepTimer()->isActive());
    EXPECT_FALSE(form->StatusTimer()->isActive());
    EXPECT_EQ(form->Serial().Rate(), 115200);
    EXPECT_EQ(form->Serial().DevicePath(), "/dev/ttyS0");
    EXPECT_FALSE(form->Serial().IsOpen());
}

TEST_F(ConnectionGroupTest, WithoutPortsTheChoiceSaysNotAvailable) {
    auto form = Make({});
    QComboBox* box = form->ConnectionGroup().cbxComPort;
    EXPECT_EQ(Items(box), QStringList({"N/A"}));
    EXPECT_EQ(box->currentText(), "N/A");
}

TEST_F(ConnectionGroupTest, TheModeButtonsSwitchThePage) {
    auto form = Make({{"/dev/ttyUSB0", {}, {}}});
    const ConnectionControls& c = form->ConnectionGroup();
    c.EditAutoDetectComPort->setText("old");
    QTest::mouseClick(c.RadioButtonConnectionModeAuto, Qt::LeftButton);
    EXPECT_EQ(c.PageControlDetectComPortMode->currentWidget(), c.TabSheetAutoConnectComPort);
    EXPECT_EQ(c.EditAutoDetectComPort->text(), "");
    EXPECT_TRUE(c.EditAutoDetectComPort->isReadOnly());

    c.cbxBaudRate->setCurrentIndex(0);
    QTest::mouseClick(c.RadioButtonConnectionModeManual, Qt::LeftButton);
    EXPECT_EQ(c.PageControlDetectComPortMode->currentWidget(), c.TabSheetManualDetectComPort);
    EXPECT_EQ(c.cbxBaudRate->currentText(), "115200");
    EXPECT_EQ(c.cbxComPort->currentText(), "/dev/ttyUSB0");
}

TEST_F(ConnectionGroupTest, TheUsersChoicesReachTheSerialPort) {
    auto form = Make({{"/dev/ttyUSB0", {}, {}}});
    const ConnectionControls& c = form->ConnectionGroup();
    c.cbxBaudRate->setCurrentIndex(1);
    emit c.cbxBaudRate->activated(1);  // as a user's choice does
    EXPECT_EQ(form->Serial().Rate(), 9600);

    c.cbxComPort->lineEdit()->clear();
    QTest::keyClicks(c.cbxComPort->lineEdit(), "/dev/pts/9");
    EXPECT_EQ(form->Serial().DevicePath(), "/dev/pts/9");
}

TEST_F(ConnectionGroupTest, PortsComingAndGoingRefreshTheChoice) {
    auto form = Make({{"/dev/ttyUSB0", {}, {}}});
    QComboBox* box = form->ConnectionGroup().cbxComPort;
    source.Plug({"/dev/ttyACM0", {}, {}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->count() == 2; }, 2000));
    EXPECT_EQ(Items(box), QStringList({"/dev/ttyACM0", "/dev/ttyUSB0"}));
    source.Unplug("/dev/ttyACM0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->count() == 1; }, 2000));
    EXPECT_TRUE(prompts.Calls.empty());  // not connected: nothing to drop
}

TEST_F(ConnectionGroupTest, ARescanKeepsTheUsersChoiceAndTypedPorts) {
    auto form = Make({{"/dev/ttyS0", {}, {}}, {"/dev/ttyUSB1", {}, {}}});
    QComboBox* box = form->ConnectionGroup().cbxComPort;
    box->setCurrentIndex(1);
    emit box->activated(1);
    source.Plug({"/dev/ttyACM0", {}, {}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->count() == 3; }, 2000));
    EXPECT_EQ(box->currentText(), "/dev/ttyUSB1");

    // A typed path, tried once, stays offered after it has gone.
    source.SetExistingPath("/dev/pts/77", true);
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "/dev/pts/77");
    prompts.Answers = {true};  // not a free port: force it
    QTest::mouseClick(form->ConnectionGroup().OpenPort, Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !form->ConnectionGroup().OpenPort->isChecked(); }, 3000));
    source.SetExistingPath("/dev/pts/77", false);
    source.Unplug("/dev/ttyACM0");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return box->count() == 3 && Items(box).contains("/dev/pts/77"); }, 2000))
        << Items(box).join(' ').toStdString();
    EXPECT_EQ(box->currentText(), "/dev/pts/77");
    const int typed = box->findText("/dev/pts/77");
    EXPECT_EQ(box->itemData(typed, Qt::ToolTipRole).toString(), "not present");
}

}  // namespace
}  // namespace navoro
