// What the window remembers between runs: the connection mode, the port (by
// its by-id name), the manual rate, the configuration tab, the diagnosis page
// and the window's position; a remembered port that is gone stays chosen.
#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>

#include "ShellFixture.h"
#include "ui/IniFile.h"

namespace navoro {
namespace {

constexpr const char* kById = "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";

class RememberedSettings : public test::ShellTest {
  protected:
    std::unique_ptr<MainWindow> Start(std::vector<PortInfo> ports) {
        source.SetPorts(std::move(ports));
        auto form = MakeForm({}, &source);
        form->ApplyStartupLanguage();
        form->show();
        return form;
    }
    std::string Kept(const char* key) const {
        return IniFile::Parse(test::ReadFile(SettingsFile()))
            .Value("CONNECTION", key)
            .value_or("(missing)");
    }
    static QTabWidget* Pages(MainWindow& form, const char* name) {
        return form.findChild<QTabWidget*>(QString::fromLatin1(name));
    }

    ScriptedPortSource source;
};

TEST_F(RememberedSettings, ANewWindowStartsAsTheLastOneWasLeft) {
    {
        auto form = Start({{"/dev/ttyS0", {}, {}}, {"/dev/ttyUSB1", kById, "FT232R USB UART"}});
        const ConnectionControls& c = form->ConnectionGroup();
        c.cbxComPort->setCurrentIndex(c.cbxComPort->findText("/dev/ttyUSB1"));
        emit c.cbxComPort->activated(c.cbxComPort->currentIndex());
        c.cbxBaudRate->setCurrentIndex(c.cbxBaudRate->findText("38400"));
        emit c.cbxBaudRate->activated(c.cbxBaudRate->currentIndex());
        Pages(*form, "PageControlConf")->setCurrentIndex(2);
        Pages(*form, "PageControlDiagnosis")->setCurrentIndex(1);
        form->move(37, form->y());
        prompts.Answers = {true};
        ASSERT_TRUE(form->close());
    }
    EXPECT_EQ(Kept("Mode"), "manual");
    EXPECT_EQ(Kept("Port"), kById);
    EXPECT_EQ(Kept("Rate"), "38400");
    EXPECT_EQ(Kept("Left"), "37");

    // The adapter is back in another socket.
    auto form = Start({{"/dev/ttyS0", {}, {}}, {"/dev/ttyUSB3", kById, "FT232R USB UART"}});
    const ConnectionControls& c = form->ConnectionGroup();
    EXPECT_TRUE(c.RadioButtonConnectionModeManual->isChecked());
    EXPECT_EQ(c.cbxComPort->currentText(), "/dev/ttyUSB3");
    EXPECT_EQ(form->Serial().DevicePath(), "/dev/ttyUSB3");
    EXPECT_EQ(c.cbxBaudRate->currentText(), "38400");
    EXPECT_EQ(form->Serial().Rate(), 38400);
    EXPECT_EQ(Pages(*form, "PageControlConf")->currentIndex(), 2);
    EXPECT_EQ(Pages(*form, "PageControlDiagnosis")->currentIndex(), 1);
    EXPECT_EQ(form->x(), 37);

    // Automatic detection and back: the manual rate is the remembered one,
    // not the detection's first rate.
    c.RadioButtonConnectionModeAuto->click();
    c.RadioButtonConnectionModeManual->click();
    EXPECT_EQ(c.cbxBaudRate->currentText(), "38400");
    EXPECT_EQ(form->Serial().Rate(), 38400);
}

TEST_F(RememberedSettings, ARememberedPortThatIsGoneIsShownAsNotPresent) {
    WriteSettingsFile(
        "[VIEW]\nLanguage=0\n\n[CONNECTION]\nMode=manual\nPort=/dev/ttyUSB0\n"
        "Rate=9600\nConfigTab=NoSuchTab\nLeft=junk\n");
    auto form = Start({{"/dev/ttyS0", {}, {}}});
    const ConnectionControls& c = form->ConnectionGroup();
    EXPECT_EQ(c.cbxComPort->currentText(), "/dev/ttyUSB0");
    EXPECT_EQ(form->Serial().DevicePath(), "/dev/ttyUSB0");
    EXPECT_EQ(c.cbxComPort->toolTip(), "/dev/ttyUSB0 (not present)");
    EXPECT_EQ(c.cbxBaudRate->currentText(), "9600");
    EXPECT_EQ(Pages(*form, "PageControlConf")->currentIndex(), 0);

    // Plugged in again: the port list has it and it is still the choice.
    source.Plug({"/dev/ttyUSB0", {}, {}});
    form->Ports().RescanPorts();
    EXPECT_EQ(c.cbxComPort->currentText(), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace navoro
