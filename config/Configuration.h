#pragma once

// The configuration page: the nine configuration tabs (one unit each, listed
// in config/tabs/TabRegistry.h, each shown by its page in config/pages/), what
// the transponder has said about them (the readout), reading a tab or the
// whole device with the waiting window, writing a tab, the configuration
// report, and the tabs as a configuration file.
//
//   an accepted sentence   -> TakeSentence(record)   (a reply fills its tab)
//   every received line    -> TakeLine(line)         (the information dump)
//   the link is established-> ReadVisibleTab()
//   the connection is reset-> ConnectionReset()

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "config/ConfigFile.h"
#include "config/ConfigReport.h"
#include "config/WaitingWindow.h"
#include "config/WriteNote.h"
#include "config/tabs/DeviceReadout.h"
#include "config/tabs/TabRegistry.h"
#include "config/tabs/WriteRun.h"
#include "link/DeviceSession.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace navoro {

// What the configuration page is given by the main window. The widgets other
// than ConfigTabs may be null (then their part does nothing).
struct ConfigurationEnvironment {
    QTabWidget* ConfigTabs = nullptr;        // PageControlConf
    QTabWidget* MainTabs = nullptr;          // PageControlMain
    QAbstractButton* WriteButton = nullptr;  // "Config Device"
    QAbstractButton* ReadButton = nullptr;   // "Read Device"
    QTimer* ProgressTimer = nullptr;         // 100 ms, running for the program's life
    const MessageTable* messages = nullptr;
    Prompts* prompts = nullptr;
    std::string ReportFolder;  // where the report's save dialog starts
};

// What the configuration page needs of the link with the transponder.
struct ConfigLink {
    // Writes one sentence line (with its checksum and line end).
    std::function<SendResult(const std::string& line)> Send;
    // The transponder's information dump has come: reads go out.
    std::function<bool()> Linked;
    // Linked to a transponder that speaks only the standard sentences.
    std::function<bool()> StandardMode;
    // Drops the connection (after the port rates changed).
    std::function<void()> Disconnect;
};

class Configuration : public QObject, public SessionListener {
    Q_OBJECT

  public:
    explicit Configuration(const ConfigurationEnvironment& environment, QObject* parent = nullptr);
    ~Configuration() override;

    // Hears the session's replies and lines, and sends through it.
    void Attach(DeviceSession& session);
    // Or any other link (tests).
    void SetLink(ConfigLink link) { link_ = std::move(link); }

    // ---- SessionListener ------------------------------------------------------
    void SentenceAccepted(SentenceKind kind, Codec& codec) override;
    void LineReceived(std::string_view line) override { TakeLine(line); }
    void Linked() override;
    void ConnectionReset() override;
    // The program's version text for the report (the About dialog's).
    void SetVersionText(std::function<QString()> version) { version_ = std::move(version); }
    // The local time for the report (the clock by default).
    void SetClock(std::function<ReportTime()> clock) { clock_ = std::move(clock); }
    void SetWaitingWindow(WaitingWindow* window) { waiting_ = window; }
    WaitingWindow* Waiting() const { return waiting_; }
    // How long a write note stays before it fades, and how long the SHIP DATA
    // note waits for the read-back's reply (tests not about time shorten them).
    struct NoteTimings {
        int StayMilliseconds = WriteNote::kShownMilliseconds;
        int FadeMilliseconds = WriteNote::kFadeMilliseconds;
        int ReadBackWaitMilliseconds = 3000;
    };
    void SetNoteTimings(NoteTimings timings);

    // The page of a tab.
    template <typename Unit>
    TabView<typename Unit::Record>& View() {
        return *std::get<TabIndex<Unit>()>(views_);
    }

    // ---- what the transponder says -------------------------------------------
    void TakeSentence(const SentenceRecord& sentence);
    void TakeLine(std::string_view line);
    const DeviceReadout& Readout() const { return readout_; }
    DeviceReadout& Readout() { return readout_; }

    // ---- reading ------------------------------------------------------------------
    // Reads the tab that is shown (when linked): its queries, with the waiting
    // window up for the tab's read.
    void ReadVisibleTab();
    // "Read Device": every tab but the lists, then the report is offered.
    void ReadDevice();
    // The 100 ms tick: the waiting window of a read and the report's countdown.
    void ProgressTick();
    bool ProgressActive() const { return progressActive_; }

    // ---- writing -----------------------------------------------------------------
    // "Config Device": asks, writes the visible tab, says so in a note; SHIP
    // DATA is read back first.
    void WriteVisibleTab();
    // A tab's write: its values checked and sent, or the problem shown and
    // nothing sent; a send that fails stops the write and is reported. True
    // when every sentence went out.
    bool WriteTab(std::size_t tab);

    // A transponder in standard mode offers SHIP DATA and VOYAGE only: every
    // other tab says so instead of its controls, and the MMSI and IMO are
    // read-only. False puts the controls back.
    void ShowStandardInterface(bool standard);
    bool StandardInterface() const { return standardInterface_; }

    // ---- the language ----------------------------------------------------------
    void ApplyTexts();

    // ---- configuration files --------------------------------------------------------
    // Every tab as the page shows it, with the device's identity as read; the
    // first control that holds no value gives its problem instead.
    std::variant<ConfigFile, RuleProblem> TabsAsFile();
    // Shows every tab the file holds.
    void Load(const ConfigFile& file);

    // ---- the report --------------------------------------------------------------
    // Asks, builds the report into MemoRecord, asks where to save it (again
    // after a failed write), asks before overwriting, writes it and opens it
    // in the desktop's editor.
    void WriteConfigurationReport();
    // The report's lines for what was read.
    std::vector<std::string> BuildReport() const;

    // The report's countdown after "Read Device" (255: none).
    int ReportCountdown = kReportCountdownIdle;

  private:
    QString Message(MessageId id) const;
    bool DeviceLinked() const { return link_.Linked && link_.Linked(); }
    // Standard mode: the SSD or VSD query of the tab shown.
    void ReadStandardTab();
    void SendQueries(unsigned queries);
    void ShowChanges(const TabChanges& changes);
    void ShowCollectingProgress(int maximum);
    void MainPageShown();
    // Shows the problem, or runs the plan with the waiting window when it has
    // steps to show; reports a failed send. True when it all went out.
    bool RunWrite(const WriteCheck& check);
    void ShowProblem(const RuleProblem& problem);
    void ReportWriteFailure(const WriteResult& result);
    // "Written to the device: <tab>", in a note that fades.
    void ShowWriteNote(const QString& text);
    void ShowPendingWriteNote();

    ConfigurationEnvironment env_;
    ConfigLink link_;
    DeviceReadout readout_;
    ConfigTabs::Views views_;
    std::function<QString()> version_;
    std::function<ReportTime()> clock_;
    QPointer<WaitingWindow> waiting_;
    bool progressActive_ = false;
    QPointer<WriteNote> writeNote_;
    NoteTimings noteTimings_;
    QString pendingWriteNote_;
    std::size_t pendingTab_ = kTabCount;
    QTimer writeNoteFallback_;
    bool standardInterface_ = false;
};

}  // namespace navoro
