#pragma once

// What the screenshot programs of the configuration share: the main window in
// demo mode, connected to navoro-sim beside the program, offscreen, with
// scripted prompts; and saving pictures.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "ui/ScriptedPrompts.h"

namespace navoro::test {

inline bool SavePicture(const QPixmap& picture, const QString& path) {
    const bool ok = picture.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

inline bool SaveWidget(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    return SavePicture(widget->grab(), path);
}

// Runs the event loop for `ms` milliseconds, or until `done` holds.
inline bool WaitFor(int ms, const std::function<bool()>& done = {}) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (done && done()) return true;
        QTest::qWait(10);
    }
    return !done || done();
}

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
        if (WaitFor(15000, [this] { return form->Connection().Linked(); })) return true;
        std::printf("FAILED to connect to the simulated transponder\n");
        return false;
    }

    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> form;

  private:
    QTemporaryDir documents_;
};

}  // namespace navoro::test
