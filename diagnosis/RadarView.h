#pragma once

#include <QWidget>
#include <functional>
#include <vector>

namespace navoro {

// One station on the radar view: its offset from the own ship in nautical
// miles, the direction it points (COG, or heading when known; negative when
// neither is known), its speed and how it is drawn.
struct RadarTarget {
    int Row = -1;  // the targets model's row
    double EastNm = 0.0;
    double NorthNm = 0.0;
    double DirectionDeg = -1.0;
    double SogKn = 0.0;
    int Kind = 0;  // kStation...
    bool Dangerous = false;
    bool Stale = false;
};

// The traffic around the own ship, north up, the own ship at the centre:
// range rings at a quarter, half, three quarters and the whole of the chosen
// range, ships as triangles along their course with a 6-minute course vector,
// base stations as squares, aids to navigation as diamonds, dangerous targets
// in the alarm colour. A click on a target reports its row.
class RadarView : public QWidget {
  public:
    // The ranges offered, in nautical miles.
    static constexpr double kRanges[] = {0.5, 1.0, 3.0, 6.0, 12.0, 24.0};

    explicit RadarView(QWidget* parent = nullptr);

    void SetTargets(std::vector<RadarTarget> targets);
    void SetRange(double rangeNm);
    double Range() const { return rangeNm_; }
    // The row shown selected (-1 none).
    void SetSelectedRow(int row);
    int SelectedRow() const { return selectedRow_; }
    const std::vector<RadarTarget>& Targets() const { return targets_; }
    // Where a target is drawn in widget coordinates; false outside the range.
    bool TargetPoint(const RadarTarget& t, QPointF& point) const;

    // A click on a target (its row).
    std::function<void(int row)> TargetClicked;

    QSize sizeHint() const override { return {320, 320}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QPointF Centre() const;
    double Radius() const;

    std::vector<RadarTarget> targets_;
    double rangeNm_ = 6.0;
    int selectedRow_ = -1;
};

}  // namespace navoro
