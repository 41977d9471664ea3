#include "app/MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/AboutDialog.h"
#include "app/AgreementDialog.h"
#include "app/CaptureReplay.h"
#include "app/ControlTexts.h"
#include "app/DataFolder.h"
#include "app/DemoSimulator.h"
#include "app/LanguageFonts.h"
#include "app/Languages.h"
#include "app/SettingsFile.h"
#include "app/WindowHabits.h"
#include "app/WindowLanguage.h"
#include "app/WindowLook.h"
#include "app/WindowPalette.h"
#include "config/Configuration.h"
#include "config/MaintenanceDialog.h"
#include "config/ReadQueries.h"
#include "config/WaitingWindow.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/TargetsPage.h"
#include "link/GuiThreadExecutor.h"
#include "link/PortMonitor.h"
#include "link/UdevPortSource.h"
#include "ui/VisualTabOrder.h"
#include "ui_MainWindow.h"

namespace navoro {

namespace {

constexpr int kFontPixels = 13;
constexpr int kWindowTop = 40;

}  // namespace

MainWindow::MainWindow(Prompts& prompts, ShellEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      prompts_(prompts),
      environment_(std::move(environment)),
      executor_(new GuiThreadExecutor(this)),
      portSource_(environment_.Ports ? *environment_.Ports
                                     : *(ownPortSource_ = std::make_unique<UdevPortSource>())) {
    ui_->setupUi(this);
    CreateTimers();
    ConnectMenus();
    baseFont_ = font();
    baseFont_.setPixelSize(kFontPixels);
    setFont(baseFont_);
    StyleMainWindow(this, ui_->centralwidget, ui_->PageControlMain, ui_->PageControlConf,
                    ui_->PageControlDiagnosis);

    // Where the language files and the settings file are: the settings
    // folder <Documents>/LUMO/Navoro/ is created when missing, else the
    // documents folder itself is used. The language kept from the last run,
    // and the built-in English texts until a language file is applied.
    exeFolder_ = WithSeparator(environment_.ExeFolder);
    dataFolder_ = ResolveDataFolder(environment_.ExeFolder);
    const SettingsLocation location = ResolveSettingsLocation(environment_.DocumentsFolder);
    settingsFolder_ = location.SettingsFolder;
    settingsPath_ = location.SettingsPath;
    languageIndex_ = ReadSettings(settingsPath_);
    messages_.LoadBuiltInTexts();

    // The device session and the pages that hear it: the configuration tabs,
    // then the diagnosis pages.
    view_.Build(ui_->PanelConnection, timers_);
    session_ = std::make_unique<DeviceSession>(view_, portSource_, *executor_);
    configuration_ = std::make_unique<Configuration>(ConfigurationEnvironment{
        ui_->PageControlConf, ui_->PageControlMain, ui_->SpeedButtonSetting, ui_->SpeedButtonReload,
        progressTimer_, &messages_, &prompts_, environment_.DocumentsFolder});
    configuration_->Attach(*session_);
    SetUpDiagnosis();
    SetUpConnection();

    // Every page control on its first page; an empty target table.
    codec().Targets.ResetTargetTable();
    ui_->PageControlMain->setCurrentIndex(0);
    ui_->PageControlConf->setCurrentIndex(0);
    ui_->PageControlDiagnosis->setCurrentIndex(0);
    setWindowTitle(QStringLiteral("Navoro"));
    // The Option menu is not offered.
    ui_->mnuOption->menuAction()->setVisible(false);
    // Device arrival and removal notices.
    portMonitor_ = new PortMonitor(portSource_, Ports(), this);

    SetUpDialogs();
    SetUpReplay();
    // The window's light colours reach the controls under its style sheets.
    SpreadPalette(this);
    // File > Save/Load configuration..., Refresh, Connect and the shortcuts.
    habits_ = new WindowHabits(*this);
    // Tab follows what is seen on every page.
    KeepVisualTabOrder(ui_->PageControlConf);
    KeepVisualTabOrder(ui_->PageControlDiagnosis);
}

MainWindow::~MainWindow() {
    // No handler may run on a half-destroyed window: the port goes first.
    timers_.ConnectionStep->stop();
    timers_.Status->stop();
    session_->Port().Close();
    StopSimulator();
    // The notices' watcher uses the port lists and source, which go before
    // the window's children do.
    delete portMonitor_;
    portMonitor_ = nullptr;
}

void MainWindow::CreateTimers() {
    // Each keeps the name it is known by (tests and the settings find it so).
    const auto make = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        return timer;
    };
    timers_.ConnectionStep = make("Timer1", 1000);
    timers_.Status = make("TimerConnection", 200);
    timers_.SystemCheck = make("TimerUpdateSysChk", 1000);
    progressTimer_ = make("Timer2", 100);
    progressTimer_->start();
}

void MainWindow::ConnectMenus() {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const LanguageInfo& language : kLanguages) {
        auto* item = FindControlAs<QAction>(this, QString::fromLatin1(language.MenuItem));
        if (!item) continue;
        group->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, index = language.Index] { SwitchLanguage(index); });
    }
    ui_->mnuLangSimpChinese->setVisible(false);
    connect(ui_->mnuExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui_->btnExit, &QPushButton::clicked, this, &MainWindow::close);
    connect(ui_->mnuAbout, &QAction::triggered, this, &MainWindow::ShowAbout);
}

