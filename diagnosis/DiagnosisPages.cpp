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

void DiagnosisPages::Attach(DeviceSession& session) {
    Link.WritePort = [&session](const char* data, int length) {
        return session.Send(std::string_view(data, static_cast<std::size_t>(length)));
    };
    Link.ConnectionActive = [&session] { return session.Connection().Active(); };
    Link.ToggleConnection = [&session] { session.Connection().ToggleConnection(); };
    Link.Linked = [&session] { return session.Connection().Linked(); };
    session.Subscribe(*this);
}

void DiagnosisPages::SentenceAccepted(SentenceKind kind, Codec&) {
    switch (kind) {
        case SentenceKind::Gnss:
        case SentenceKind::Satellites:
            gpsStatus_->UpdateGnssStatus(kind == SentenceKind::Satellites);
            break;
        case SentenceKind::Encapsulated:
            systemCheck_->CountPositionReport();
            break;
        default:
            break;
    }
}

bool DiagnosisPages::WantsRawLines() const {
    return dataLog_->LogEnabled();
}

void DiagnosisPages::RawLine(std::string_view line) {
    dataLog_->LogLine(line);
}

}  // namespace navoro
