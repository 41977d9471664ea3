#include "app/TForm1.h"
#include "app/WindowHabits.h"
#include "app/WindowPalette.h"
#include "ui/VisualTabOrder.h"

#include "app/DataFolder.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/CaptureReplay.h"
#include "app/ControlTexts.h"
#include "app/DemoSimulator.h"
#include "app/LanguageFile.h"
#include "app/LanguageFonts.h"
#include "app/Languages.h"
#include "app/SettingsFile.h"
#include "app/TfrmAbout.h"
#include "app/TfrmAgreement.h"
#include "config/Configuration.h"
#include "config/TfrmInputDialog.h"
#include "config/TfrmWaitingProgress.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/TargetsPage.h"
#include "link/GuiThreadExecutor.h"
#include "link/PortMonitor.h"
#include "link/SentenceDispatch.h"
#include "link/UdevPortSource.h"
#include "ui_TForm1.h"

namespace navoro {

namespace {

constexpr int kClientWidth = 723;
constexpr int kClientHeight = 538;
constexpr int kFontPixels = 13;
constexpr int kWindowTop = 40;
constexpr QColor kSkyBlue{0xA6, 0xCA, 0xF0};

// Button-style page tabs of 355 x 30 pixels (1-pixel border and 1-pixel
// padding on each side).
constexpr const char* kMainTabsStyle = R"(
QTabWidget#PageControlMain > QTabBar::tab {
    width: 351px; height: 26px; padding: 1px; margin: 0px;
    border: 1px solid #5b6f8a; border-radius: 4px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfdff, stop:1 #d9e3ef);
}
QTabWidget#PageControlMain > QTabBar::tab:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c3d4ea, stop:1 #e9f0f8);
    border: 2px solid #2f4f7f; font-weight: bold;
}
QTabWidget#PageControlMain > QTabBar::tab:hover:!selected { background: #eef4fb; }
QTabWidget#PageControlMain::pane { border: none; top: 2px; }
)";