// ---- language and settings ---------------------------------------------------------

bool MainWindow::WriteSettings(const std::string& path, std::string* error) {
    if (habits_) return navoro::WriteSettings(path, languageIndex_, habits_->Remembered(), error);
    return navoro::WriteSettings(path, languageIndex_, error);
}

void MainWindow::ApplyStartupLanguage() {
    const LanguageInfo* language = FindLanguage(languageIndex_);
    if (!language) language = &kLanguages[0];
    if (auto* item = FindControlAs<QAction>(this, QString::fromLatin1(language->MenuItem)))
        item->setChecked(true);
    SwitchLanguage(language->Index);
}

void MainWindow::SwitchLanguage(int index) {
    const LanguageInfo* language = FindLanguage(index);
    if (!language) return;
    languageIndex_ = index;
    SetLanguageFonts(index);
    LoadLanguageFile(dataFolder_ + language->File);
    if (about_) about_->LoadReadMe(dataFolder_ + language->ReadMeFile, language->Page);
    configuration_->ApplyTexts();
    if (replay_) replay_->ApplyTexts();
}

void MainWindow::LoadLanguageFile(const std::string& path) {
    const LanguageInfo* language = FindLanguage(languageIndex_);
    const CodePage page = language ? language->Page : CodePage::Windows1250;
    WindowTexts targets(this, about_, agreement_, messages_,
                        [this] { return Connection().Handshake(); });
    navoro::LoadLanguageFile(path, page, messages_, targets);
    // The folded status text knows "Connected..." only: standard mode says its own.
    if (Connection().Mode() == LinkMode::Standard) Connection().ShowLinkedStatus();
    if (diagnosis_ && diagnosis_->AisTargets()) diagnosis_->AisTargets()->UpdateTexts();
    if (diagnosis_) diagnosis_->UpdateAlarmTexts();
}

