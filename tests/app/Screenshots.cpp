// Renders the main window in each language, the About dialog and the agreement
// dialog to PNG files, offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_app_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The language files are the ones copied
// beside the program; the settings file goes to a temporary folder.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "app/Languages.h"
#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "app/TfrmAbout.h"
#include "app/TfrmAgreement.h"

namespace {

bool Save(QWidget* widget, const QString& path) {
    widget->show();
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

    const char* codes[] = {"en", "tw", "cn", "ru"};
    bool ok = true;
    for (const navoro::LanguageInfo& language : navoro::kLanguages) {
        navoro::ScriptedPrompts prompts;
        navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                             documents.path().toStdString(),
                                             {}};
        navoro::TForm1 form(prompts, environment);
        form.LanguageIndex = language.Index;
        form.ApplyStartupLanguage();
        const QString code = QString::fromLatin1(codes[language.Index]);
        ok &= Save(&form, outDir + "/main-" + code + ".png");
        ok &= Save(form.frmAbout(), outDir + "/about-" + code + ".png");
        ok &= Save(form.frmAgreement(), outDir + "/agreement-" + code + ".png");
        form.frmAbout()->hide();
        form.frmAgreement()->hide();
        form.hide();
    }
    return ok ? 0 : 1;
}
