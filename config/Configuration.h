#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <string>

#include "codec/Codec.h"
#include "config/ConfigPages.h"
#include "config/ConfigReplies.h"
#include "config/ConfigReport.h"
#include "config/ConfigSnapshot.h"
#include "config/ReadQueries.h"
#include "config/TfrmWaitingProgress.h"
#include "config/WritePlans.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace navoro {

// What the configuration pages are given by the main window. The widgets
// other than PageControlConf may be null (then their part does nothing).
class WriteNote;

struct ConfigurationEnvironment {
    QTabWidget* PageControlConf = nullptr;
    QTabWidget* PageControlMain = nullptr;
    QAbstractButton* SpeedButtonSetting = nullptr;  // "Config Device"
    QAbstractButton* SpeedButtonReload = nullptr;   // "Read Device"
    QTimer* Timer2 = nullptr;                       // 100 ms, running for the program's life
    Codec* codec = nullptr;
    const MessageTable* messages = nullptr;
    Prompts* prompts = nullptr;
    std::string ReportFolder;  // where the report's save dialog starts
};

// The nine configuration tabs with their reply handlers, the information
// dump, inland dimensions, the read workflow with its waiting window, and the
// configuration report. The main window creates one right after its own
// controls, and routes to it:
//
//   every received line, after RouteLine and CheckHandshake
//                                     -> CollectDeviceData(line)
//   an accepted SSD, VSD, TSV, CPA, BAU, MBL, DES or CLR reply
//                                     -> ShowSsdReply() ... ShowClrReply()
//   the handshake succeeded           -> PageControlConfChange()
//   the connection was reset          -> ResetConfiguration()
//
// It connects the tab changes, "Read Device", Timer2 and its own controls'
// handlers itself.
class Configuration : public QObject {
    Q_OBJECT

  public:
    explicit Configuration(const ConfigurationEnvironment& environment, QObject* parent = nullptr);

    ConfigPages& Pages() { return pages_; }
    const ConfigPages& Pages() const { return pages_; }

    // ---- held by the main window ------------------------------------------
    ConfigSnapshot Snapshot{};
    DeviceDataFlags Flags;
    int MobEntries = 0;          // MBL entries shown since InitMobGrid
    std::string EncryptionCode;  // from the dump, at most 16 characters
    int ReportCountdown = kReportCountdownIdle;
    bool ProgressActive = false;

    // ---- what the rest of the program provides ----------------------------
    // Sends a sentence text, appending its checksum and line end; true when
    // it was written. Without it, queries go nowhere.
    void SetSendSentenceText(SendSentenceText send) { send_ = std::move(send); }
    // The connection manager's DumpEnded: reads do nothing while false.
    void SetDeviceDataSeen(std::function<bool()> seen) { deviceDataSeen_ = std::move(seen); }
    // The program's version text for the report (the About dialog's).
    void SetVersionText(std::function<QString()> version) { version_ = std::move(version); }
    // The local time for the report (the clock by default).
    void SetClock(std::function<ReportTime()> clock) { clock_ = std::move(clock); }
    void SetWaitingWindow(TfrmWaitingProgress* window) { waiting_ = window; }
    TfrmWaitingProgress* frmWaitingProgress() const { return waiting_; }

    // ---- start-up ------------------------------------------------------------
    // Fills cbxShipType from the ship-type table and selects its first row.
    void FillShipTypeList();

    // ---- reply handlers (the record the codec just stored) ----------------
    void ShowSsdReply();
    void ShowVsdReply();
    void ShowTsvReply();
    void ShowCpaReply();
    void ShowBauReply();
    void ShowMblReply();
    void ShowDesReply();
    void ShowClrReply();

    // ---- the information dump -----------------------------------------------
    // The third consumer of every received line ("...\r\n").
    void CollectDeviceData(const char* line);

    // ---- inland dimensions and numeric fields -------------------------------
    void SetInlandMode(bool on);
    void RecalcInlandDimensions();
    // A key in one of the ten decimal fields: filter, at most 800.0, derive.
    // The length or beam being typed is not raised under the user's fingers;
    // that waits until the field is left (editingFinished).
    void CSpin_InlandEditAKeyUp(QLineEdit* field);
    void Edit_N2K_DeviceInstanceKeyUp();

