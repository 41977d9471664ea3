#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/MessageTable.h"
#include "app/Prompts.h"
#include "codec/Codec.h"

namespace Ui {
class TForm1;
}

namespace navoro {

class DiagnosisPages;
class TfrmAbout;
class TfrmAgreement;

// What the main window is given by its creator.
struct ShellEnvironment {
    std::string ExeFolder;        // the executable's folder; Lang/ is below it
    std::string DocumentsFolder;  // the user's documents folder
    AppOptions Options;           // the command line
};

// The main window and the hub of the program. It holds the message table, the
// language, the settings file's location, the codec context and the timers; the
// pages of PageControlConf and PageControlDiagnosis are filled by their own
// parts, and the connection group by the connection manager (in
// PanelConnection on Panel1).
class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    // The whole construction; ends by creating the About and agreement dialogs.
    TForm1(Prompts& prompts, ShellEnvironment environment, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up: picks the menu item of LanguageIndex (English for a value
    // outside 0..3), checks it and runs the language switch with it.
    void ApplyStartupLanguage();

    // The language switch, shared by the four language menu items: Sender's
    // "Tag" property is the language index; any other value does nothing.
    void mnuLangTraChineseClick(QObject* Sender);
    // Applies one language file in the code page of LanguageIndex.
    void LoadLanguageFile(const std::string& path);
    // Built-in English texts into the message table, then FillOptionLists.
    void LoadBuiltInTexts();
    // Refills the five two-entry option lists (entry 0 selected) and the
    // heading cells of the destination and MOB grids from the message table.
    void FillOptionLists();

    void ReadSettings();
    bool WriteSettings(const std::string& path, std::string* error = nullptr);

    // Places lblSatelliteID 20 pixels above the bottom of Chart1 and puts the
    // window's top edge 40 pixels below the top of the screen.
    void FormResize();

    void btnExitClick();
    void mnuAboutClick();

    // Called on a confirmed exit, before the settings are written: the
    // connection manager installs the "close the port if it is open" action.
    void SetPortCloser(std::function<void()> closePort) { closePort_ = std::move(closePort); }

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error.
    void WarningBox(const std::string& text);
    void ErrorBox(const std::string& text);

    const std::string& Message(MessageId id) const { return messages_.Text(id); }
    QString MessageText(MessageId id) const { return QString::fromStdString(Message(id)); }
    MessageTable& Messages() { return messages_; }
    Prompts& prompts() { return prompts_; }
    Codec& codec() { return *codec_; }
    // The SYSTEM CHECK, GPS STATUS and DATA LOG pages.
    DiagnosisPages& diagnosis() { return *diagnosis_; }
    const AppOptions& Options() const { return environment_.Options; }
    TfrmAbout* frmAbout() const { return frmAbout_; }
    TfrmAgreement* frmAgreement() const { return frmAgreement_; }

    // Held by the main window.
    std::string ExeFolder;       // with a trailing separator
    std::string SettingsFolder;  // with a trailing separator
    std::string SettingsPath;
    int LanguageIndex = 0;
    // The connection manager's link state (0 idle, 1 awaiting the handshake,
    // 2 linked); the language switch reads it for the status label.
    int LinkState = 0;

    QTimer* Timer1 = nullptr;             // 1000 ms, connection steps
    QTimer* TimerConnection = nullptr;    // 200 ms, status animation
    QTimer* TimerUpdateSysChk = nullptr;  // 1000 ms, system check
    QTimer* Timer2 = nullptr;             // 100 ms, waiting window and report countdown

  protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateTimers();
    void ConnectMenus();
    void ApplyFixedProperties();
    void SetLanguageFonts(int index);
    void FixClientSize();

    std::unique_ptr<Ui::TForm1> ui_;
    Prompts& prompts_;
    ShellEnvironment environment_;
    MessageTable messages_;
    std::unique_ptr<Codec> codec_;
    std::unique_ptr<DiagnosisPages> diagnosis_;
    std::function<void()> closePort_;
    QFont baseFont_;
    bool centred_ = false;
    TfrmAbout* frmAbout_ = nullptr;          // owned as a child window
    TfrmAgreement* frmAgreement_ = nullptr;  // owned as a child window
};

}  // namespace navoro
