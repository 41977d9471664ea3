// Renders the main window in each language, the About dialog and the agreement
// dialog to PNG files, offscreen, and the connection group in demo mode (with
// navoro-sim beside the program): idle, connecting, connected manually and
// connected automatically, printing the time from Connect to "Connected...";
// and, in each language, the main window linked in standard mode to a
// pseudo-terminal that plays another maker's transponder (the status line,
// SHIP DATA from its SSD reply, a tab it does not offer).
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_app_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The language files are the ones copied
// beside the program; the settings file goes to a temporary folder.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "app/AboutDialog.h"
#include "app/AgreementDialog.h"
#include "app/Languages.h"
#include "app/MainWindow.h"
#include "link/PortSource.h"
#include "tests/app/SavePicture.h"
#include "tests/link/PtyPair.h"
#include "tests/support/Sentence.h"
#include "ui/ScriptedPrompts.h"

namespace {

// Connects and waits for "Connected..."; the milliseconds it took, or -1.
qint64 ConnectAndTime(navoro::MainWindow& form) {
    const navoro::ConnectionControls& c = form.ConnectionGroup();
    QElapsedTimer clock;
    clock.start();
    c.OpenPort->click();
    if (!QTest::qWaitFor([&] { return c.LabelConnectionStatus->text() == "Connected..."; }, 30000))
        return -1;
    return clock.elapsed();
}

// The connection group's states in demo mode.
bool SaveConnectionStates(const QString& outDir, const QString& documents) {
    const QString binDir = QCoreApplication::applicationDirPath();
    if (!QFileInfo(binDir + "/navoro-sim").isExecutable()) {
        std::printf("skipped the connection states: no navoro-sim in %s\n", qPrintable(binDir));
        return true;
    }
    navoro::ScriptedPrompts prompts;
    navoro::ShellEnvironment environment{binDir.toStdString(), documents.toStdString(), {}};
    environment.Options.Simulate = true;
    navoro::MainWindow form(prompts, environment);
    form.ApplyStartupLanguage();
    form.show();
    const navoro::ConnectionControls& c = form.ConnectionGroup();
    bool ok = navoro::test::SaveWidget(&form, outDir + "/connection-idle.png");

    // Connecting: at 9600 bit/s the simulator (115200) stays silent.
    c.cbxBaudRate->setCurrentIndex(1);
    emit c.cbxBaudRate->activated(1);
    c.OpenPort->click();
    QTest::qWait(900);
    ok &= navoro::test::SaveWidget(&form, outDir + "/connection-connecting.png");
    c.OpenPort->click();

    c.cbxBaudRate->setCurrentIndex(5);
    emit c.cbxBaudRate->activated(5);
    const qint64 manual = ConnectAndTime(form);
    std::printf("manual: Connect to \"Connected...\" in %lld ms\n", static_cast<long long>(manual));
    ok &= manual >= 0 && navoro::test::SaveWidget(&form, outDir + "/connection-manual.png");
    c.OpenPort->click();

    c.RadioButtonConnectionModeAuto->click();
    const qint64 automatic = ConnectAndTime(form);
    std::printf("automatic: Connect to \"Connected...\" in %lld ms\n",
                static_cast<long long>(automatic));
    ok &= automatic >= 0 && navoro::test::SaveWidget(&form, outDir + "/connection-auto.png");
    c.OpenPort->click();
    for (const navoro::PromptCall& call : prompts.Calls)
        std::printf("box: %s\n", call.Text.c_str());
    form.hide();
    return ok && prompts.Calls.empty();
}

// The window of `languageIndex` linked in standard mode.
bool SaveStandardMode(int languageIndex, const QString& code, const QString& outDir,
                      const QString& documents) {
    using navoro::test::Sentence;
    navoro::test::PtyPair device;
    if (!device.Ok()) return false;
    navoro::ScriptedPrompts prompts;
    navoro::ShellEnvironment environment{
        QCoreApplication::applicationDirPath().toStdString(), documents.toStdString(), {}};
    // The terminal is the one free port.
    navoro::ScriptedPortSource ports;
    ports.SetPorts({{device.SlavePath(), {}, "pseudo-terminal"}});
    environment.Ports = &ports;
    navoro::MainWindow form(prompts, environment);
    form.SetLanguageIndex(languageIndex);
    form.ApplyStartupLanguage();
    form.show();
    form.ConnectionStepTimer()->setInterval(40);
    // Own ship (a real payload), an alarm, a GNSS fix.
    const std::string stream =
        Sentence("!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0") +
        Sentence("$AIALR,,006,A,V,AIS: TX MALFUNCTION") +
        Sentence("$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,");
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] {
        if (form.Serial().IsOpen()) device.WriteMaster(stream);
    });
    feed.start(50);
    const navoro::ConnectionControls& c = form.ConnectionGroup();
    c.OpenPort->click();
    const bool linked = QTest::qWaitFor(
        [&] {
            return form.Connection().Mode() == navoro::LinkMode::Standard &&
                   !form.StatusTimer()->isActive();
        },
        10000);
    // The replies to the standard queries.
    device.WriteMaster(Sentence("$AISSD,PE1234,MY SHIP NAME,050,020,10,05,0,AI") +
                       Sentence("$AIVSD,70,6.5,12,HAMBURG,123000.00,15,06,0,0"));
    QTest::qWait(300);
    bool ok = linked && navoro::test::SaveWidget(&form, outDir + "/main-standard-" + code + ".png");
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    if (auto* cpa = form.findChild<QWidget*>(QStringLiteral("TabSheetCPA")); tabs && cpa) {
        tabs->setCurrentWidget(cpa);
        ok &= navoro::test::SaveWidget(&form, outDir + "/main-standard-cpa-" + code + ".png");
    }
    feed.stop();
    c.OpenPort->click();
    for (const navoro::PromptCall& call : prompts.Calls)
        std::printf("box: %s\n", call.Text.c_str());
    form.hide();
    if (!linked) std::printf("standard mode (%s): not linked\n", qPrintable(code));
    return ok && prompts.Calls.empty();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + "/../screenshots";
    QDir().mkpath(outDir);
    QTemporaryDir documents;

    const char* codes[] = {"en", "tw", "cn", "ru"};
    bool ok = true;
    for (const navoro::LanguageInfo& language : navoro::kLanguages) {
        navoro::ScriptedPrompts prompts;
        navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                             documents.path().toStdString(),
                                             {}};
        navoro::MainWindow form(prompts, environment);
        form.SetLanguageIndex(language.Index);
        form.ApplyStartupLanguage();
        const QString code = QString::fromLatin1(codes[language.Index]);
        form.show();
        ok &= navoro::test::SaveWidget(&form, outDir + "/main-" + code + ".png");
        form.about()->show();
        form.agreement()->show();
        ok &= navoro::test::SaveWidget(form.about(), outDir + "/about-" + code + ".png");
        ok &= navoro::test::SaveWidget(form.agreement(), outDir + "/agreement-" + code + ".png");
        form.about()->hide();
        form.agreement()->hide();
        form.hide();
        ok &= SaveStandardMode(language.Index, code, outDir, documents.path());
    }
    ok &= SaveConnectionStates(outDir, documents.path());
    return ok ? 0 : 1;
}