// Compact page tabs, so that the nine configuration pages fit in one row.
constexpr const char* kPageTabsStyle = R"(
QTabBar::tab {
    padding: 4px 5px; margin-right: 1px;
    border: 1px solid #8c9bb0; border-bottom: none;
    border-top-left-radius: 3px; border-top-right-radius: 3px;
    background: #e3e9f1;
}
QTabBar::tab:selected { background: #fdfdfd; margin-bottom: -1px; }
QTabBar::tab:hover:!selected { background: #f0f4f9; }
QTabWidget::pane { border: 1px solid #8c9bb0; background: #fdfdfd; }
)";

// The controls a language file sets, found by name in the three windows.
class WindowTexts : public LanguageTargets {
  public:
    WindowTexts(TForm1& form, QWidget* about, QWidget* agreement)
        : form_(form), about_(about), agreement_(agreement) {}

    void SetTargetText(const LanguageKey& key, const std::string& text) override {
        QWidget* window = &form_;
        if (key.Window == KeyWindow::About) window = about_;
        if (key.Window == KeyWindow::Agreement) window = agreement_;
        QObject* control = FindControl(window, QString::fromLatin1(key.Control));
        if (!control) return;
        const QString caption = QString::fromStdString(text);
        if (key.Target == KeyTarget::EditLabel) {
            if (QLabel* label = AttachedLabel(qobject_cast<QWidget*>(control)))
                label->setText(caption);
            return;
        }
        SetCaption(control, caption);
    }

    void RunFoldedStep(const LanguageKey& step) override {
        QObject* control = FindControl(&form_, QString::fromLatin1(step.Control));
        if (!control) return;
        if (step.Target == KeyTarget::FoldOpenPort) {
            const bool connecting = control->property("Tag").toInt() == 1;
            SetCaption(control,
                       form_.MessageText(connecting ? MessageId::Disconnect : MessageId::Connect));
            return;
        }
        switch (form_.Connection().Handshake()) {
            case HandshakeState::Idle:
                SetCaption(control, form_.MessageText(MessageId::StatusDisconnect));
                break;
            case HandshakeState::AwaitingDump:
                SetCaption(control, form_.MessageText(MessageId::StatusConnecting));
                break;
            case HandshakeState::Linked:
                SetCaption(control, form_.MessageText(MessageId::StatusConnected));
                break;
        }
    }

  private:
    TForm1& form_;
    QWidget* about_;
    QWidget* agreement_;
};

// Row 0 of a grid is its heading row; a grid that shows Qt's own header takes
// the heading there instead.
void SetGridHeading(QWidget* window, const char* gridName, int column, const QString& text) {
    auto* grid = FindControlAs<QTableWidget>(window, QString::fromLatin1(gridName));
    if (!grid || column >= grid->columnCount()) return;
    QTableWidgetItem* item = nullptr;
    if (!grid->horizontalHeader()->isHidden()) {
        item = grid->horizontalHeaderItem(column);
        if (!item) {
            item = new QTableWidgetItem;
            grid->setHorizontalHeaderItem(column, item);
        }
    } else {
        if (grid->rowCount() < 1) return;
        item = grid->item(0, column);
        if (!item) {
            item = new QTableWidgetItem;
            grid->setItem(0, column, item);
        }
    }
    item->setText(text);
}

}  // namespace

TForm1::TForm1(Prompts& prompts, ShellEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      prompts_(prompts),
      environment_(std::move(environment)),
      executor_(new GuiThreadExecutor(this)),
      port_(std::make_unique<SerialPort>(*executor_)),
      portSource_(environment_.Ports ? *environment_.Ports
                                     : *(ownPortSource_ = std::make_unique<UdevPortSource>())) {
    ui_->setupUi(this);
    CreateTimers();
    ConnectMenus();
    ApplyFixedProperties();

    // The message table starts empty and the codec context cleared (members).
    // The configuration tabs' controls come first, as designed, before any
    // text is loaded.
    SetUpConfiguration();
    // Where the language files and the settings file are: the settings
    // folder <Documents>/LUMO/Navoro/ is created when missing, else the
    // documents folder itself is used.
    exeFolder_ = WithSeparator(environment_.ExeFolder);
    dataFolder_ = ResolveDataFolder(environment_.ExeFolder);
    const SettingsLocation location = ResolveSettingsLocation(environment_.DocumentsFolder);
    settingsFolder_ = location.SettingsFolder;
    settingsPath_ = location.SettingsPath;
    // The language kept from the last run, and the built-in English texts
    // until a language file is applied.
    languageIndex_ = 0;
    ReadSettings();
    LoadBuiltInTexts();
    // The serial port, port scan, rate list, manual page and a reset
    // connection; in demo mode the simulated transponder's port is
    // added and chosen.
    SetUpConnection();
    // An empty target table and the ship-type list.
    codec_->Targets.ResetTargetTable();
    configuration_->FillShipTypeList();
    // Every page control on its first page.
    ui_->PageControlMain->setCurrentIndex(0);
    ui_->PageControlConf->setCurrentIndex(0);
    ui_->PageControlDiagnosis->setCurrentIndex(0);
    // The diagnosis pages, their system check cleared.
    SetUpDiagnosis();
    diagnosis_->InitSystemCheck();
    setWindowTitle(QStringLiteral("Navoro"));
    // Sky plot and signal chart; the destination and MOB grids.
    diagnosis_->SetUpSatelliteViews();
    configuration_->InitDestinationGrid();
    configuration_->InitMobGrid();
    // The Option menu is not offered.
    ui_->mnuOption->menuAction()->setVisible(false);
    // FormCreate: device arrival and removal notices.
    portMonitor_ = new PortMonitor(portSource_, lists_, this);

    // The other windows, created right after the main window and kept to the end.
    frmAbout_ = new TfrmAbout(prompts_, this);
    frmAgreement_ = new TfrmAgreement(this);
    SetUpMaintenanceDialog();
    SetUpReplay();
    frmWaitingProgress_ = new TfrmWaitingProgress(this);
    configuration_->SetWaitingWindow(frmWaitingProgress_);
    configuration_->SetVersionText([this] {
        auto* label = frmAbout_->findChild<QLabel*>(QStringLiteral("Label6"));
        return label ? label->text() : QString();
    });
    // The window's light colours reach the controls under its style sheets.
    SpreadPalette(this);
    // File > Save/Load configuration..., Refresh, Connect and the shortcuts.
    habits_ = new WindowHabits(*this);
    // Tab follows what is seen on every page.
    KeepVisualTabOrder(ui_->PageControlConf);
    KeepVisualTabOrder(ui_->PageControlDiagnosis);
}

void TForm1::SetUpDiagnosis() {
    diagnosis_ = std::make_unique<DiagnosisPages>(
        ui_->TabSheetSystemCheck, ui_->TabSheetGpsStatus, ui_->TabSheetDataLog,
        timers_.TimerUpdateSysChk, *codec_, prompts_, messages_, ui_->TabSheetAisTargets);
    DiagnosisPages& pages = *diagnosis_;
    pages.Link.WritePort = [this](const char* data, int length) { return WritePort(data, length); };
    pages.Link.ConnectionActive = [this] { return connection_.Active(); };
    pages.Link.ToggleConnection = [this] { ToggleConnection(); };
    pages.Link.Linked = [this] { return connection_.Linked(); };
    // The configuration snapshot's identity and its three flags; the query
    // set of "Reset checks" goes out as the configuration's reads do.
    pages.Link.ReadSnapshot = [this] {
        const Configuration& c = *configuration_;
        return SystemCheckSnapshot{
            c.Flags.FirmwareReceived,     c.Snapshot.FirmwareVersion,
            c.Flags.SerialNumberReceived, c.Snapshot.SerialNumber,
            c.Flags.MmsiNonZero,          static_cast<std::uint32_t>(c.Snapshot.Mmsi)};
    };
    pages.Link.ClearSnapshotFlags = [this] { configuration_->Flags = DeviceDataFlags{}; };
    // The CPA tab's values as last read from the device; the defaults while
    // nothing was read (both zero).
    pages.Link.ReadCpaLimits = [this] {
        const ConfigSnapshot& s = configuration_->Snapshot;
        if (s.Cpa <= 0.0f && s.Tcpa <= 0) return CpaLimits{};
        return CpaLimits{s.Cpa, static_cast<double>(s.Tcpa)};
    };
    pages.Link.SendQueries = [this](int querySet) {
        navoro::SendQueries(static_cast<unsigned>(querySet),
                            [this](const char* text) { return SendTextWithChecksum(text); });
    };
}

TForm1::~TForm1() {
    // No handler may run on a half-destroyed window: the port goes first.
    timers_.Timer1->stop();
    timers_.TimerConnection->stop();
    port_->Close();
    StopSimulator();
    // The notices' watcher uses the port lists and source, which go before
    // the window's children do.
    delete portMonitor_;
    portMonitor_ = nullptr;
}

void TForm1::CreateTimers() {
    const auto make = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        return timer;
    };
    timers_.Timer1 = make("Timer1", 1000);
    timers_.TimerConnection = make("TimerConnection", 200);
    timers_.TimerUpdateSysChk = make("TimerUpdateSysChk", 1000);
    timer2_ = make("Timer2", 100);
    timer2_->start();
}

void TForm1::ConnectMenus() {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const LanguageInfo& language : kLanguages) {
        auto* item = FindControlAs<QAction>(this, QString::fromLatin1(language.MenuItem));
        if (!item) continue;
        item->setProperty("Tag", language.Index);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { mnuLangTraChineseClick(item); });
    }
    ui_->mnuLangSimpChinese->setVisible(false);
    connect(ui_->mnuExit, &QAction::triggered, this, &TForm1::btnExitClick);
    connect(ui_->btnExit, &QPushButton::clicked, this, &TForm1::btnExitClick);
    connect(ui_->mnuAbout, &QAction::triggered, this, &TForm1::mnuAboutClick);
}

