#include "app/TForm1.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>

#include "app/ControlTexts.h"
#include "app/LanguageFile.h"
#include "app/LanguageFonts.h"
#include "app/Languages.h"
#include "app/SettingsFile.h"
#include "app/TfrmAbout.h"
#include "app/TfrmAgreement.h"
#include "diagnosis/DiagnosisPages.h"
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
      environment_(std::move(environment)) {
    ui_->setupUi(this);
    CreateTimers();
    ConnectMenus();
    ApplyFixedProperties();

    // 1. The message table exists (empty until step 7); the codec context
    //    starts cleared.
    codec_ = std::make_unique<Codec>();
    diagnosis_ = std::make_unique<DiagnosisPages>(ui_->TabSheetSystemCheck, ui_->TabSheetGpsStatus,
                                                  ui_->TabSheetDataLog, TimerUpdateSysChk, *codec_,
                                                  prompts_, messages_);
    // 2.
    ExeFolder = WithSeparator(environment_.ExeFolder);
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
    // 8. Connection set-up (serial-port component, port scan, rate list,
    //    manual page, ResetConnection): the connection manager, in PanelConnection.
    // 9. Message decoder and target table.
    codec_->Targets.ResetTargetTable();
    // 10. Ship-type list: the VOYAGE page.
    // 11.
    ui_->PageControlMain->setCurrentIndex(0);
    ui_->PageControlConf->setCurrentIndex(0);
    ui_->PageControlDiagnosis->setCurrentIndex(0);
    // 12.
    diagnosis_->InitSystemCheck();
    // 13.
    setWindowTitle(QStringLiteral("Navoro"));
    // 14. Sky plot and signal chart; InitDestinationGrid and InitMobGrid
    //     (DESTINATION and AIS MOB pages).
    diagnosis_->SetUpSatelliteViews();
    // 15.
    ui_->mnuOption->menuAction()->setVisible(false);
    // FormCreate: device arrival and removal notices, by the port discovery.

    // The other windows, created right after the main window and kept to the end.
    frmAbout_ = new TfrmAbout(prompts_, this);
    frmAgreement_ = new TfrmAgreement(this);
    // The maintenance dialog (TfrmInputDialog) and the waiting window
    // (TfrmWaitingProgress) are created here, in this order, by their parts.
}

TForm1::~TForm1() = default;

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
    const std::string languageFile = ExeFolder + language->File;
    const std::string readMeFile = ExeFolder + language->ReadMeFile;
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

}  // namespace navoro