    // ---- control handlers -----------------------------------------------------
    void cbxShipTypeChange();
    // The encryption code can be edited only while encryption is checked.
    void CheckBoxEnableEncryptionClick();

    // ---- reading the device ----------------------------------------------------
    void InitDestinationGrid();
    void InitMobGrid();
    void PageControlConfChange();
    void SpeedButtonReloadClick();
    void Timer2Timer();
    void PageControlMainChange();
    // Shows the waiting window for a read of `maximum` 100 ms steps.
    void ShowCollectingProgress(int maximum);

    // ---- the report ----------------------------------------------------------
    // Asks, builds the report into MemoRecord, asks where to save it (again
    // after a failed write), asks before overwriting, writes it and opens it
    // in the desktop's editor.
    void WriteConfigurationReport();
    // The report's lines for the current snapshot and controls.
    std::vector<std::string> BuildReport() const;

    // ---- writing the device ---------------------------------------------------
    // SendSentence, telling how it went (composed writes: MID, SSD, VSD, DBG).
    // Without it those writes fail.
    void SetSendSentence(
        std::function<SendResult(const char* talker, const char* formatter)> send) {
        sendSentence_ = std::move(send);
    }
    // The Connect/Disconnect action: the rate write drops the link with it.
    void SetOpenPortClick(std::function<void()> openPortClick) {
        openPortClick_ = std::move(openPortClick);
    }

    // "Config Device": asks, writes the active tab and reads SHIP DATA back
    // after its write.
    void SpeedButtonSettingClick();
    // Each tab's write (the click of its hidden "Config" button). A value that
    // breaks an input rule is selected and explained, and nothing is sent; a
    // send that fails stops the write and is reported. True when every
    // sentence of the write went out.
    bool SpeedButtonSHIPData_ConfigClick();
    bool SpeedButtonVoyage_ConfigClick();
    bool spbCPAClick();
    bool spbTransponderClick();
    bool spbBaudRateClick();
    bool SpeedButton_LR_ConfigClick();
    bool SpeedButton_DestinationClick();
    bool SpeedButton_MOBClick();
    bool SpeedButtonEncryptionClick();
    // Selecting a cell of a MOB row whose MMSI is empty puts 972000000 there.
    void StringGrid_MOBListSelectCell(int row, int column);

    // ---- connection reset ------------------------------------------------------
    // Empties the snapshot and switches the inland display off.
    void ResetConfiguration();

  private:
    ReplyTargets Targets();
    bool DeviceDataSeen() const { return deviceDataSeen_ && deviceDataSeen_(); }
    QString Message(MessageId id) const;
    void ConnectControls();
    void ShowInlandValue(QLineEdit* field, int tenths);
    void RecalcInland(const QLineEdit* editing);
    // The write's input rules on the controls (grid editors, encryption code,
    // MOB default MMSI) and the hidden buttons' clicks.
    void SetUpWriteInputs();
    // Shows the problem, or runs the plan with the waiting window when it has
    // steps to show; reports a failed send. True when it all went out.
    bool RunWrite(const WriteCheck& check);
    void ShowWriteProblem(const WriteProblem& problem);
    void ReportWriteFailure(const WriteResult& result);
    // "Written to the device: <tab>", in a note that fades.
    void ShowWriteNote(const QString& text);
    void ShowPendingWriteNote();

    ConfigurationEnvironment env_;
    ConfigPages pages_;
    SendSentenceText send_;
    std::function<bool()> deviceDataSeen_;
    std::function<QString()> version_;
    std::function<ReportTime()> clock_;
    QPointer<TfrmWaitingProgress> waiting_;
    std::function<SendResult(const char*, const char*)> sendSentence_;
    std::function<void()> openPortClick_;
    QPointer<WriteNote> writeNote_;
    // The SHIP DATA note waits for the read-back's SSD reply, at most this long.
    static constexpr int kWriteNoteFallbackMilliseconds = 3000;
    QString pendingWriteNote_;
    QTimer writeNoteFallback_;
};

}  // namespace navoro