void TForm1::ApplyFixedProperties() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    baseFont_ = font();
    baseFont_.setPixelSize(kFontPixels);
    setFont(baseFont_);

    // Sky-blue panels around light pages, whatever the desktop's colours.
    setPalette(LightWindowPalette());
    const QPalette standard = palette();
    QPalette sky = standard;
    sky.setColor(QPalette::Window, kSkyBlue);
    ui_->centralwidget->setPalette(sky);
    ui_->centralwidget->setAutoFillBackground(true);
    ui_->PageControlConf->setPalette(standard);
    ui_->PageControlDiagnosis->setPalette(standard);
    ui_->PageControlMain->setStyleSheet(QString::fromLatin1(kMainTabsStyle));
    ui_->PageControlConf->setStyleSheet(QString::fromLatin1(kPageTabsStyle));
    ui_->PageControlDiagnosis->setStyleSheet(QString::fromLatin1(kPageTabsStyle));
    FixClientSize();
}

void TForm1::FixClientSize() {
    ui_->centralwidget->setFixedSize(kClientWidth, kClientHeight);
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void TForm1::ReadSettings() {
    languageIndex_ = navoro::ReadSettings(settingsPath_);
}

bool TForm1::WriteSettings(const std::string& path, std::string* error) {
    if (habits_) return navoro::WriteSettings(path, languageIndex_, habits_->Remembered(), error);
    return navoro::WriteSettings(path, languageIndex_, error);
}

void TForm1::LoadBuiltInTexts() {
    messages_.LoadBuiltInTexts();
    FillOptionLists();
}

void TForm1::FillOptionLists() {
    struct OptionList {
        const char* Name;
        MessageId First;
        MessageId Second;
    };
    static constexpr OptionList kLists[] = {
        {"ComboBoxCpaAlarmType", MessageId::On, MessageId::Off},
        {"ComboBox_Tran_AisTx", MessageId::On, MessageId::Off},
        {"ComboBox_Tran_DscRx", MessageId::On, MessageId::Off},
        {"ComboBoxGpsVoltage", MessageId::Gps3, MessageId::Gps5},
        {"ComboBox_LR_Response", MessageId::LrAuto, MessageId::LrManual},
    };
    for (const OptionList& list : kLists) {
        auto* combo = FindControlAs<QComboBox>(this, QString::fromLatin1(list.Name));
        if (!combo) continue;
        // Refilling is not a user's choice: the lists' change handlers stay quiet.
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItem(MessageText(list.First));
        combo->addItem(MessageText(list.Second));
        combo->setCurrentIndex(0);
    }
    SetGridHeading(this, "StringGrid_Destination", 1, MessageText(MessageId::Destination));
    SetGridHeading(this, "StringGrid_MOBList", 1, MessageText(MessageId::Mmsi));
    SetGridHeading(this, "StringGrid_MOBList", 2, MessageText(MessageId::Name));
}

void TForm1::ApplyStartupLanguage() {
    const LanguageInfo* language = FindLanguage(languageIndex_);
    if (!language) language = &kLanguages[0];
    QAction* item = FindControlAs<QAction>(this, QString::fromLatin1(language->MenuItem));
    if (!item) return;
    item->setChecked(true);
    mnuLangTraChineseClick(item);
}

void TForm1::mnuLangTraChineseClick(QObject* Sender) {
    if (!Sender) return;
    bool isNumber = false;
    const int index = Sender->property("Tag").toInt(&isNumber);
    const LanguageInfo* language = isNumber ? FindLanguage(index) : nullptr;
    if (!language) return;
    languageIndex_ = index;
    const std::string languageFile = dataFolder_ + language->File;
    const std::string readMeFile = dataFolder_ + language->ReadMeFile;
    SetLanguageFonts(index);
    LoadLanguageFile(languageFile);
    if (frmAbout_) frmAbout_->LoadReadMe(readMeFile, language->Page);
    FillOptionLists();
    if (replay_) replay_->ApplyTexts();
}

void TForm1::LoadLanguageFile(const std::string& path) {
    const LanguageInfo* language = FindLanguage(languageIndex_);
    const CodePage page = language ? language->Page : CodePage::Windows1250;
    WindowTexts targets(*this, frmAbout_, frmAgreement_);
    navoro::LoadLanguageFile(path, page, messages_, targets);
    if (diagnosis_ && diagnosis_->AisTargets()) diagnosis_->AisTargets()->UpdateTexts();
}

void TForm1::SetLanguageFonts(int index) {
    const LanguageInfo* language = FindLanguage(index);
    if (!language) return;
    const QFont languageFont = FontForScript(baseFont_, language->FontScript);
    setFont(languageFont);
    ui_->PageControlConf->setFont(languageFont);
    ui_->PageControlDiagnosis->setFont(languageFont);
    if (frmAbout_) {
        if (auto* memo = frmAbout_->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")))
            memo->setFont(languageFont);
    }
    FixClientSize();
}

void TForm1::btnExitClick() {
    close();
}

void TForm1::mnuAboutClick() {
    frmAbout_->show();
    frmAbout_->raise();
    frmAbout_->activateWindow();
}

void TForm1::SpeedButtonSettingClick() {
    configuration_->SpeedButtonSettingClick();
}

void TForm1::SetUpMaintenanceDialog() {
    frmInputDialog_ = new TfrmInputDialog(*codec_, prompts_, this);
    frmInputDialog_->SendSentence = [this](const char* talker, const char* formatter) {
        return SendSentenceChecked(talker, formatter);
    };
    frmInputDialog_->ErrorTitle = [this] { return Message(MessageId::Error); };
    frmInputDialog_->PortOpenErrorText = [this] { return Message(MessageId::PortOpenError); };
    // The sentence goes into the data log's command field, shown for sending.
    frmInputDialog_->PutSendCommand = [this](const QString& sentence) {
        if (auto* edit = FindControlAs<QLineEdit>(this, QStringLiteral("EditSendCommand")))
            edit->setText(sentence);
        if (auto* page = FindControlAs<QWidget>(this, QStringLiteral("TabSheetDataLog")))
            ui_->PageControlDiagnosis->setCurrentWidget(page);
        ui_->PageControlMain->setCurrentWidget(ui_->TabSheetDiagnosis);
    };
    // File > Maintenance, above Exit.
    auto* menu = new QMenu(QStringLiteral("Maintenance(&M)"), this);
    menu->setObjectName(QStringLiteral("mnuMaintenance"));
    const std::pair<const char*, const char*> items[] = {
        {"mnuFactoryRestore", "Factory Restore(&F)..."},
        {"mnuSerialNumberSentence", "Generate Serial Number Sentence(&G)..."}};
    for (int mode = 0; mode < 2; ++mode) {
        QAction* item = menu->addAction(QString::fromLatin1(items[mode].second));
        item->setObjectName(QString::fromLatin1(items[mode].first));
        connect(item, &QAction::triggered, this, [this, mode] { mnuMaintenanceClick(mode); });
    }
    ui_->mnuFile->insertMenu(ui_->mnuExit, menu);
    ui_->mnuFile->insertSeparator(ui_->mnuExit);
}

void TForm1::SetUpReplay() {
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
    window.Feed = [this](std::string_view bytes) { ReceiveBytes(bytes); };
    window.SetClock = [this](LocalClock* clock) {
        codec_->Targets.SetClock(clock);
        if (TargetsPage* page = diagnosis_->AisTargets()) page->SetClock(clock);
    };
    window.Connected = [this] { return connection_.Active(); };
    window.Disconnect = [this] { connection_.ToggleConnection(); };
    window.ErrorBox = [this](const std::string& text) { ErrorBox(text); };
    replay_ = new ReplayPanel(std::move(window), this);
    // File > Open capture..., first in the menu.
    auto* item = new QAction(QStringLiteral("Open capture(&O)..."), this);
    item->setObjectName(QStringLiteral("mnuOpenCapture"));
    connect(item, &QAction::triggered, this, &TForm1::mnuOpenCaptureClick);
    const QList<QAction*> items = ui_->mnuFile->actions();
    ui_->mnuFile->insertAction(items.isEmpty() ? nullptr : items.front(), item);
    ui_->mnuFile->insertSeparator(items.isEmpty() ? nullptr : items.front());
}

void TForm1::mnuOpenCaptureClick() {
    const std::optional<std::string> path = prompts_.AskOpenFileName(
        MessageText(MessageId::OpenCaptureTitle).toStdString(), environment_.DocumentsFolder,
        "Captures (*.log *.txt *.nmea *.gz);;All files (*)");
    if (path && !path->empty()) StartReplay(*path);
}

bool TForm1::StartReplay(const std::string& path) {
    return replay_->StartReplay(path);
}

void TForm1::ToggleConnection() {
    if (replay_) replay_->StopReplay();
    connection_.ToggleConnection();
}

void TForm1::mnuMaintenanceClick(int mode) {
    frmInputDialog_->Mode = static_cast<std::uint8_t>(mode == 1 ? 1 : 0);
    if (frmInputDialog_->isVisible()) frmInputDialog_->FormShow();
    frmInputDialog_->show();
    frmInputDialog_->raise();
    frmInputDialog_->activateWindow();
}

SendResult TForm1::SendSentenceChecked(const char* talker, const char* formatter) {
    sendWriteFailed_ = false;
    const bool sent = SendSentence(talker, formatter);
    // A failed write in manual mode has been reported (and the link dropped);
    // in automatic mode SendSentence calls it sent.
    if (sendWriteFailed_) return view_.AutoMode() ? SendResult::Failed : SendResult::FailedReported;
    return sent ? SendResult::Sent : SendResult::Failed;
}

void TForm1::closeEvent(QCloseEvent* event) {
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
    frmAbout_->hide();
    frmAgreement_->hide();
    event->accept();
}

void TForm1::FormResize() {
    auto* chart = FindControlAs<QWidget>(this, QStringLiteral("Chart1"));
    auto* label = FindControlAs<QWidget>(this, QStringLiteral("lblSatelliteID"));
    if (chart && label && label->parentWidget()) {
        const QPoint chartBottom =
            label->parentWidget()->mapFromGlobal(chart->mapToGlobal(QPoint(0, chart->height())));
        label->move(label->x(), chartBottom.y() - 20);
    }
    if (!isMinimized()) move(x(), kWindowTop);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            int left = area.center().x() - frameGeometry().width() / 2;
            // Where the user left it, as long as it can be seen there.
            const QRect desktop = screen->virtualGeometry();
            constexpr int kVisible = 100;  // pixels of the window that stay on the desktop
            if (initialPosition_ &&
                initialPosition_->x() >= desktop.left() - frameGeometry().width() + kVisible &&
                initialPosition_->x() <= desktop.right() - kVisible)
                left = initialPosition_->x();
            move(left, y());
        }
    }
    FormResize();
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) FormResize();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

