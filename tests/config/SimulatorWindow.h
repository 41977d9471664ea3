#pragma once

// The real main window connected to navoro-sim over a pseudo-terminal, for
// the configuration tests that read and write the simulated transponder.

#include <QComboBox>
#include <QTabWidget>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "tests/config/TabPages.h"
#include "tests/e2e/WindowFixture.h"
#include "tests/support/Sentence.h"
#include "tests/support/SimulatorFixture.h"
#include "tools/sim/DeviceState.h"
#include "tools/sim/StateFile.h"

namespace navoro::test {

// A sentence as the simulator's record holds it: with its checksum, no CR LF.
inline std::string Bare(const std::string& body) {
    const std::string line = Sentence(body);
    return line.substr(0, line.size() - 2);
}

// A device whose settings differ from every control's initial value.
inline sim::DeviceState TestState() {
    sim::DeviceState s;
    s.Name = "SEA TEST ONE";
    s.CallSign = "SEA1234";
    s.Internal = {120, 30, 7, 12};
    s.External = {100, 50, 15, 4};
    s.ShipType = 52;
    s.DraughtTenths = 113;
    s.PersonsOnBoard = 240;
    s.Destination = "ST PETERSBURG";
    s.VoyageEta = {11, 3, 7, 45};
    s.NavStatus = 5;
    s.CpaTenths = 35;
    s.Tcpa = 42;
    s.CpaAlarm = 0;
    s.AisTx = 1;
    s.DscRx = 0;
    s.GpsVoltage = 1;
    s.DeviceInstance = 17;
    // The configuration port keeps 115200, the rate the window connects at.
    s.PortRates = {115200, 38400, 38400, 38400, 9600, 4800, 19200, 38400, 9600, 4800, 19200};
    s.LrResponse = 1;
    s.LrFunctionReply = {1, 0, 1, 0, 0, 1, 0, 0, 1, 1};
    s.LrMessage27 = 1;
    s.LrChannelA = 2087;
    s.LrChannelB = 2088;
    s.Destinations = {"HAMBURG", "", "ROTTERDAM", "", "", "", "", "", "", "GDANSK"};
    s.MobList = {{972001234, "LIFEBUOY PORT"}, {972001235, "LIFEBUOY STBD"}, {972009999, "RAFT"}};
    s.EncryptionOn = true;
    s.EncryptionKey = "5A17C0DE2024BEEF";
    return s;
}

class SimulatorWindowTest : public WindowTest {
  protected:
    // Starts the simulator with `state` and connects the window to it.
    void Connect(const sim::DeviceState& state, bool inland = false) {
        SimulatorOptions options;
        options.NoStream = true;
        options.Inland = inland;
        options.StatePath = folder / "device.json";
        ASSERT_EQ(sim::SaveStateFile(options.StatePath, state), "");
        sim_ = std::make_unique<SimulatorFixture>(options);
        ASSERT_TRUE(sim_->Started()) << sim_->Error();
        MakeWindow({sim_->DevicePath()});
        QComboBox* box = Controls().cbxComPort;
        box->setCurrentIndex(box->findText(QString::fromStdString(sim_->DevicePath())));
        emit box->activated(box->currentIndex());
        config = &form->configuration();
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([this] { return Connected(); }, 10s)) << Status().toStdString();
    }

    // Connects again after a disconnect, at `rate` (manual mode).
    bool Reconnect(int rate) {
        QComboBox* box = Controls().cbxBaudRate;
        box->setCurrentIndex(box->findText(QString::number(rate)));
        emit box->activated(box->currentIndex());
        Click(Controls().OpenPort);
        return WaitUntil([this] { return Connected(); }, 10s);
    }

    // Selects a tab and returns what the simulator received for it.
    std::vector<std::string> Read(const char* tab, std::size_t expected) {
        const std::size_t before = sim_->RecordedLines().size();
        auto* tabs = form->findChild<QTabWidget*>("PageControlConf");
        tabs->setCurrentWidget(form->findChild<QWidget*>(tab));
        return RecordedSince(before, expected);
    }

    // What the simulator received after its first `before` lines, once it
    // holds `expected` more (or after `timeout`).
    std::vector<std::string> RecordedSince(std::size_t before, std::size_t expected,
                                           std::chrono::milliseconds timeout = 5s) {
        WaitUntil([&] { return sim_->RecordedLines().size() >= before + expected; }, timeout);
        const std::vector<std::string> all = sim_->RecordedLines();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())), all.end()};
    }

    // The simulator's settings as it saved them after its last write.
    sim::DeviceState DeviceNow() const {
        sim::DeviceState state;
        bool missing = false;
        EXPECT_EQ(sim::LoadStateFile(folder / "device.json", state, missing), "");
        return state;
    }

    ConfigPages& P() {
        pages_.emplace(PagesOf(*config));
        return *pages_;
    }
    std::optional<ConfigPages> pages_;

    std::unique_ptr<SimulatorFixture> sim_;
    Configuration* config = nullptr;
};

}  // namespace navoro::test
