// Renders the main window in each language, the About dialog and the agreement
// dialog to PNG files, offscreen, and the connection group in demo mode (with
// navoro-sim beside the program): idle, connecting, connected manually and
// connected automatically, printing the time from Connect to "Connected...".
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
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "app/AboutDialog.h"
#include "app/AgreementDialog.h"
#include "app/Languages.h"
#include "app/MainWindow.h"
#include "tests/app/SavePicture.h"
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
    }
    ok &= SaveConnectionStates(outDir, documents.path());
    return ok ? 0 : 1;
}