// ---- connection -------------------------------------------------------------------

void TForm1::SetUpConfiguration() {
    configuration_ = std::make_unique<Configuration>(ConfigurationEnvironment{
        ui_->PageControlConf, ui_->PageControlMain, ui_->SpeedButtonSetting, ui_->SpeedButtonReload,
        timer2_, codec_.get(), &messages_, &prompts_, environment_.DocumentsFolder});
    Configuration& c = *configuration_;
    // The writes need to know when SendSentence's write failed.
    SendPath& send = connection_.Send();
    send.OnWriteFailed = [this, failed = send.OnWriteFailed] {
        sendWriteFailed_ = true;
        return failed ? failed() : false;
    };
    c.SetSendSentence([this](const char* talker, const char* formatter) {
        return SendSentenceChecked(talker, formatter);
    });
    c.SetOpenPortClick([this] { ToggleConnection(); });
    c.SetDeviceDataSeen([this] { return connection_.DumpEnded(); });
    c.SetSendSentenceText([this](const char* text) { return SendTextWithChecksum(text); });
}

bool TForm1::SendTextWithChecksum(const char* text) {
    std::vector<char> buffer(std::strlen(text) + SendPath::kChecksumTailSize + 1);
    std::memcpy(buffer.data(), text, std::strlen(text) + 1);
    return SendText(buffer.data(), buffer.size());
}

