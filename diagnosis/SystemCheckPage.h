#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>
#include <array>

#include "codec/Codec.h"
#include "diagnosis/DiagnosisLink.h"
#include "diagnosis/SystemCheck.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QLabel;
class QTimer;
class QToolButton;
class QWidget;

namespace navoro {

class AlarmBoard;

// The SYSTEM CHECK page: firmware version, serial number, MMSI, GPS and the
// transmitted and received position reports per channel, each row with a
// passed or failed picture, and below them the alarms (passed while no alarm
// is active). Refreshed by TimerUpdateSysChk once a second,
// which keeps running after a disconnect: then lblChkLinkState says that the
// results are those of the last connection, and a fix shows as stale. "Reset
// checks" clears the counters and results and asks the transponder for its
// information again.
class SystemCheckPage : public QObject {
    Q_OBJECT

  public:
    // The timer is the main window's TimerUpdateSysChk; the page handles its
    // ticks but does not start it. `messages` (may be null: the built-in
    // English) gives the texts of the page's own notices.
    SystemCheckPage(QWidget* page, Codec& codec, Prompts& prompts, const DiagnosisLink& link,
                    QTimer* timerUpdateSysChk, const MessageTable* messages = nullptr);

    // Start-up: counters 0, the snapshot's flags cleared, the target table
    // reset, and every picture failed.
    void InitSystemCheck();

    // Each '!' sentence of the AIS group the codec accepted (a decoded message).
    void CountPositionReport();
    void TimerUpdateSysChkTimer();
    void UpdateCheckImages();
    void ClearSystemCheck();

    // The session's alarms, for the alarm row (none: the row passes).
    void SetAlarmBoard(const AlarmBoard* board) { alarmBoard_ = board; }
    bool AlarmsPassed() const { return alarmsPassed_; }

    PositionReportCounters& Counters() { return counters_; }
    // Whether a row's picture shows "passed".
    bool Passed(SystemCheckRow row) const { return passed_[row]; }

  private:
    void BuildControls();
    SystemCheckSnapshot Snapshot() const;
    bool Linked() const;
    SystemCheckView Evaluate() const;
    void UpdateAlarmRow();
    QString MessageText(MessageId id) const;

    QWidget* page_;
    Codec& codec_;
    Prompts& prompts_;
    const DiagnosisLink& link_;
    QToolButton* clearButton_ = nullptr;
    // ImageListSysChk: picture 0 failed, picture 1 passed.
    std::array<QPixmap, 2> imageList_;
    std::array<QLabel*, kSystemCheckRows> images_{};
    std::array<bool, kSystemCheckRows> passed_{};
    QLabel* lblValFwVer_ = nullptr;
    QLabel* lblValProdSN_ = nullptr;
    QLabel* lblValMMSI_ = nullptr;
    QLabel* lblValGps_ = nullptr;
    QLabel* lblValTxCntA_ = nullptr;
    QLabel* lblValTxCntB_ = nullptr;
    QLabel* lblValRxCntA_ = nullptr;
    QLabel* lblValRxCntB_ = nullptr;
    QLabel* lblChkLinkState_ = nullptr;  // empty while linked
    QLabel* imageAlarms_ = nullptr;
    QLabel* lblValAlarms_ = nullptr;
    const AlarmBoard* alarmBoard_ = nullptr;
    bool alarmsPassed_ = true;
    const MessageTable* messages_;
    PositionReportCounters counters_;
};

// The pictures of the check list: 0 a red cross (failed), 1 a green tick
// (passed), 32 x 32 pixels.
std::array<QPixmap, 2> SystemCheckPictures();

}  // namespace navoro
