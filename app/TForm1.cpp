#include "app/TForm1.h"

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

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

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
        switch (form_.LinkState) {
            case 0:
                SetCaption(control, form_.MessageText(MessageId::StatusDisconnect));
                break;
            case 1:
                SetCaption(control, form_.MessageText(MessageId::StatusConnecting));
                break;
            case 2:
                SetCaption(control, form_.MessageText(MessageId::StatusConnected));
                break;
            default:
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
      comm_(std::make_unique<TComm>(*executor_)),
      portSource_(environment_.Ports ? *environment_.Ports
                                     : *(ownPortSource_ = std::make_unique<UdevPortSource>())) {
    ui_->setupUi(this);
    CreateTimers();
    ConnectMenus();
    ApplyFixedProperties();

    // 1. The message table exists (empty until step 7); the codec context
    //    starts cleared (a member).
    // The configuration tabs' controls, as designed (before the texts of step 7),
    // and their reply handlers on the window's hooks.
    SetUpConfiguration();
    // 2.
    ExeFolder = WithSeparator(environment_.ExeFolder);
    DataFolder = ResolveDataFolder(environment_.ExeFolder);
    // 3.-5. <Documents>/LUMO/Navoro/, created when missing; the documents
    //    folder itself when it cannot be created.
    const SettingsLocation location = ResolveSettingsLocation(environment_.DocumentsFolder);
    SettingsFolder = location.SettingsFolder;
    SettingsPath = location.SettingsPath;
    // 6.
    LanguageIndex = 0;
    ReadSettings();
    // 7.
    LoadBuiltInTexts();
    // 8. Connection set-up: the serial-port component's settings and handlers,
    //    port scan, rate list, manual page, ResetConnection; in demo mode the
    //    simulated transponder's port is added and chosen.
    SetUpConnection();
    // 9. Message decoder and target table.
    codec_->Targets.ResetTargetTable();
    // 10.
    configuration_->FillShipTypeList();
    // 11.
    ui_->PageControlMain->setCurrentIndex(0);
    ui_->PageControlConf->setCurrentIndex(0);
    ui_->PageControlDiagnosis->setCurrentIndex(0);
    // 12.
    SetUpDiagnosis();
    diagnosis_->InitSystemCheck();
    // 13.
    setWindowTitle(QStringLiteral("Navoro"));
    // 14. Sky plot and signal chart; the destination and MOB grids.
    diagnosis_->SetUpSatelliteViews();
    configuration_->InitDestinationGrid();
    configuration_->InitMobGrid();
    // 15.
    ui_->mnuOption->menuAction()->setVisible(false);
    // FormCreate: device arrival and removal notices.
    portMonitor_ = new PortMonitor(portSource_, lists_, this);

    // The other windows, created right after the main window and kept to the end.
    frmAbout_ = new TfrmAbout(prompts_, this);
    frmAgreement_ = new TfrmAgreement(this);
    SetUpMaintenanceDialog();
    frmWaitingProgress_ = new TfrmWaitingProgress(this);
    configuration_->SetWaitingWindow(frmWaitingProgress_);
    configuration_->SetVersionText([this] {
        auto* label = frmAbout_->findChild<QLabel*>(QStringLiteral("Label6"));
        return label ? label->text() : QString();
    });
}

void TForm1::SetUpDiagnosis() {
    diagnosis_ = std::make_unique<DiagnosisPages>(ui_->TabSheetSystemCheck, ui_->TabSheetGpsStatus,
                                                  ui_->TabSheetDataLog, TimerUpdateSysChk, *codec_,
                                                  prompts_, messages_);
    DiagnosisPages& pages = *diagnosis_;
    Handlers.UpdateGnssStatus = [&pages] { pages.UpdateGnssStatus(); };
    Handlers.CountPositionReport = [&pages] { pages.CountPositionReport(); };
    Handlers.LogEnabled = [&pages] { return pages.LogEnabled(); };
    Handlers.LogLine = [&pages](std::string_view line) { pages.LogLine(line); };
    pages.Link.WritePort = [this](const char* data, int length) { return WritePort(data, length); };
    pages.Link.OpenPortDown = [this] { return connection_.ConnectState == 1; };
    pages.Link.OpenPortClick = [this] { OpenPortClick(); };
    pages.Link.Linked = [this] { return connection_.LinkEstablished; };
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
    pages.Link.SendQueries = [this](int querySet) {
        navoro::SendQueries(static_cast<unsigned>(querySet),
                            [this](const char* text) { return SendTextWithChecksum(text); });
    };
}

TForm1::~TForm1() {
    // No handler may run on a half-destroyed window: the port goes first.
    Timer1->stop();
    TimerConnection->stop();
    comm_->Close();
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
    Timer1 = make("Timer1", 1000);
    TimerConnection = make("TimerConnection", 200);
    TimerUpdateSysChk = make("TimerUpdateSysChk", 1000);
    Timer2 = make("Timer2", 100);
    Timer2->start();
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

    // Sky-blue panels around standard-coloured pages.
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
    LanguageIndex = navoro::ReadSettings(SettingsPath);
}

bool TForm1::WriteSettings(const std::string& path, std::string* error) {
    return navoro::WriteSettings(path, LanguageIndex, error);
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
    const LanguageInfo* language = FindLanguage(LanguageIndex);
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
    LanguageIndex = index;
    const std::string languageFile = DataFolder + language->File;
    const std::string readMeFile = DataFolder + language->ReadMeFile;
    SetLanguageFonts(index);
    LoadLanguageFile(languageFile);
    if (frmAbout_) frmAbout_->LoadReadMe(readMeFile, language->Page);
    FillOptionLists();
}

void TForm1::LoadLanguageFile(const std::string& path) {
    const LanguageInfo* language = FindLanguage(LanguageIndex);
    const CodePage page = language ? language->Page : CodePage::Windows1250;
    WindowTexts targets(*this, frmAbout_, frmAgreement_);
    navoro::LoadLanguageFile(path, page, messages_, targets);
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
    if (sendWriteFailed_) return AutoMode() ? SendResult::Failed : SendResult::FailedReported;
    return sent ? SendResult::Sent : SendResult::Failed;
}

void TForm1::WarningBox(const std::string& text) {
    prompts_.ShowWarning(Message(MessageId::Warning), text);
}

void TForm1::ErrorBox(const std::string& text) {
    prompts_.ShowError(Message(MessageId::Error), text);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!prompts_.AskOkCancel(PromptIcon::Question, Message(MessageId::ExitCaption),
                              Message(MessageId::QueryExit))) {
        event->ignore();
        return;
    }
    if (closePort_) closePort_();
    std::string error;
    if (!WriteSettings(SettingsPath, &error)) {
        // The user asked to leave: say what was not kept, then leave.
        ErrorBox("The settings file \"" + SettingsPath + "\" could not be written (" + error +
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
            move(area.center().x() - frameGeometry().width() / 2, y());
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

namespace {

void Run(const std::function<void()>& handler) {
    if (handler) handler();
}

void StyleStatusLabel(QLabel* label, const QColor& colour, bool enabled) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    // Disabled ("Disconnect...") stays legible on the sky-blue panel.
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x5a, 0x64, 0x70));
    label->setPalette(palette);
    label->setEnabled(enabled);
}

}  // namespace

