#include "diagnosis/DiagnosisPages.h"

#include <QDateTime>

#include "diagnosis/AlarmsPage.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SystemCheckPage.h"
#include "diagnosis/TargetsPage.h"

namespace navoro {

DiagnosisPages::DiagnosisPages(QWidget* systemCheckSheet, QWidget* gpsStatusSheet,
                               QWidget* dataLogSheet, QTimer* timerUpdateSysChk, Codec& codec,
                               Prompts& prompts, const MessageTable& messages,
                               QWidget* aisTargetsSheet, QWidget* alarmsSheet)
    : systemCheck_(new SystemCheckPage(systemCheckSheet, codec, prompts, Link, timerUpdateSysChk,
                                       &messages)),
      gpsStatus_(new GpsStatusPage(gpsStatusSheet, codec)),
      dataLog_(new DataLogPage(dataLogSheet, prompts, messages, Link)) {
    if (aisTargetsSheet != nullptr)
        aisTargets_ = std::make_unique<TargetsPage>(aisTargetsSheet, codec, messages, Link);
    if (alarmsSheet != nullptr)
        alarms_ = new AlarmsPage(alarmsSheet, alarmBoard_, messages, Link, prompts);
    systemCheck_->SetAlarmBoard(&alarmBoard_);
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

namespace {

// Now, UTC, in seconds since midnight: the time of an alarm whose sentence
// carries none.
int ArrivalSeconds() {
    return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay() / 1000;
}

}  // namespace

void DiagnosisPages::SentenceAccepted(SentenceKind kind, Codec& codec) {
    switch (kind) {
        case SentenceKind::Reply:
            if (alarmBoard_.Take(codec.Received, ArrivalSeconds()) && alarms_ != nullptr)
                alarms_->Refresh();
            break;
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

void DiagnosisPages::Linked() {
    alarmBoard_.Clear();
    if (alarms_ != nullptr) alarms_->Refresh();
    const std::string query = AlarmQueryBytes();
    if (Link.WritePort) Link.WritePort(query.data(), static_cast<int>(query.size()));
}

void DiagnosisPages::SetAlarmBadge(QLabel* badge) {
    if (alarms_ != nullptr) alarms_->SetBadge(badge);
}

void DiagnosisPages::UpdateAlarmTexts() {
    if (alarms_ != nullptr) alarms_->UpdateTexts();
}

bool DiagnosisPages::WantsRawLines() const {
    return dataLog_->LogEnabled();
}

void DiagnosisPages::RawLine(std::string_view line) {
    dataLog_->LogLine(line);
}

}  // namespace navoro
