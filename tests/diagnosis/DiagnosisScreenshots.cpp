// Renders the three diagnosis pages of the main window in demo mode to PNG
// files, offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_screenshots [OUTDIR] [SECONDS] [LANGUAGE]
//       [GNSS]
//
// OUTDIR defaults to build/screenshots. LANGUAGE is the language's menu index
// (0 English, 1 Traditional Chinese, 2 Simplified Chinese, 3 Russian); when
// given, the window starts in it and the file names end in "-<index>". The window starts the
// simulated transponder (navoro-sim, beside the program) as `navoro --simulate` does, connects to
// it and receives its live stream for SECONDS seconds (default 8) with the data log on; then each
// diagnosis page is rendered, the GPS STATUS page twice, a few seconds apart, to show it moving.
// The alarms, status texts, transmitter log and channel-management region of a transponder with
// an antenna fault are put into the receive path first, so the ALARMS page, the SYSTEM CHECK's
// alarm row and the alarm badge have something to show.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include "app/ConnectionGroup.h"
#include "app/ControlTexts.h"
#include "app/MainWindow.h"
#include "tests/app/SavePicture.h"
#include "tests/support/Sentence.h"
#include "ui/ScriptedPrompts.h"

namespace {

// What a transponder with an antenna fault and a lost external position
// source reports, in the forms transponders send.
constexpr const char* kAlarmLines[] = {
    "$AIALR,081512.00,002,A,V,AIS: Antenna VSWR exceeds limit",
    "$AIALR,080030.00,025,A,A,AIS: external EPFS lost",
    "$AIALR,075900.00,029,A,A,AIS: no valid SOG information",
    "$AIALR,080400.00,029,V,A,AIS: no valid SOG information",
    "$AIALR,,051,A,V,AIS: IEC Com Error",
    "$AITXT,01,01,025,AIS: internal GNSS in use",
    "$AITXT,01,01,028,AIS: internal SOG/COG in use",
    "$AITXT,01,01,031,AIS: heading valid",
    "$AITXT,01,01,036,AIS: channel management parameters changed",
    "$AITRL,2,1,0,01122026,081500.00,01122026,093000.00,1",
    "$AITRL,2,2,1,10122026,230000.00,11122026,001500.00,4",
    "$AIACA,1,5130,N,00200,E,5030,N,00100,W,5,2087,0,2088,0,0,0,C,1,081500",
    "$AIACS,1,002320001,081500.00,10,12,2026",
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + "/../screenshots";
    const int seconds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 8;
    QDir().mkpath(outDir);
    QTemporaryDir documents;
    QString suffix;
    if (argc > 3) {
        const int language = std::atoi(argv[3]);
        suffix = QStringLiteral("-%1").arg(language);
        const QString folder = documents.path() + "/LUMO/Navoro";
        QDir().mkpath(folder);
        QFile settings(folder + "/LumoAisConfig.ini");
        if (!settings.open(QIODevice::WriteOnly) ||
            settings.write(QStringLiteral("[VIEW]\r\nLanguage=%1\r\n").arg(language).toLatin1()) <
                0) {
            std::fprintf(stderr, "could not write the settings file\n");
            return 1;
        }
    }

    navoro::ScriptedPrompts prompts;
    navoro::AppOptions options;
    options.Simulate = true;
    // The simulated receiver: classic, modern or legacy.
    if (argc > 4) options.SimulateGnss = argv[4];
    navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                         documents.path().toStdString(), options};
    navoro::MainWindow form(prompts, environment);
    form.ApplyStartupLanguage();
    form.show();
    if (form.SimulatorPort().empty()) {
        std::fprintf(stderr, "the simulated transponder did not start\n");
        return 1;
    }
    auto* main = navoro::FindControlAs<QTabWidget>(&form, "PageControlMain");
    auto* diagnosis = navoro::FindControlAs<QTabWidget>(&form, "PageControlDiagnosis");
    main->setCurrentIndex(1);
    diagnosis->setCurrentIndex(1);  // the sky plot drawn before satellites arrive
    navoro::FindControlAs<QCheckBox>(&form, "cbxEnableLog")->setChecked(true);

    form.ConnectionGroup().OpenPort->click();
    if (!QTest::qWaitFor([&] { return form.Connection().Linked(); }, 10000)) {
        std::fprintf(stderr, "no link with the simulated transponder\n");
        return 1;
    }
    for (const char* body : kAlarmLines)
        form.Session().Feed("\r\n" + navoro::test::Sentence(body));
    QTest::qWait(seconds * 1000);

    bool ok = true;
    diagnosis->setCurrentIndex(0);
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-system-check" + suffix + ".png");
    diagnosis->setCurrentIndex(1);
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-gps-status" + suffix + ".png");
    diagnosis->setCurrentIndex(2);
    QTest::qWait(200);  // the log catches up once in view
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-data-log" + suffix + ".png");
    diagnosis->setCurrentIndex(3);
    QTest::qWait(1200);  // the radar view is drawn at the next update
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-ais-targets" + suffix + ".png");
    diagnosis->setCurrentIndex(4);
    QTest::qWait(200);
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-alarms" + suffix + ".png");
    diagnosis->setCurrentIndex(1);
    QTest::qWait(4000);
    ok &= navoro::test::SaveWidget(&form, outDir + "/diagnosis-gps-status-later" + suffix + ".png");

    form.ConnectionGroup().OpenPort->click();
    form.hide();
    return ok ? 0 : 1;
}