void TForm1::SetUpConfiguration() {
    configuration_ = std::make_unique<Configuration>(ConfigurationEnvironment{
        ui_->PageControlConf, ui_->PageControlMain, ui_->SpeedButtonSetting, ui_->SpeedButtonReload,
        Timer2, codec_.get(), &messages_, &prompts_, environment_.DocumentsFolder});
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
    c.SetOpenPortClick([this] { OpenPortClick(); });
    Handlers.ShowSsdReply = [&c] { c.ShowSsdReply(); };
    Handlers.ShowVsdReply = [&c] { c.ShowVsdReply(); };
    Handlers.ShowTsvReply = [&c] { c.ShowTsvReply(); };
    Handlers.ShowMblReply = [&c] { c.ShowMblReply(); };
    Handlers.ShowDesReply = [&c] { c.ShowDesReply(); };
    Handlers.ShowBauReply = [&c] { c.ShowBauReply(); };
    Handlers.ShowCpaReply = [&c] { c.ShowCpaReply(); };
    Handlers.ShowClrReply = [&c] { c.ShowClrReply(); };
    Handlers.CollectDeviceData = [&c](char* line) { c.CollectDeviceData(line); };
    Handlers.PageControlConfChange = [&c] { c.PageControlConfChange(); };
    Handlers.ClearConfigSnapshot = [&c] { ClearSnapshot(c.Snapshot); };
    Handlers.SetInlandMode = [&c](bool on) { c.SetInlandMode(on); };
    c.SetDeviceDataSeen([this] { return DeviceDataSeen; });
    c.SetSendSentenceText([this](const char* text) { return SendTextWithChecksum(text); });
}

