#pragma once

#include <memory>
#include <string_view>

#include "codec/Codec.h"
#include "diagnosis/DiagnosisLink.h"
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
//   pages.Link = {...};                 // port writes, snapshot (optional)
//   pages.InitSystemCheck();            // window construction, in its place
//   pages.SetUpSatelliteViews();        // window construction, in its place
//   GNSS sentence accepted      -> pages.UpdateGnssStatus();
//   '!' AIS sentence accepted   -> pages.CountPositionReport();
//   every received line         -> if (pages.LogEnabled()) pages.LogLine(line);
class DiagnosisPages {
  public:
    DiagnosisPages(QWidget* systemCheckSheet, QWidget* gpsStatusSheet, QWidget* dataLogSheet,
                   QTimer* timerUpdateSysChk, Codec& codec, Prompts& prompts,
                   const MessageTable& messages, QWidget* aisTargetsSheet = nullptr);
    ~DiagnosisPages();
    DiagnosisPages(const DiagnosisPages&) = delete;
    DiagnosisPages& operator=(const DiagnosisPages&) = delete;

    // What the pages need of the connection and the configuration.
    DiagnosisLink Link;

    void InitSystemCheck();
    void SetUpSatelliteViews();
    void UpdateGnssStatus();
    void CountPositionReport();
    bool LogEnabled() const;
    void LogLine(std::string_view line);

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