void TForm1::SetUpConnection() {
    view_.Build(ui_->PanelConnection, timers_, *configuration_, connection_);

    // The port's default line format, 8 data bits, no parity and one stop bit, is
    // the transponder's.
    port_->OnDataWaiting = [this](std::uint32_t queued) { ReceiveWaiting(queued); };
    // A hang-up (unplugged adapter, closed pseudo-terminal) ends the reader.
    port_->OnHangUp = [this] { connection_.PortHungUp(); };

    lists_.FillPortChoice = [this] { view_.FillPortChoice(lists_); };
    lists_.IsConnected = [this] { return connection_.Linked(); };
    lists_.ConnectedPort = [this] { return port_->DevicePath(); };
    lists_.OnConnectedPortGone = [this] { connection_.ConnectedPortGone(); };
    for (const std::string& path : Options().Ports)
        lists_.AddManualPort(path);

    ConnectConnectionControls();
    connection_.SetUp();
    // A port given on the command line is the one chosen.
    for (const std::string& path : Options().Ports) {
        if (!lists_.IsPresentPort(path)) continue;
        view_.SetPortText(path);
        PortChosen();
        break;
    }
    if (Options().Simulate) StartSimulator();
    closePort_ = [this] {
        if (port_->IsOpen()) port_->Close();
        StopSimulator();
    };
}