bool TForm1::SendTextWithChecksum(const char* text) {
    std::vector<char> buffer(std::strlen(text) + SendPath::kChecksumTailSize + 1);
    std::memcpy(buffer.data(), text, std::strlen(text) + 1);
    return !SendSentenceTextFailed(buffer.data(), buffer.size());
}

void TForm1::SetUpConnection() {
    controls_ = BuildConnectionGroup(ui_->PanelConnection);
    images_ = MakeLinkImageLists();

    TComm& comm = *comm_;
    comm.SetParity(paNone);
    comm.SetDataBits(da8);
    comm.SetStopBits(sb10);
    comm.OnRxChar = [this](TComm* sender, std::uint32_t count) { CommRxChar(sender, count); };
    // A hang-up (unplugged adapter, closed pseudo-terminal) ends the reader.
    comm.OnError = [this](TComm*, int errors) {
        if (errors & CE_IOE) connection_.PortHungUp();
    };

    lists_.FillPortChoice = [this] { FillPortChoice(); };
    lists_.IsConnected = [this] { return connection_.LinkEstablished; };
    lists_.ConnectedPort = [this] { return comm_->DeviceName(); };
    lists_.OnConnectedPortGone = [this] { connection_.ConnectedPortGone(); };
    for (const std::string& path : Options().Ports)
        lists_.AddManualPort(path);

    ConnectConnectionControls();
    connection_.SetUp();
    // A port given on the command line is the one chosen.
    for (const std::string& path : Options().Ports) {
        if (!lists_.IsPresentPort(path)) continue;
        SetComPortText(path);
        cbxComPortChange();
        break;
    }
    if (Options().Simulate) StartSimulator();
    closePort_ = [this] {
        if (comm_->IsOpen()) comm_->Close();
        StopSimulator();
    };
}

void TForm1::ConnectConnectionControls() {
    const ConnectionControls& c = controls_;
    connect(c.OpenPort, &QToolButton::clicked, this, &TForm1::OpenPortClick);
    connect(c.RadioButtonConnectionModeManual, &QRadioButton::clicked, this,
            &TForm1::RadioButtonConnectionModeAutoClick);
    connect(c.RadioButtonConnectionModeAuto, &QRadioButton::clicked, this,
            &TForm1::RadioButtonConnectionModeAutoClick);
    // The user's choices only: programmatic changes emit neither signal.
    connect(c.cbxComPort, &QComboBox::activated, this, [this] { cbxComPortChange(); });
    connect(c.cbxComPort->lineEdit(), &QLineEdit::textEdited, this, [this] { cbxComPortChange(); });
    connect(c.cbxBaudRate, &QComboBox::activated, this, [this] { cbxBaudRateChange(); });
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(TimerConnection, &QTimer::timeout, this, &TForm1::TimerConnectionTimer);
}

void TForm1::StartSimulator() {
    simulator_ = new DemoSimulator(this);
    const QString program = QString::fromStdString(ExeFolder + "navoro-sim");
    std::string path;
    std::string error;
    if (!simulator_->Start(program, {QStringLiteral("--exit-with-parent")}, 10000, path, error)) {
        ErrorBox(error);
        return;
    }
    simulatorPort_ = path;
    lists_.AddManualPort(path);
    lists_.RescanPorts();
    SetComPortText(path);
    cbxComPortChange();
}

void TForm1::StopSimulator() {
    if (simulator_) simulator_->Stop();
}

void TForm1::FillPortChoice() {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    const QString chosen = box->currentText();
    box->clear();
    for (const PortChoiceItem& item : lists_.PortChoiceItems()) {
        box->addItem(QString::fromStdString(item.text));
        if (!item.toolTip.empty()) {
            box->setItemData(box->count() - 1, QString::fromStdString(item.toolTip),
                             Qt::ToolTipRole);
        }
    }
    // A re-scan keeps the user's choice: the same port, or the text as it was.
    const bool none = chosen.isEmpty() || chosen == QLatin1String(kNoPortText);
    const int index = none ? 0 : box->findText(chosen);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        box->setEditText(chosen);
    }
}

