#pragma once

#include <memory>
#include <string_view>

#include "codec/Codec.h"
#include "diagnosis/DiagnosisLink.h"
#include "link/DeviceSession.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QTimer;
class QWidget;

namespace navoro {

class DataLogPage;
class GpsStatusPage;
class SystemCheckPage;
class TargetsPage;

// The three diagnosis pages, built into the main window's page widgets:
//
//   DiagnosisPages pages(systemCheckSheet, gpsStatusSheet, dataLogSheet,
//                        TimerUpdateSysChk, codec, prompts, messages,
//                        aisTargetsSheet);
//   pages.Attach(session);              // hears the session, writes through it
//   pages.Link.ReadSnapshot = ...;      // what the configuration read (optional)
//   pages.InitSystemCheck();            // window construction, in its place
//   pages.SetUpSatelliteViews();        // window construction, in its place
//
// As the session's listener: a GNSS sentence updates GPS STATUS, a '!' AIS
// sentence counts on SYSTEM CHECK, and every line goes to the data log while
// it logs.
class DiagnosisPages : public SessionListener {
  public:
    DiagnosisPages(QWidget* systemCheckSheet, QWidget* gpsStatusSheet, QWidget* dataLogSheet,
                   QTimer* timerUpdateSysChk, Codec& codec, Prompts& prompts,
                   const MessageTable& messages, QWidget* aisTargetsSheet = nullptr);
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

    SystemCheckPage& SystemCheck() { return *systemCheck_; }
    GpsStatusPage& GpsStatus() { return *gpsStatus_; }
    DataLogPage& DataLog() { return *dataLog_; }
    // The AIS TARGETS page; nullptr without its page widget.
    TargetsPage* AisTargets() { return aisTargets_.get(); }

  private:
    // The pages are children of their page widgets (deleted with them).
    SystemCheckPage* systemCheck_;
    GpsStatusPage* gpsStatus_;
    DataLogPage* dataLog_;
    std::unique_ptr<TargetsPage> aisTargets_;
};

}  // namespace navoro
