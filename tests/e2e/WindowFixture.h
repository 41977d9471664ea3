#pragma once

// The real main window over pseudo-terminals, offscreen, with scripted
// prompts and a port source that lists exactly the terminals a test gives it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "link/PortSource.h"
#include "tests/app/TestFiles.h"
#include "ui/ScriptedPrompts.h"

namespace navoro::test {

using namespace std::chrono_literals;

class WindowTest : public ::testing::Test {
  protected:
    // The window, with `ports` as the serial ports present (all free).
    MainWindow& MakeWindow(const std::vector<std::string>& ports, AppOptions options = {}) {
        std::vector<PortInfo> infos;
        for (const std::string& path : ports)
            infos.push_back({path, {}, "pseudo-terminal"});
        source.SetPorts(infos);
        ShellEnvironment environment{NAVORO_BIN_DIR, folder / "Documents", std::move(options),
                                     &source};
        form = std::make_unique<MainWindow>(prompts, environment);
        form->show();
        return *form;
    }

    // Runs the event loop until `done` holds or `timeout` passes.
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        return QTest::qWaitFor(done, static_cast<int>(timeout.count()));
    }

    const ConnectionControls& Controls() const { return form->ConnectionGroup(); }
    QString Status() const { return Controls().LabelConnectionStatus->text(); }
    bool Connected() const { return Status() == "Connected..."; }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void ChooseAutomatic() { Click(Controls().RadioButtonConnectionModeAuto); }
    // Picks the port `path` in the port list, as a user does.
    void ChoosePort(const std::string& path) {
        QComboBox* port = Controls().cbxComPort;
        port->setCurrentIndex(port->findText(QString::fromStdString(path)));
        emit port->activated(port->currentIndex());
    }
    // Makes every connection step take `interval` instead of a second.
    void StepEvery(std::chrono::milliseconds interval) {
        form->ConnectionStepTimer()->setInterval(static_cast<int>(interval.count()));
    }

    // The texts of the message boxes shown so far.
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const PromptCall& call : prompts.Calls)
            if (call.Kind == PromptKind::Message) texts.push_back(call.Text);
        return texts;
    }

    TempFolder folder;
    ScriptedPortSource source;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> form;
};

}  // namespace navoro::test
