#include "diagnosis/DiagnosisPages.h"

#include "diagnosis/DataLogPage.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SystemCheckPage.h"
#include "diagnosis/TargetsPage.h"

namespace navoro {

DiagnosisPages::DiagnosisPages(QWidget* systemCheckSheet, QWidget* gpsStatusSheet,
                               QWidget* dataLogSheet, QTimer* timerUpdateSysChk, Codec& codec,
                               Prompts& prompts, const MessageTable& messages,
                               QWidget* aisTargetsSheet)
    : systemCheck_(new SystemCheckPage(systemCheckSheet, codec, prompts, Link, timerUpdateSysChk,
                                       &messages)),
      gpsStatus_(new GpsStatusPage(gpsStatusSheet, codec)),
      dataLog_(new DataLogPage(dataLogSheet, prompts, messages, Link)) {
    if (aisTargetsSheet != nullptr)
        aisTargets_ = std::make_unique<TargetsPage>(aisTargetsSheet, codec, messages, Link);
}

DiagnosisPages::~DiagnosisPages() = default;

void DiagnosisPages::InitSystemCheck() {
    systemCheck_->InitSystemCheck();
}

void DiagnosisPages::SetUpSatelliteViews() {
    gpsStatus_->SetUpSatelliteViews();
}

void DiagnosisPages::UpdateGnssStatus() {
    gpsStatus_->UpdateGnssStatus();
}

void DiagnosisPages::CountPositionReport() {
    systemCheck_->CountPositionReport();
}

bool DiagnosisPages::LogEnabled() const {
    return dataLog_->LogEnabled();
}

void DiagnosisPages::LogLine(std::string_view line) {
    dataLog_->LogLine(line);
}

}  // namespace navoro
