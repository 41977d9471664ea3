#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

#include "diagnosis/AlarmBoard.h"
#include "diagnosis/DiagnosisLink.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QPushButton;
class QTableWidget;
class QWidget;

namespace navoro {

// The ALARMS page: the session's alarm board drawn as four tables (alarms,
// status texts, the transmitter non-functioning log, the channel-management
// regions) and an Acknowledge button that sends ACK for the selected alarm.
// An active alarm nobody acknowledged is counted in the tab's caption and in
// the badge beside the connection status, so it is seen from every page. The
// row changes when the transponder repeats the alarm with its new state.
class AlarmsPage : public QObject {
  public:
    AlarmsPage(QWidget* page, const AlarmBoard& board, const MessageTable& messages,
               const DiagnosisLink& link, Prompts& prompts);

    // Redraws what the board changed since the last call, the caption and the
    // badge.
    void Refresh();
    // The captions and the texts of every row in the language now loaded.
    void UpdateTexts();
    // The label that shows the alarm count beside the connection status
    // (hidden while nothing waits for acknowledgement); may be null.
    void SetBadge(QLabel* badge);

    // Sends ACK for the alarm of the selected row; false when no row is
    // selected or the write failed (then the port-open error is shown, as
    // for a typed command).
    bool AcknowledgeSelected();

    QTableWidget* AlarmTable() const { return alarms_; }
    QTableWidget* StatusTable() const { return status_; }
    QTableWidget* LogTable() const { return log_; }
    QTableWidget* RegionTable() const { return regions_; }
    QPushButton* AcknowledgeButton() const { return acknowledge_; }

  private:
    void BuildControls();
    void FillAlarms();
    void FillStatusTexts();
    void FillLog();
    void FillRegions();
    void UpdateHeaders();
    void UpdateCaption();
    int SelectedAlarmId() const;
    QString Text(MessageId id) const;
    QString StandardWithDevice(std::optional<MessageId> standard,
                               const std::string& deviceText) const;

    QWidget* page_;
    const AlarmBoard& board_;
    const MessageTable& messages_;
    const DiagnosisLink& link_;
    Prompts& prompts_;
    QTableWidget* alarms_ = nullptr;
    QTableWidget* status_ = nullptr;
    QTableWidget* log_ = nullptr;
    QTableWidget* regions_ = nullptr;
    QPushButton* acknowledge_ = nullptr;
    QPointer<QLabel> badge_;
    std::uint64_t drawnRevision_ = ~std::uint64_t{0};
    QString baseCaption_;
    QString shownCaption_;
};

}  // namespace navoro
