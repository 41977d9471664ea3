// navoro: the application. Parses the command line, builds the main window and
// its dialogs, applies the saved language and runs until the user confirms exit.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <string>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "ui/QtPrompts.h"

namespace {

void ShowUncaughtError(const QString& text) {
    QMessageBox::critical(nullptr, QString::fromLatin1(navoro::kApplicationTitle), text);
}

// Shows an error that escapes an event handler and goes on with the next event.
class NavoroApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowUncaughtError(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            ShowUncaughtError(QStringLiteral("Unknown error"));
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const navoro::AppOptions options = navoro::ParseCommandLine(argc, argv);
    const std::string program = argc > 0 && argv[0] ? argv[0] : "navoro";
    if (!options.Error.empty()) {
        std::fprintf(stderr, "navoro: %s\n%s", options.Error.c_str(),
                     navoro::UsageText(program).c_str());
        return 2;
    }
    if (options.ShowHelp) {
        std::fputs(navoro::UsageText(program).c_str(), stdout);
        return 0;
    }
    if (options.ShowVersion) {
        std::fputs(navoro::VersionLine().c_str(), stdout);
        return 0;
    }

    NavoroApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("navoro"));
    QApplication::setOrganizationName(QStringLiteral("LUMO"));
    QApplication::setApplicationVersion(QString::fromLatin1(navoro::kVersionText));
    try {
        navoro::QtPrompts prompts;
        navoro::ShellEnvironment environment;
        environment.ExeFolder = QCoreApplication::applicationDirPath().toStdString();
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty()) documents = QDir::homePath();
        environment.DocumentsFolder = documents.toStdString();
        environment.Options = options;

        navoro::MainWindow form(prompts, environment);
        prompts.SetParent(&form);
        form.ApplyStartupLanguage();
        form.show();
        // A data log left by a run that did not end normally is offered once
        // the window is up.
        QTimer::singleShot(0, &form, [&form] { form.diagnosis().DataLog().OfferLeftoverLogs(); });
        if (!options.Replay.empty())
            QTimer::singleShot(0, &form, [&form, &options] { form.StartReplay(options.Replay); });
        QApplication::exec();
    } catch (const std::exception& error) {
        ShowUncaughtError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowUncaughtError(QStringLiteral("Unknown error"));
    }
    return 0;
}
