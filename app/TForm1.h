#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/ConnectionView.h"
#include "codec/Codec.h"
#include "link/ConnectionManager.h"
#include "link/LineAssembler.h"
#include "link/PortLists.h"
#include "link/PortSource.h"
#include "link/SerialPort.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace Ui {
class TForm1;
}

namespace navoro {

class DiagnosisPages;
class TfrmAbout;
class TfrmAgreement;
class TfrmInputDialog;
enum class SendResult;
class Configuration;
class TfrmWaitingProgress;
class DemoSimulator;
class GuiThreadExecutor;
class PortMonitor;
class WindowHabits;
class ReplayPanel;

// What the main window is given by its creator.
struct ShellEnvironment {
    std::string ExeFolder;        // the executable's folder; Lang/ is below it or below
                                  // ../share/navoro/ (an installed copy)
    std::string DocumentsFolder;  // the user's documents folder
    AppOptions Options;           // the command line
    // Where serial ports come from; nullptr: the system's (udev). Must outlive
    // the window.
    PortSource* Ports = nullptr;
};

// The main window. It holds the message table, the language, the settings
// file's location, the codec context and the timers; the pages of
// PageControlConf and PageControlDiagnosis are filled by their own parts, and
// received sentences go straight to them. The connection group (in
// PanelConnection on Panel1) is the connection manager's view
// (app/ConnectionView.h); the serial port, the port lists and the receive and
// send paths are wired here to the manager.
class TForm1 : public QMainWindow, public LineSink {
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
    // "Config Device": writes the active configuration tab.
    void SpeedButtonSettingClick();
    // File > Maintenance: the maintenance dialog in mode 0 (factory restore)
    // or 1 (serial-number sentence).
    void mnuMaintenanceClick(int mode);

    // Called on a confirmed exit, before the settings are written: the
    // connection manager installs the "close the port if it is open" action.
    void SetPortCloser(std::function<void()> closePort) { closePort_ = std::move(closePort); }
    // Where the window's left edge goes when it is first shown (instead of the
    // centre of the screen); its top stays kWindowTop.
    void SetInitialPosition(QPoint position) { initialPosition_ = position; }

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error.
    void WarningBox(const std::string& text) { view_.WarningBox(text); }
    void ErrorBox(const std::string& text) { view_.ErrorBox(text); }

    // ---- connection (the handlers of the connection group and timers) --------
    // Connect and Disconnect; a running replay ends first.
    void ToggleConnection();
    void ConnectionStep() { connection_.ConnectionStep(); }
    void StatusStep() { connection_.StatusStep(); }
    void ModeChanged() { connection_.ModeChanged(); }
    void PortChosen() { connection_.PortChosen(); }
    void RateChosen() { connection_.RateChosen(); }
    // Bytes are waiting at the serial port: reads them and hands every
    // complete line to the three consumers.
    void ReceiveWaiting(std::uint32_t queued);

    // ---- replaying a capture ------------------------------------------------------
    // Bytes into the receive path, as the port delivers them.
    void ReceiveBytes(std::string_view bytes) { assembler_.Feed(bytes); }
    // File > Open capture...: asks for a file and replays it.
    void mnuOpenCaptureClick();
    // Replays `path` (the command line's --replay); true when it runs.
    bool StartReplay(const std::string& path);
    ReplayPanel& Replay() { return *replay_; }

    // ---- received-line consumers (LineSink) ------------------------------------
    bool LogEnabled() const override;
    void LogLine(std::string_view line) override;
    // Admits "$"/"!" lines of at most 82 characters, routes them through the
    // codec and hands accepted ones to the handler of their formatter group.
    void RouteLine(char* line) override;
    void CheckHandshake(char* line) override { connection_.TakeHandshakeLine(line); }
    void CollectDeviceInfo(char* line) override;

    // ---- send path ----------------------------------------------------------------
    bool WritePort(const char* data, int length) {
        return connection_.Send().WritePort(data, length);
    }
    bool SendSentence(const char* talker, const char* formatter) {
        return connection_.Send().SendSentence(talker, formatter);
    }
    // SendSentence for the configuration writes and the maintenance dialog:
    // how it went, including a failed write that SendSentence reports as sent
    // while ports are detected automatically.
    SendResult SendSentenceChecked(const char* talker, const char* formatter);
    // A sentence text gets its checksum and line end in place and is sent;
    // true when sent (see link/SendPath.h).
    template <std::size_t N>
    [[nodiscard]] bool SendText(char (&text)[N]) {
        return connection_.Send().SendText(text, N);
    }
    [[nodiscard]] bool SendText(char* text, std::size_t capacity) {
        return connection_.Send().SendText(text, capacity);
    }

