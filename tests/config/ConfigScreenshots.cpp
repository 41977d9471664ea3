// Renders the main window with each configuration tab filled to PNG files,
// offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_config_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The window runs in demo mode: it
// starts navoro-sim (beside the program), connects to it and reads each tab
// from it as a user would. Two more pictures show SHIP DATA in inland mode
// (from the simulator's inland dump lines) and the waiting window of a read.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "config/Configuration.h"

namespace {

bool Save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Runs the event loop for `ms` milliseconds, or until `done` holds.
bool Wait(int ms, const std::function<bool()>& done = {}) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (done && done()) return true;
        QTest::qWait(10);
    }
    return !done || done();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + "/../screenshots";
    QDir().mkpath(outDir);
    QTemporaryDir documents;
    navoro::ScriptedPrompts prompts;
    navoro::AppOptions options;
    options.Simulate = true;
    navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                         documents.path().toStdString(), options};
    navoro::TForm1 form(prompts, environment);
    form.ApplyStartupLanguage();
    form.show();
    form.OpenPortClick();
    if (!Wait(15000, [&form] { return form.LinkEstablished; })) {
        std::printf("FAILED to connect to the simulated transponder\n");
        return 1;
    }
    navoro::Configuration& config = form.configuration();
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    const char* names[] = {"ship-data", "voyage",      "cpa",     "transceiver", "baud-rate",
                           "lr",        "destination", "ais-mob", "encryption"};
    bool ok = tabs != nullptr;
    for (int i = 0; ok && i < tabs->count() && i < 9; ++i) {
        tabs->setCurrentIndex(i);
        if (i == 0) config.PageControlConfChange();  // already visible: read it again
        // The replies arrive meanwhile; the waiting window goes after its time.
        Wait(6000, [&config] { return !config.ProgressActive; });
        ok &= Save(&form, outDir + "/config-" + names[i] + ".png");
    }

    // A read's waiting window, part way.
    tabs->setCurrentIndex(7);
    Wait(1500);
    ok &= Save(form.frmWaitingProgress(), outDir + "/config-waiting.png");
    Wait(6000, [&config] { return !config.ProgressActive; });

    // SHIP DATA in inland mode: the dump lines of an inland transponder.
    for (const char* line :
         {"[AIS MODE]= INLAND\r\n", "$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0*6B\r\n"})
        config.CollectDeviceData(line);
    tabs->setCurrentIndex(0);
    Wait(1500, [&config] { return !config.ProgressActive; });
    ok &= Save(&form, outDir + "/config-ship-data-inland.png");
    form.StopSimulator();
    return ok ? 0 : 1;
}
