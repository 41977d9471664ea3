#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/ConnectionView.h"
#include "link/DeviceSession.h"
#include "link/PortSource.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace Ui {
class MainWindow;
}

namespace navoro {

class AboutDialog;
class AgreementDialog;
class Configuration;
class DemoSimulator;
class DiagnosisPages;
class GuiThreadExecutor;
class MaintenanceDialog;
class PortMonitor;
class ReplayPanel;
class WaitingWindow;
class WindowHabits;

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

// The main window: the assembly of the program's parts. It owns the device
// session (port, connection, codec, routing), the connection group that shows
// it, the configuration page and the diagnosis pages (each hears the session
// itself), the replay, the dialogs, the timers, the message table, the
// language and the settings file.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(Prompts& prompts, ShellEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- language and settings --------------------------------------------------
    // Start-up: the language of the settings file (English for one unknown).
    void ApplyStartupLanguage();
    // Switches to language `index` (0 English, 1 Traditional Chinese, 2
    // Simplified Chinese, 3 Russian); any other index does nothing.
    void SwitchLanguage(int index);
    // Applies one language file in the code page of the current language.
    void LoadLanguageFile(const std::string& path);
    bool WriteSettings(const std::string& path, std::string* error = nullptr);

    // What a confirmed exit runs before the settings are written (by default:
    // close the port and stop the simulated transponder).
    void SetPortCloser(std::function<void()> closePort) { closePort_ = std::move(closePort); }
    // Where the window's left edge goes when it is first shown (instead of the
    // centre of the screen); its top stays kWindowTop.
    void SetInitialPosition(QPoint position) { initialPosition_ = position; }
    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error.
    void WarningBox(const std::string& text) { view_.WarningBox(text); }
    void ErrorBox(const std::string& text) { view_.ErrorBox(text); }
    void ShowAbout();
    // File > Maintenance in one of its two modes.
    void OpenMaintenance(bool serialNumberSentence);

    // ---- connection --------------------------------------------------------------
    // Connect and Disconnect; a running replay ends first.
    void ToggleConnection();
    void ModeChanged() { session_->Connection().ModeChanged(); }
    void PortChosen() { session_->Connection().PortChosen(); }
    void RateChosen() { session_->Connection().RateChosen(); }

    // ---- replaying a capture ------------------------------------------------------
    // File > Open capture...: asks for a file and replays it.
    void OpenCapture();
    // Replays `path` (the command line's --replay); true when it runs.
    bool StartReplay(const std::string& path);
    ReplayPanel& Replay() { return *replay_; }

    // ---- the parts, for one another and for tests --------------------------------
    DeviceSession& Session() { return *session_; }
    ConnectionManager& Connection() { return session_->Connection(); }
    SerialPort& Serial() { return session_->Port(); }
    PortLists& Ports() { return session_->Lists(); }
    Codec& codec() { return session_->codec(); }
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
    DiagnosisPages& diagnosis() { return *diagnosis_; }
    Configuration& configuration() { return *configuration_; }
    const AppOptions& Options() const { return environment_.Options; }
    AboutDialog* about() const { return about_; }
    AgreementDialog* agreement() const { return agreement_; }
    MaintenanceDialog* maintenance() const { return maintenance_; }
    WaitingWindow* waitingWindow() const { return waiting_; }
    WindowHabits& habits() { return *habits_; }

    // With a trailing separator: the executable's folder; the folder Lang/ is
    // below; the settings file's folder.
    const std::string& ExeFolder() const { return exeFolder_; }
    const std::string& DataFolder() const { return dataFolder_; }
    const std::string& SettingsFolder() const { return settingsFolder_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    int LanguageIndex() const { return languageIndex_; }
    void SetLanguageIndex(int index) { languageIndex_ = index; }

    // The connection steps (1000 ms), the status animation (200 ms), the
    // system check (1000 ms) and the configuration's progress tick (100 ms).
    QTimer* ConnectionStepTimer() const { return timers_.ConnectionStep; }
    QTimer* StatusTimer() const { return timers_.Status; }
    QTimer* SystemCheckTimer() const { return timers_.SystemCheck; }
    QTimer* ProgressTimer() const { return progressTimer_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateTimers();
    void ConnectMenus();
    void SetUpConnection();
    void SetUpDiagnosis();
    void SetUpDialogs();
    void SetUpReplay();
    void StartSimulator();
    void SetLanguageFonts(int index);

    std::unique_ptr<Ui::MainWindow> ui_;
    Prompts& prompts_;
    ShellEnvironment environment_;
    MessageTable messages_;
    std::string exeFolder_;
    std::string dataFolder_;
    std::string settingsFolder_;
    std::string settingsPath_;
    int languageIndex_ = 0;
    ConnectionTimers timers_;
    QTimer* progressTimer_ = nullptr;
    GuiThreadExecutor* executor_;
    std::unique_ptr<PortSource> ownPortSource_;
    PortSource& portSource_;
    ConnectionView view_{this, messages_, prompts_};
    std::unique_ptr<DeviceSession> session_;
    std::unique_ptr<Configuration> configuration_;
    std::unique_ptr<DiagnosisPages> diagnosis_;
    PortMonitor* portMonitor_ = nullptr;
    DemoSimulator* simulator_ = nullptr;
    ReplayPanel* replay_ = nullptr;  // owned as a child
    std::string simulatorPort_;
    std::function<void()> closePort_;
    QFont baseFont_;
    bool centred_ = false;
    std::optional<QPoint> initialPosition_;
    AboutDialog* about_ = nullptr;              // owned as a child window
    AgreementDialog* agreement_ = nullptr;      // owned as a child window
    MaintenanceDialog* maintenance_ = nullptr;  // owned as a child window
    WaitingWindow* waiting_ = nullptr;          // owned as a child window
    WindowHabits* habits_ = nullptr;            // owned as a child
};

}  // namespace navoro
