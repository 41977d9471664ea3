#include "app/WindowHabits.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QTabWidget>

#include "app/TForm1.h"
#include "config/ConfigFileTabs.h"
#include "config/Configuration.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"

namespace navoro {

namespace {

bool Showing(const QTabWidget* pages, const char* name) {
    return pages && pages->currentWidget() &&
           pages->currentWidget()->objectName() == QLatin1String(name);
}

}  // namespace

WindowHabits::WindowHabits(TForm1& form)
    : QObject(&form),
      form_(form),
      file_(form.findChild<QMenu*>(QStringLiteral("mnuFile"))),
      firstItem_(file_ ? file_->actions().value(0) : nullptr) {
    QAction* load = AddMenuItem("mnuLoadConfigFile", "Load configuration...");
    load->setShortcut(QKeySequence::Open);
    connect(load, &QAction::triggered, this, &WindowHabits::mnuLoadConfigFileClick);
    QAction* save = AddMenuItem("mnuSaveConfigFile", "Save configuration...");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &WindowHabits::mnuSaveConfigFileClick);
    QAction* refresh = AddMenuItem("mnuRefresh", "Refresh");
    refresh->setShortcut(QKeySequence::Refresh);
    connect(refresh, &QAction::triggered, this, &WindowHabits::mnuRefreshClick);
    QAction* connectItem = AddMenuItem("mnuConnect", "Connect/Disconnect");
    connectItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(connectItem, &QAction::triggered, this, [this] { form_.OpenPortClick(); });
    if (auto* exit = form_.findChild<QAction*>(QStringLiteral("mnuExit"))) {
        exit->setShortcut(QKeySequence::Quit);
        // Not every desktop has a standard key for Quit.
        if (exit->shortcut().isEmpty()) exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        if (file_) file_->insertSeparator(firstItem_);
    }
}

QAction* WindowHabits::AddMenuItem(const char* name, const char* caption) {
    auto* item = new QAction(QString::fromLatin1(caption), &form_);
    item->setObjectName(QString::fromLatin1(name));
    // In the order added, above what the File menu held before.
    if (file_) file_->insertAction(firstItem_, item);
    form_.addAction(item);
    return item;
}

void WindowHabits::mnuSaveConfigFileClick() {
    const auto* main = form_.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    const auto* diagnosis = form_.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis"));
    if (Showing(main, "TabSheetDiagnosis") && Showing(diagnosis, "TabSheetDataLog")) {
        form_.diagnosis().DataLog().btnSaveLogClick();
        return;
    }
    SaveConfigurationFile(form_.configuration(), form_.prompts(), form_.Messages(),
                          form_.SettingsFolder());
}

void WindowHabits::mnuLoadConfigFileClick() {
    LoadConfigurationFile(form_.configuration(), form_.prompts(), form_.Messages(),
                          form_.SettingsFolder());
}

void WindowHabits::mnuRefreshClick() {
    const auto* main = form_.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    if (Showing(main, "TabSheetConfig")) form_.configuration().PageControlConfChange();
}

}  // namespace navoro
