#include "app/WindowHabits.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <cstdlib>

#include "app/MainWindow.h"
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

WindowHabits::WindowHabits(MainWindow& form)
    : QObject(&form),
      form_(form),
      file_(form.findChild<QMenu*>(QStringLiteral("mnuFile"))),
      firstItem_(file_ ? file_->actions().value(0) : nullptr) {
    QAction* load = AddMenuItem("mnuLoadConfigFile", "Load configuration...");
    load->setShortcut(QKeySequence::Open);
    connect(load, &QAction::triggered, this, &WindowHabits::LoadConfiguration);
    QAction* save = AddMenuItem("mnuSaveConfigFile", "Save configuration...");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &WindowHabits::SaveConfiguration);
    QAction* refresh = AddMenuItem("mnuRefresh", "Refresh");
    refresh->setShortcut(QKeySequence::Refresh);
    connect(refresh, &QAction::triggered, this, &WindowHabits::RereadVisibleTab);
    QAction* connectItem = AddMenuItem("mnuConnect", "Connect/Disconnect");
    connectItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(connectItem, &QAction::triggered, this, [this] { form_.ToggleConnection(); });
    if (auto* exit = form_.findChild<QAction*>(QStringLiteral("mnuExit"))) {
        exit->setShortcut(QKeySequence::Quit);
        // Not every desktop has a standard key for Quit.
        if (exit->shortcut().isEmpty()) exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        if (file_) file_->insertSeparator(firstItem_);
    }

    // Manual mode keeps the rate the user chose: a switch back to manual mode
    // selects it again instead of the detection's first rate.
    const ConnectionControls& c = form_.ConnectionGroup();
    connect(c.cbxBaudRate, &QComboBox::activated, this, [this] {
        if (!form_.ConnectionGroupView().AutoMode()) manualRate_ = ShownRate();
    });
    connect(c.RadioButtonConnectionModeManual, &QRadioButton::clicked, this, [this] {
        if (manualRate_ > 0 && SelectRate(manualRate_)) form_.RateChosen();
    });
    Restore(ReadConnectionSettings(form_.SettingsPath()));
}

// ---- remembering ---------------------------------------------------------------

namespace {

QString CurrentPageName(const QTabWidget* pages) {
    return pages && pages->currentWidget() ? pages->currentWidget()->objectName() : QString();
}

void ShowPage(QTabWidget* pages, const std::string& name) {
    if (!pages || name.empty()) return;
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->widget(i)->objectName().toStdString() == name) {
            pages->setCurrentIndex(i);
            return;
        }
    }
}

std::string Trimmed(const QString& text) {
    return text.trimmed().toStdString();
}

}  // namespace

int WindowHabits::ShownRate() const {
    const int entry = form_.ConnectionGroupView().RateEntry();
    if (entry < 0 || entry >= static_cast<int>(kProbeRates.size())) return 0;
    return std::atoi(kProbeRates[static_cast<std::size_t>(entry)].Text);
}

bool WindowHabits::SelectRate(int rate) {
    for (std::size_t i = 0; i < kProbeRates.size(); ++i) {
        if (std::atoi(kProbeRates[i].Text) != rate) continue;
        form_.ConnectionGroupView().SelectRateEntry(static_cast<int>(i));
        return true;
    }
    return false;
}

ConnectionSettings WindowHabits::Remembered() const {
    ConnectionSettings kept;
    const ConnectionControls& c = form_.ConnectionGroup();
    const bool automatic = form_.ConnectionGroupView().AutoMode();
    kept.Mode = automatic ? "auto" : "manual";
    const std::string port = Trimmed(c.cbxComPort->currentText());
    if (!port.empty() && port != kNoPortText) {
        kept.Port = port;
        // The same adapter is found again in another socket by its by-id name.
        for (const PortInfo& present : form_.Ports().PresentPorts()) {
            if (present.path == port && !present.byId.empty()) kept.Port = present.byId;
        }
    }
    kept.Rate = automatic ? manualRate_ : ShownRate();
    kept.ConfigTab =
        CurrentPageName(form_.findChild<QTabWidget*>(QStringLiteral("PageControlConf")))
            .toStdString();
    kept.DiagnosisPage =
        CurrentPageName(form_.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis")))
            .toStdString();
    kept.HasPosition = true;
    kept.Left = form_.x();
    kept.Top = form_.y();
    return kept;
}

void WindowHabits::Restore(const ConnectionSettings& kept) {
    const ConnectionControls& c = form_.ConnectionGroup();
    const AppOptions& options = form_.Options();
    if (!kept.Mode.empty() && !options.Simulate) {
        QRadioButton* mode = kept.Mode == "auto" ? c.RadioButtonConnectionModeAuto
                                                 : c.RadioButtonConnectionModeManual;
        if (!mode->isChecked()) {
            mode->setChecked(true);
            form_.ModeChanged();
        }
    }
    // A port or simulator given on the command line wins.
    if (!kept.Port.empty() && options.Ports.empty() && !options.Simulate) RestorePort(kept.Port);
    if (kept.Rate > 0 && !options.Simulate) {
        manualRate_ = kept.Rate;
        if (!form_.ConnectionGroupView().AutoMode() && SelectRate(kept.Rate)) form_.RateChosen();
    }
    ShowPage(form_.findChild<QTabWidget*>(QStringLiteral("PageControlConf")), kept.ConfigTab);
    ShowPage(form_.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis")),
             kept.DiagnosisPage);
    if (kept.HasPosition) form_.SetInitialPosition(QPoint(kept.Left, kept.Top));
}

void WindowHabits::RestorePort(const std::string& port) {
    PortLists& lists = form_.Ports();
    for (const PortInfo& present : lists.PresentPorts()) {
        if (present.path != port && present.byId != port) continue;
        form_.ConnectionGroupView().SetPortText(present.path);
        form_.PortChosen();
        return;
    }
    // Not present: it stays the choice, listed as not present, so plugging
    // the adapter in is all it takes.
    lists.AddManualPort(port);
    lists.RescanPorts();
    form_.ConnectionGroupView().SetPortText(port);
    form_.PortChosen();
    QString note = QString::fromStdString(form_.Message(MessageId::PortNotPresent));
    const QString path = QString::fromStdString(port);
    note = note.contains(QLatin1String("%1")) ? note.replace(QLatin1String("%1"), path)
                                              : path + QLatin1Char(' ') + note;
    form_.ConnectionGroup().cbxComPort->setToolTip(note);
}

QAction* WindowHabits::AddMenuItem(const char* name, const char* caption) {
    auto* item = new QAction(QString::fromLatin1(caption), &form_);
    item->setObjectName(QString::fromLatin1(name));
    // In the order added, above what the File menu held before.
    if (file_) file_->insertAction(firstItem_, item);
    form_.addAction(item);
    return item;
}

void WindowHabits::SaveConfiguration() {
    const auto* main = form_.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    const auto* diagnosis = form_.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis"));
    if (Showing(main, "TabSheetDiagnosis") && Showing(diagnosis, "TabSheetDataLog")) {
        form_.diagnosis().DataLog().SaveLog();
        return;
    }
    SaveConfigurationFile(form_.configuration(), form_.prompts(), form_.Messages(),
                          form_.SettingsFolder());
}

void WindowHabits::LoadConfiguration() {
    LoadConfigurationFile(form_.configuration(), form_.prompts(), form_.Messages(),
                          form_.SettingsFolder());
}

void WindowHabits::RereadVisibleTab() {
    const auto* main = form_.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    if (Showing(main, "TabSheetConfig")) form_.configuration().ReadVisibleTab();
}

}  // namespace navoro