void MainWindow::SetLanguageFonts(int index) {
    const LanguageInfo* language = FindLanguage(index);
    if (!language) return;
    const QFont languageFont = FontForScript(baseFont_, language->FontScript);
    setFont(languageFont);
    ui_->PageControlConf->setFont(languageFont);
    ui_->PageControlDiagnosis->setFont(languageFont);
    if (about_) {
        if (auto* memo = about_->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")))
            memo->setFont(languageFont);
    }
    FixClientSize(this, ui_->centralwidget);
}

// ---- the parts ---------------------------------------------------------------------

void MainWindow::SetUpDiagnosis() {
    diagnosis_ = std::make_unique<DiagnosisPages>(
        ui_->TabSheetSystemCheck, ui_->TabSheetGpsStatus, ui_->TabSheetDataLog, timers_.SystemCheck,
        codec(), prompts_, messages_, ui_->TabSheetAisTargets, ui_->TabSheetAlarms);
    DiagnosisPages& pages = *diagnosis_;
    pages.Attach(*session_);
    pages.SetAlarmBadge(view_.Controls().LabelAlarmBadge);
    // What the configuration read: the identity and its three flags, and the
    // CPA alarm's limits (the defaults while nothing was read). The system
    // check's reset sends the status request as the configuration's reads do.
    pages.Link.ReadSnapshot = [this] {
        const DeviceReadout& r = configuration_->Readout();
        const DeviceDataFlags& flags = r.Identity().Flags;
        return SystemCheckSnapshot{
            flags.FirmwareReceived,     r.Identity().Firmware,
            flags.SerialNumberReceived, r.Identity().SerialNumber,
            flags.MmsiNonZero,          r.Get<ShipDataTab>().Mmsi.value_or(0)};
    };
    pages.Link.ClearSnapshotFlags = [this] { configuration_->Readout().ForgetIdentityFlags(); };
    pages.Link.ReadCpaLimits = [this] {
        const ConfigSnapshot s = configuration_->Readout().Snapshot();
        if (s.Cpa <= 0.0f && s.Tcpa <= 0) return CpaLimits{};
        return CpaLimits{s.Cpa, static_cast<double>(s.Tcpa)};
    };
    pages.Link.SendQueries = [this](int querySet) {
        SendQueries(static_cast<unsigned>(querySet),
                    [this](const char* text) { return session_->SendText(text); });
    };
    pages.InitSystemCheck();
    pages.SetUpSatelliteViews();
}

void MainWindow::SetUpConnection() {
    PortLists& lists = Ports();
    lists.FillPortChoice = [this] { view_.FillPortChoice(Ports()); };
    for (const std::string& path : Options().Ports)
        lists.AddManualPort(path);
    view_.Drive(Connection(), [this] { ToggleConnection(); });
    Connection().SetUp();
    // A port given on the command line is the one chosen.
    for (const std::string& path : Options().Ports) {
        if (!lists.IsPresentPort(path)) continue;
        view_.SetPortText(path);
        PortChosen();
        break;
    }
    if (Options().Simulate) StartSimulator();
    closePort_ = [this] {
        session_->Port().Close();
        StopSimulator();
    };
}

void MainWindow::SetUpDialogs() {
    about_ = new AboutDialog(prompts_, this);
    agreement_ = new AgreementDialog(this);
    waiting_ = new WaitingWindow(this);
    configuration_->SetWaitingWindow(waiting_);
    configuration_->SetVersionText([this] {
        auto* label = about_->findChild<QLabel*>(QStringLiteral("Label6"));
        return label ? label->text() : QString();
    });
    maintenance_ = new MaintenanceDialog(prompts_, this);
    maintenance_->Send = [this](const std::string& line) {
        return session_->Send(line) ? SendResult::Sent : SendResult::Failed;
    };
    maintenance_->ErrorTitle = [this] { return Message(MessageId::Error); };
    maintenance_->PortOpenErrorText = [this] { return Message(MessageId::PortOpenError); };
    // The sentence goes into the data log's command field, shown for sending.
    maintenance_->PutSendCommand = [this](const QString& sentence) {
        if (auto* edit = FindControlAs<QLineEdit>(this, QStringLiteral("EditSendCommand")))
            edit->setText(sentence);
        if (auto* page = FindControlAs<QWidget>(this, QStringLiteral("TabSheetDataLog")))
            ui_->PageControlDiagnosis->setCurrentWidget(page);
        ui_->PageControlMain->setCurrentWidget(ui_->TabSheetDiagnosis);
    };
    // File > Maintenance, above Exit.
    maintenance_->AddMenu(ui_->mnuFile, ui_->mnuExit);
}

void MainWindow::SetUpReplay() {
    ReplayWindow window;
    window.Window = this;
    window.Connection = &view_.Controls();
    window.Messages = &messages_;
    window.WriteControls[0] = ui_->SpeedButtonSetting;
    window.WriteControls[1] = ui_->SpeedButtonReload;
    window.WriteControls[2] =
        FindControlAs<QWidget>(this, QStringLiteral("ButtonCustomSendCommand"));
    if (auto* maintenance = findChild<QMenu*>(QStringLiteral("mnuMaintenance")))
        window.Maintenance = maintenance->menuAction();
    window.Feed = [this](std::string_view bytes) { session_->Feed(bytes); };
    window.SetClock = [this](LocalClock* clock) {
        codec().Targets.SetClock(clock);
        if (TargetsPage* page = diagnosis_->AisTargets()) page->SetClock(clock);
    };
    window.Connected = [this] { return Connection().Active(); };
    window.Disconnect = [this] { Connection().ToggleConnection(); };
    window.ErrorBox = [this](const std::string& text) { ErrorBox(text); };
    replay_ = new ReplayPanel(std::move(window), this);
    replay_->AddOpenItem(ui_->mnuFile, [this] { OpenCapture(); });
}

void MainWindow::StartSimulator() {
    simulator_ = new DemoSimulator(this);
    std::string path;
    std::string error;
    if (!simulator_->StartDemo(exeFolder_, Options().SimulateGnss, Options().SimulateMaker, path,
                               error)) {
        ErrorBox(error);
        return;
    }
    simulatorPort_ = path;
    Ports().AddManualPort(path);
    Ports().RescanPorts();
    view_.SetPortText(path);
    PortChosen();
}

void MainWindow::StopSimulator() {
    if (simulator_) simulator_->Stop();
}

// ---- commands ------------------------------------------------------------------------

void MainWindow::ShowAbout() {
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::OpenMaintenance(bool serialNumberSentence) {
    maintenance_->Open(serialNumberSentence ? MaintenanceDialog::Mode::SerialNumberSentence
                                            : MaintenanceDialog::Mode::FactoryRestore);
}

void MainWindow::OpenCapture() {
    const std::optional<std::string> path = prompts_.AskOpenFileName(
        MessageText(MessageId::OpenCaptureTitle).toStdString(), environment_.DocumentsFolder,
        "Captures (*.log *.txt *.nmea *.gz);;All files (*)");
    if (path && !path->empty()) StartReplay(*path);
}

bool MainWindow::StartReplay(const std::string& path) {
    return replay_->StartReplay(path);
}

void MainWindow::ToggleConnection() {
    if (replay_) replay_->StopReplay();
    Connection().ToggleConnection();
}

// ---- the window ------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!prompts_.AskOkCancel(PromptIcon::Question, Message(MessageId::ExitCaption),
                              Message(MessageId::QueryExit))) {
        event->ignore();
        return;
    }
    if (closePort_) closePort_();
    std::string error;
    if (!WriteSettings(settingsPath_, &error)) {
        // The user asked to leave: say what was not kept, then leave.
        ErrorBox("The settings file \"" + settingsPath_ + "\" could not be written (" + error +
                 "). The language choice was not saved.");
    }
    about_->hide();
    agreement_->hide();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        move(FirstLeftEdge(this, initialPosition_), y());
    }
    KeepPlacement(this, kWindowTop);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        KeepPlacement(this, kWindowTop);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepPlacement(this, kWindowTop);
}

}  // namespace navoro