void TForm1::ConnectConnectionControls() {
    const ConnectionControls& c = view_.Controls();
    connect(c.OpenPort, &QToolButton::clicked, this, &TForm1::ToggleConnection);
    connect(c.RadioButtonConnectionModeManual, &QRadioButton::clicked, this, &TForm1::ModeChanged);
    connect(c.RadioButtonConnectionModeAuto, &QRadioButton::clicked, this, &TForm1::ModeChanged);
    // The user's choices only: programmatic changes emit neither signal.
    connect(c.cbxComPort, &QComboBox::activated, this, [this] { PortChosen(); });
    connect(c.cbxComPort->lineEdit(), &QLineEdit::textEdited, this, [this] { PortChosen(); });
    connect(c.cbxBaudRate, &QComboBox::activated, this, [this] { RateChosen(); });
    connect(timers_.Timer1, &QTimer::timeout, this, &TForm1::ConnectionStep);
    connect(timers_.TimerConnection, &QTimer::timeout, this, &TForm1::StatusStep);
}

void TForm1::StartSimulator() {
    simulator_ = new DemoSimulator(this);
    const QString program = QString::fromStdString(exeFolder_ + "navoro-sim");
    std::string path;
    std::string error;
    QStringList arguments{QStringLiteral("--exit-with-parent")};
    if (!Options().SimulateGnss.empty())
        arguments << QStringLiteral("--gnss") << QString::fromStdString(Options().SimulateGnss);
    if (!simulator_->Start(program, arguments, 10000, path, error)) {
        ErrorBox(error);
        return;
    }
    simulatorPort_ = path;
    lists_.AddManualPort(path);
    lists_.RescanPorts();
    view_.SetPortText(path);
    PortChosen();
}