void TForm1::CommRxChar(TComm* Sender, std::uint32_t Count) {
    if (!Sender) return;
    const int count = static_cast<int>(std::min<std::uint32_t>(Count, 1u << 30));
    assembler_.Receive(
        [this, Sender](char* buffer, int size) {
            const int read = Sender->Read(buffer, size);
            if (read > 0) connection_.BytesReceived(static_cast<std::size_t>(read));
            return read;
        },
        count);
}

bool TForm1::LogEnabled() const {
    return Handlers.LogEnabled && Handlers.LogEnabled();
}

void TForm1::LogLine(std::string_view line) {
    if (Handlers.LogLine) Handlers.LogLine(line);
}

void TForm1::DispatchSentence(char* line) {
    switch (RouteReceivedLine(*codec_, line)) {
        case SentenceRoute::UpdateGnssStatus:
            Run(Handlers.UpdateGnssStatus);
            break;
        case SentenceRoute::CountPositionReport:
            Run(Handlers.CountPositionReport);
            break;
        case SentenceRoute::ShowSsdReply:
            Run(Handlers.ShowSsdReply);
            break;
        case SentenceRoute::ShowVsdReply:
            Run(Handlers.ShowVsdReply);
            break;
        case SentenceRoute::ShowTsvReply:
            Run(Handlers.ShowTsvReply);
            break;
        case SentenceRoute::ShowMblReply:
            Run(Handlers.ShowMblReply);
            break;
        case SentenceRoute::ShowDesReply:
            Run(Handlers.ShowDesReply);
            break;
        case SentenceRoute::ShowBauReply:
            Run(Handlers.ShowBauReply);
            break;
        case SentenceRoute::ShowCpaReply:
            Run(Handlers.ShowCpaReply);
            break;
        case SentenceRoute::ShowClrReply:
            Run(Handlers.ShowClrReply);
            break;
        case SentenceRoute::None:
            break;
    }
}

void TForm1::CollectDeviceData(char* line) {
    if (Handlers.CollectDeviceData) Handlers.CollectDeviceData(line);
}

const std::string& TForm1::Text(LinkText text) const {
    switch (text) {
        case LinkText::Connect:
            return Message(MessageId::Connect);
        case LinkText::Disconnect:
            return Message(MessageId::Disconnect);
        case LinkText::StatusConnecting:
            return Message(MessageId::StatusConnecting);
        case LinkText::StatusConnected:
            return Message(MessageId::StatusConnected);
        case LinkText::StatusDisconnect:
            return Message(MessageId::StatusDisconnect);
        case LinkText::PortOpenError:
            return Message(MessageId::PortOpenError);
        case LinkText::NoSerialPortExist:
            return Message(MessageId::NoSerialPortExist);
        case LinkText::AutoDetectTimeOut:
            return Message(MessageId::AutoDetectTimeOut);
        case LinkText::ManualConnectTimeOut:
            return Message(MessageId::ManualConnectTimeOut);
        case LinkText::CheckPortError:
            return Message(MessageId::CheckPortError);
        case LinkText::RateMayBeWrong:
            return Message(MessageId::RateMayBeWrong);
    }
    return Message(MessageId::Error);
}

bool TForm1::AutoMode() const {
    return controls_.RadioButtonConnectionModeAuto->isChecked();
}

void TForm1::ShowDetectPage(bool automatic) {
    controls_.PageControlDetectComPortMode->setCurrentWidget(
        automatic ? controls_.TabSheetAutoConnectComPort : controls_.TabSheetManualDetectComPort);
}

std::string TForm1::ComPortText() const {
    return controls_.cbxComPort->currentText().toStdString();
}

void TForm1::SetComPortText(const std::string& text) {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    const QString wanted = QString::fromStdString(text);
    const int index = box->findText(wanted);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        box->setEditText(wanted);
    }
}

void TForm1::SelectFirstComPort() {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    if (box->count() > 0) {
        box->setCurrentIndex(0);
    } else {
        box->setEditText(QString::fromLatin1(kNoPortText));
    }
}

void TForm1::SetBaudRateItems(const std::array<ProbeRate, 6>& rates) {
    QComboBox* box = controls_.cbxBaudRate;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const ProbeRate& rate : rates)
        box->addItem(QString::fromLatin1(rate.Text));
}

