// Renders the main window with each configuration tab filled to PNG files,
// offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_config_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The window runs in demo mode: it
// starts navoro-sim (beside the program), connects to it and reads each tab
// from it as a user would; then each tab again in the other languages
// (config-NAME-tw/cn/ru.png). Two more pictures show SHIP DATA in inland mode
// (from the simulator's inland dump lines) and the waiting window of a read.
#include <QTabWidget>

#include "app/Languages.h"
#include "config/Configuration.h"
#include "tests/config/DemoScreenshots.h"

using navoro::test::SaveWidget;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = navoro::test::DemoWindow::OutputFolder(argc, argv);
    navoro::test::DemoWindow demo;
    if (!demo.Connect()) return 1;
    navoro::MainWindow& form = *demo.form;
    navoro::Configuration& config = form.configuration();
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    const char* names[] = {"ship-data", "voyage",      "cpa",     "transceiver", "baud-rate",
                           "lr",        "destination", "ais-mob", "encryption"};
    bool ok = tabs != nullptr;
    for (int i = 0; ok && i < tabs->count() && i < 9; ++i) {
        tabs->setCurrentIndex(i);
        if (i == 0) config.ReadVisibleTab();  // already visible: read it again
        // The replies arrive meanwhile; the waiting window goes after its time.
        (void)QTest::qWaitFor([&config] { return !config.ProgressActive(); }, 6000);
        ok &= SaveWidget(&form, outDir + "/config-" + names[i] + ".png");
    }

    // The same values in the other languages: switching keeps what was read.
    const char* codes[] = {"en", "tw", "cn", "ru"};
    for (const navoro::LanguageInfo& language : navoro::kLanguages) {
        if (language.Index == 0) continue;
        form.SetLanguageIndex(language.Index);
        form.ApplyStartupLanguage();
        for (int i = 0; ok && i < tabs->count() && i < 9; ++i) {
            tabs->setCurrentIndex(i);
            ok &= SaveWidget(&form,
                             outDir + "/config-" + names[i] + "-" + codes[language.Index] + ".png");
        }
    }
    form.SetLanguageIndex(0);
    form.ApplyStartupLanguage();

    // A read's waiting window, part way.
    tabs->setCurrentIndex(7);
    QTest::qWait(1500);
    ok &= SaveWidget(form.waitingWindow(), outDir + "/config-waiting.png");
    (void)QTest::qWaitFor([&config] { return !config.ProgressActive(); }, 6000);

    // SHIP DATA in inland mode: the dump lines of an inland transponder.
    for (const char* line :
         {"[AIS MODE]= INLAND\r\n", "$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0*6B\r\n"})
        config.TakeLine(line);
    tabs->setCurrentIndex(0);
    (void)QTest::qWaitFor([&config] { return !config.ProgressActive(); }, 1500);
    ok &= SaveWidget(&form, outDir + "/config-ship-data-inland.png");
    return ok ? 0 : 1;
}
