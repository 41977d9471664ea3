#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "codec/Codec.h"
#include "diagnosis/DiagnosisLink.h"
#include "ui/MessageTable.h"

class QLineEdit;
class QComboBox;
class QSortFilterProxyModel;
class QTableView;
class QWidget;

namespace navoro {

class LocalClock;
class RadarView;
class TargetDetails;
class TargetsModel;

// The AIS TARGETS page: the stations of the target table in a sortable table
// with a filter on MMSI, name and call sign, beside a radar view of the
// traffic around the own ship. TimerUpdateAisTargets rereads the table once a
// second; only changed rows are redrawn, so selection and scrolling stay. The
// own ship is the GNSS receiver's fix, or the transponder's own reports
// without one. Dangerous targets are counted in the tab's caption.
class TargetsPage {
  public:
    TargetsPage(QWidget* page, Codec& codec, const MessageTable& messages,
                const DiagnosisLink& link);
    ~TargetsPage();
    TargetsPage(const TargetsPage&) = delete;
    TargetsPage& operator=(const TargetsPage&) = delete;

    // One update (what the timer does each second). While the page is hidden
    // only the caption's alarm count follows the table; showing the page
    // brings the rows and the radar up to date at once.
    void UpdateAisTargets();
    // The station kinds, the captions and the filter box's hint in the
    // language now loaded.
    void UpdateTexts();
    // The clock of the ages; nullptr for the system's local time (the target
    // table's own default). It must outlive its use.
    void SetClock(LocalClock* clock) { clock_ = clock; }

    TargetsModel& Model() { return *model_; }
    QSortFilterProxyModel& Proxy() { return *proxy_; }
    QTableView* Table() { return table_; }
    RadarView* Radar() { return radar_; }
    QTimer* Timer() { return timer_; }
    TargetDetails& Details() { return *details_; }

  private:
    void UpdateCaption(int dangerous);
    void UpdateRadar();
    void SelectRow(int row);

    QWidget* page_;
    Codec& codec_;
    const MessageTable& messages_;
    const DiagnosisLink& link_;
    LocalClock* clock_ = nullptr;
    TargetsModel* model_;
    QSortFilterProxyModel* proxy_;
    QLineEdit* filter_;
    QComboBox* range_;
    QTableView* table_;
    RadarView* radar_;
    std::unique_ptr<TargetDetails> details_;
    QPointer<QTimer> timer_;
    QPointer<QObject> showWatcher_;
    QString baseCaption_;
    QString shownCaption_;
};

}  // namespace navoro
