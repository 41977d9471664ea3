#pragma once

#include <memory>
#include <string_view>

#include "codec/Codec.h"
#include "diagnosis/AlarmBoard.h"
#include "diagnosis/DiagnosisLink.h"
#include "link/DeviceSession.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QLabel;
class QTimer;
class QWidget;

namespace navoro {

class AlarmsPage;
class DataLogPage;
class GpsStatusPage;
class SystemCheckPage;
class TargetsPage;

// The diagnosis pages, built into the main window's page widgets:
//
//   DiagnosisPages pages(systemCheckSheet, gpsStatusSheet, dataLogSheet,
//                        TimerUpdateSysChk, codec, prompts, messages,
//                        aisTargetsSheet, alarmsSheet);
//   pages.Attach(session);              // hears the session, writes through it
//   pages.Link.ReadSnapshot = ...;      // what the configuration read (optional)
//   pages.InitSystemCheck();            // window construction, in its place
//   pages.SetUpSatelliteViews();        // window construction, in its place
//
// As the session's listener: a GNSS sentence updates GPS STATUS, a '!' AIS
// sentence counts on SYSTEM CHECK, an alarm, status text, transmitter log
// entry or channel-management region goes to the alarm board (kept here for
// the whole session, whichever page is shown) and the ALARMS page, and every
// line goes to the data log while it logs. A new link forgets the board and
// asks the transponder for every alarm's state.
class DiagnosisPages : public SessionListener {
  public:
    DiagnosisPages(QWidget* systemCheckSheet, QWidget* gpsStatusSheet, QWidget* dataLogSheet,
                   QTimer* timerUpdateSysChk, Codec& codec, Prompts& prompts,
                   const MessageTable& messages, QWidget* aisTargetsSheet = nullptr,
                   QWidget* alarmsSheet = nullptr);
    ~DiagnosisPages() override;
    DiagnosisPages(const DiagnosisPages&) = delete;
    DiagnosisPages& operator=(const DiagnosisPages&) = delete;

    // What the pages need of the connection and the configuration.
    DiagnosisLink Link;

    // The session's port writes, connection and link state; subscribes.
    void Attach(DeviceSession& session);

    void InitSystemCheck();
    void SetUpSatelliteViews();

    // SessionListener.
    bool WantsRawLines() const override;
    void RawLine(std::string_view line) override;
    void SentenceAccepted(SentenceKind kind, Codec& codec) override;
    void Linked() override;

    // The label beside the connection status that counts the alarms waiting
    // for acknowledgement.
    void SetAlarmBadge(QLabel* badge);
    // The ALARMS page's texts in the language now loaded.
    void UpdateAlarmTexts();

    SystemCheckPage& SystemCheck() { return *systemCheck_; }
    GpsStatusPage& GpsStatus() { return *gpsStatus_; }
    DataLogPage& DataLog() { return *dataLog_; }
    // The AIS TARGETS page; nullptr without its page widget.
    TargetsPage* AisTargets() { return aisTargets_.get(); }
    AlarmBoard& Alarms() { return alarmBoard_; }
    // The ALARMS page; nullptr without its page widget.
    AlarmsPage* AlarmsView() { return alarms_; }

  private:
    AlarmBoard alarmBoard_;
    // The pages are children of their page widgets (deleted with them).
    SystemCheckPage* systemCheck_;
    GpsStatusPage* gpsStatus_;
    DataLogPage* dataLog_;
    std::unique_ptr<TargetsPage> aisTargets_;
    AlarmsPage* alarms_ = nullptr;
};

}  // namespace navoro