int TForm1::BaudRateEntry() const {
    return controls_.cbxBaudRate->currentIndex();
}

void TForm1::SelectBaudRateEntry(int entry) {
    const QSignalBlocker quiet(controls_.cbxBaudRate);
    controls_.cbxBaudRate->setCurrentIndex(entry);
}

void TForm1::SetAutoDetectComPort(const std::string& text) {
    controls_.EditAutoDetectComPort->setText(QString::fromStdString(text));
}

void TForm1::SetAutoDetectBaudRate(const std::string& text) {
    controls_.EditAutoDetectBaudRate->setText(QString::fromStdString(text));
}

void TForm1::SetConnectState(int connectState) {
    controls_.OpenPort->setProperty("Tag", connectState);
    controls_.OpenPort->setChecked(connectState == 1);
}

void TForm1::SetOpenPortCaption(LinkText caption) {
    controls_.OpenPort->setText(QString::fromStdString(Text(caption)));
}

void TForm1::EnableConnectionControls(bool enabled) {
    const ConnectionControls& c = controls_;
    for (QWidget* control :
         {static_cast<QWidget*>(c.GroupBoxConnectionMode),
          static_cast<QWidget*>(c.RadioButtonConnectionModeManual),
          static_cast<QWidget*>(c.RadioButtonConnectionModeAuto),
          static_cast<QWidget*>(c.cbxComPort), static_cast<QWidget*>(c.cbxBaudRate)})
        control->setEnabled(enabled);
}

void TForm1::StartConnectionTimers() {
    Timer1->start();
    TimerConnection->start();
}

void TForm1::StopConnectionTimers() {
    Timer1->stop();
    TimerConnection->stop();
}

void TForm1::StartSystemCheckTimer() {
    TimerUpdateSysChk->start();
}

void TForm1::ShowLinkStatus(int frame, LinkText text) {
    DrawLinkFrame(controls_.ImageConnectToDevice, images_.ImageListConnectToDevice, frame);
    DrawLinkFrame(controls_.ImageConnectTwoWay, images_.ImageListConnectTwoWay, frame);
    QLabel* label = controls_.LabelConnectionStatus;
    switch (text) {
        case LinkText::StatusConnecting:
            StyleStatusLabel(label, Qt::black, true);
            break;
        case LinkText::StatusConnected:
            StyleStatusLabel(label, Qt::blue, true);
            break;
        default:
            StyleStatusLabel(label, Qt::black, false);
            break;
    }
    label->setText(QString::fromStdString(Text(text)));
}

void TForm1::AnimateLinkStatus(int twoWayFrame, bool red) {
    TimerConnection->setProperty("Tag", twoWayFrame);
    controls_.LabelConnectionStatus->setProperty("Tag", connection_.LabelStatusTag);
    DrawLinkFrame(controls_.ImageConnectTwoWay, images_.ImageListConnectTwoWay, twoWayFrame);
    QLabel* label = controls_.LabelConnectionStatus;
    StyleStatusLabel(label, red ? Qt::red : Qt::black, true);
    label->setText(QString::fromStdString(Text(LinkText::StatusConnecting)));
}

void TForm1::WarningBox(LinkText text) {
    WarningBox(Text(text));
}

void TForm1::ErrorBox(LinkText text, const std::string& reason) {
    ErrorBox(reason.empty() ? Text(text) : Text(text) + "\n\n" + reason);
}

void TForm1::CommErrorBox(const std::string& message) {
    prompts_.ShowError(kApplicationTitle, message);
}

bool TForm1::AskForceConnect() {
    return prompts_.AskOkCancel(PromptIcon::Warning, Message(MessageId::Warning),
                                Text(LinkText::CheckPortError));
}

void TForm1::PostNotice(std::function<void()> notice) {
    // Queued: the box opens once the current handler (a timer's) has returned.
    QTimer::singleShot(0, this, std::move(notice));
}

void TForm1::ResetConfiguration() {
    Run(Handlers.ClearConfigSnapshot);
    if (Handlers.SetInlandMode) Handlers.SetInlandMode(false);
}

void TForm1::PageControlConfChange() {
    Run(Handlers.PageControlConfChange);
}

}  // namespace navoro