    // The parts of the connection, for the other parts and for tests.
    ConnectionManager& Connection() { return connection_; }
    SerialPort& Serial() { return *port_; }
    PortLists& Ports() { return lists_; }
    const ConnectionControls& ConnectionGroup() const { return view_.Controls(); }
    ConnectionView& ConnectionGroupView() { return view_; }
    // Demo mode: the simulated transponder's port ("" when not simulating).
    const std::string& SimulatorPort() const { return simulatorPort_; }
    DemoSimulator* Simulator() const { return simulator_; }
    // Stops the simulated transponder (also done on exit).
    void StopSimulator();

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
    TfrmInputDialog* frmInputDialog() const { return frmInputDialog_; }
    // The nine configuration tabs, their reply handlers and the read workflow.
    Configuration& configuration() { return *configuration_; }
    TfrmWaitingProgress* frmWaitingProgress() const { return frmWaitingProgress_; }
    // The configuration files, shortcuts and remembered settings.
    WindowHabits& habits() { return *habits_; }

    // With a trailing separator: the executable's folder; the folder Lang/ is
    // below; the settings file's folder.
    const std::string& ExeFolder() const { return exeFolder_; }
    const std::string& DataFolder() const { return dataFolder_; }
    const std::string& SettingsFolder() const { return settingsFolder_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    // The interface language (0 English, 1 Traditional Chinese, 2 Simplified
    // Chinese, 3 Russian); written to the settings file on exit.
    int LanguageIndex() const { return languageIndex_; }
    void SetLanguageIndex(int index) { languageIndex_ = index; }
    QTimer* Timer1() const { return timers_.Timer1; }  // 1000 ms, connection steps
    QTimer* TimerConnection() const { return timers_.TimerConnection; }  // 200 ms, status animation
    QTimer* TimerUpdateSysChk() const {
        return timers_.TimerUpdateSysChk;
    }                                           // 1000 ms, system check
    QTimer* Timer2() const { return timer2_; }  // 100 ms, waiting window and report countdown

  protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The diagnosis pages in their page widgets, wired to the dispatcher, the
    // data log's place on the receive path and the port.
    void SetUpDiagnosis();
    // A sentence text ("$AIAIQ,SSD") sent with its checksum and line end;
    // true when written.
    bool SendTextWithChecksum(const char* text);
    void CreateTimers();
    void ConnectMenus();
    void ApplyFixedProperties();
    void SetLanguageFonts(int index);
    void FixClientSize();
    // The configuration tabs and how they send.
    void SetUpConfiguration();
    // The serial port, the port lists, the connection group and the
    // connection manager; in demo mode the simulated transponder.
    void SetUpConnection();
    // The maintenance dialog and the menu that opens it (start-up).
    void SetUpMaintenanceDialog();
    void ConnectConnectionControls();
    void StartSimulator();
    // The replay's page, File > Open capture... and its place on the receive path.
    void SetUpReplay();

    std::unique_ptr<Ui::TForm1> ui_;
    Prompts& prompts_;
    ShellEnvironment environment_;
    MessageTable messages_;
    std::string exeFolder_;
    std::string dataFolder_;
    std::string settingsFolder_;
    std::string settingsPath_;
    int languageIndex_ = 0;
    ConnectionTimers timers_;
    QTimer* timer2_ = nullptr;
    // The codec context, created empty with the window.
    std::unique_ptr<Codec> codec_ = std::make_unique<Codec>();
    // The diagnosis pages (built into the page widgets by the constructor).
    std::unique_ptr<DiagnosisPages> diagnosis_;
    // The serial port: its reader's events reach this thread through the
    // executor.
    GuiThreadExecutor* executor_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<PortSource> ownPortSource_;
    PortSource& portSource_;
    PortLists lists_{portSource_};
    ConnectionView view_{this, messages_, prompts_};
    ConnectionManager connection_{view_, *port_, lists_, *codec_};
    LineAssembler assembler_{*this};
    PortMonitor* portMonitor_ = nullptr;
    DemoSimulator* simulator_ = nullptr;
    ReplayPanel* replay_ = nullptr;  // owned as a child
    std::string simulatorPort_;
    std::function<void()> closePort_;
    QFont baseFont_;
    bool centred_ = false;
    std::optional<QPoint> initialPosition_;
    TfrmAbout* frmAbout_ = nullptr;              // owned as a child window
    TfrmAgreement* frmAgreement_ = nullptr;      // owned as a child window
    TfrmInputDialog* frmInputDialog_ = nullptr;  // owned as a child window
    // Set when SendSentence's write failed (its OnWriteFailed ran).
    bool sendWriteFailed_ = false;
    std::unique_ptr<Configuration> configuration_;
    TfrmWaitingProgress* frmWaitingProgress_ = nullptr;  // owned as a child window
    WindowHabits* habits_ = nullptr;                     // owned as a child
};

}  // namespace navoro
