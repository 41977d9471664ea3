#pragma once

// What the screenshot programs of the configuration share: the main window in
// demo mode, connected to navoro-sim beside the program, offscreen, with
// scripted prompts; and saving pictures.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "tests/app/SavePicture.h"
#include "ui/ScriptedPrompts.h"

namespace navoro::test {

// The main window in demo mode. Create it after the QApplication.
class DemoWindow {
  public:
    // OUTDIR from the command line, default build/screenshots; created.
    static QString OutputFolder(int argc, char* argv[]) {
        const QString folder = argc > 1
                                   ? QString::fromLocal8Bit(argv[1])
                                   : QCoreApplication::applicationDirPath() + "/../screenshots";
        QDir().mkpath(folder);
        return folder;
    }

    DemoWindow() {
        AppOptions options;
        options.Simulate = true;
        const ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                           documents_.path().toStdString(), options};
        form = std::make_unique<MainWindow>(prompts, environment);
        form->ApplyStartupLanguage();
        form->show();
    }
    ~DemoWindow() { form->StopSimulator(); }

    // Connects to the simulated transponder; false (said) when it does not answer.
    bool Connect() {
        form->ToggleConnection();
        if (QTest::qWaitFor([this] { return form->Connection().Linked(); }, 15000)) return true;
        std::printf("FAILED to connect to the simulated transponder\n");
        return false;
    }

    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> form;

  private:
    QTemporaryDir documents_;
};

}  // namespace navoro::test