void TForm1::StopSimulator() {
    if (simulator_) simulator_->Stop();
}

void TForm1::ReceiveWaiting(std::uint32_t queued) {
    const int count = static_cast<int>(std::min<std::uint32_t>(queued, 1u << 30));
    assembler_.Receive(
        [this](char* buffer, int size) {
            const int read = port_->Read(buffer, size);
            if (read > 0) connection_.BytesReceived(static_cast<std::size_t>(read));
            return read;
        },
        count);
}

bool TForm1::LogEnabled() const {
    return diagnosis_ && diagnosis_->LogEnabled();
}

void TForm1::LogLine(std::string_view line) {
    if (diagnosis_) diagnosis_->LogLine(line);
}

void TForm1::RouteLine(char* line) {
    const SentenceRoute route = RouteReceivedLine(*codec_, line);
    if (!diagnosis_ || !configuration_) return;  // not before the window is built
    Configuration& c = *configuration_;
    switch (route) {
        case SentenceRoute::UpdateGnssStatus:
            diagnosis_->UpdateGnssStatus();
            break;
        case SentenceRoute::CountPositionReport:
            diagnosis_->CountPositionReport();
            break;
        case SentenceRoute::ShowSsdReply:
            c.ShowSsdReply();
            break;
        case SentenceRoute::ShowVsdReply:
            c.ShowVsdReply();
            break;
        case SentenceRoute::ShowTsvReply:
            c.ShowTsvReply();
            break;
        case SentenceRoute::ShowMblReply:
            c.ShowMblReply();
            break;
        case SentenceRoute::ShowDesReply:
            c.ShowDesReply();
            break;
        case SentenceRoute::ShowBauReply:
            c.ShowBauReply();
            break;
        case SentenceRoute::ShowCpaReply:
            c.ShowCpaReply();
            break;
        case SentenceRoute::ShowClrReply:
            c.ShowClrReply();
            break;
        case SentenceRoute::None:
            break;
    }
}

void TForm1::CollectDeviceInfo(char* line) {
    if (configuration_) configuration_->CollectDeviceData(line);
}

}  // namespace navoro
