// Renders the three diagnosis pages of the main window with live data to PNG
// files, offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. Two minutes of navoro-sim's output
// (GNSS sentences, own and other stations' AIS reports) are fed through the
// codec into the pages, as the receive path does, with the data log on.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "SimulatorStream.h"
#include "app/ControlTexts.h"
#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/SystemCheckPage.h"

namespace {

bool Save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
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
    navoro::ShellEnvironment environment{
        QCoreApplication::applicationDirPath().toStdString(), documents.path().toStdString(), {}};
    navoro::TForm1 form(prompts, environment);
    form.ApplyStartupLanguage();
    form.show();
    auto* main = navoro::FindControlAs<QTabWidget>(&form, "PageControlMain");
    auto* diagnosis = navoro::FindControlAs<QTabWidget>(&form, "PageControlDiagnosis");
    main->setCurrentIndex(1);
    // The GPS STATUS page in view while data arrives, so that the sky plot
    // has been drawn when the satellites are placed on it.
    diagnosis->setCurrentIndex(1);
    QApplication::processEvents();
    (void)form.grab();
    navoro::FindControlAs<QCheckBox>(&form, "cbxEnableLog")->setChecked(true);

    navoro::DiagnosisPages& pages = form.diagnosis();
    navoro::Codec& codec = form.codec();
    pages.Link.ReadSnapshot = [] {
        return navoro::SystemCheckSnapshot{
            true, "V2.1.7 (2024-03-18)", true, "LMA1B2C3D4", true, 244123456};
    };
    for (const std::string& line : navoro::test::SimulatorStream(120)) {
        if (pages.LogEnabled()) pages.LogLine(line.substr(0, line.size() - 2));
        if (!navoro::RouteSentence(codec, line.c_str())) continue;
        const int group = navoro::FormatterGroup(codec.Received.Header);
        if (group == navoro::kGroupGnss) pages.UpdateGnssStatus();
        if (group == navoro::kGroupAis && line[0] == '!') pages.CountPositionReport();
    }
    pages.SystemCheck().TimerUpdateSysChkTimer();
    pages.DataLog().FlushDataLog();

    bool ok = true;
    const char* names[] = {"system-check", "gps-status", "data-log"};
    for (int page = 0; page < 3; ++page) {
        diagnosis->setCurrentIndex(page);
        ok &= Save(&form, outDir + "/diagnosis-" + names[page] + ".png");
    }
    form.hide();
    return ok ? 0 : 1;
}
