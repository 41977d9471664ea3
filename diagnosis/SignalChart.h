#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "diagnosis/SignalChartBars.h"

class QLabel;
class QScrollBar;

namespace navoro {

class SignalChart;

// The chart's single bar series: bars in insertion order, bar i at position i
// of the horizontal axis, each with its value mark.
class BarSeries : public QObject {
    Q_OBJECT

  public:
    explicit BarSeries(SignalChart* chart);

    int Count() const { return static_cast<int>(bars_.size()); }
    void Clear();
    void ShowMarks() { SetMarksVisible(true); }
    void SetMarksVisible(bool visible);
    bool MarksVisible() const { return marksVisible_; }
    void AddBar(double value, const QString& label, std::uint32_t colour);
    void SetBars(const std::vector<ChartBar>& bars);
    const std::vector<ChartBar>& Bars() const { return bars_; }

  private:
    SignalChart* chart_;
    std::vector<ChartBar> bars_;
    bool marksVisible_ = true;
};

// The signal chart: a bar per satellite, as high as its SNR on a fixed axis
// of 0 to 58 dB-Hz, labelled with its short name and carrying its value; drawn
// with a little depth, a solid grid and bars shaded from top to bottom. The
// bars share the plot's width; when that would make them narrower than
// kMinimumSlot, they keep that width, the labels turn upright and a scroll bar
// under the chart pages through them. The labels Label10 ("SNR (dB-Hz)") and
// lblSatelliteID ("Satellite ID") sit on it.
class SignalChart : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 409;
    static constexpr int kHeight = 331;
    // The narrowest place of a bar: room for its value.
    static constexpr int kMinimumSlot = 18;

    explicit SignalChart(QWidget* parent = nullptr);

    BarSeries* Series1() const { return series_; }
    QLabel* Label10() const { return label10_; }
    QLabel* lblSatelliteID() const { return lblSatelliteID_; }
    QScrollBar* ScrollBarSatellites() const { return scroll_; }

    // After the series changed: the scroll bar's range.
    void BarsChanged();

    // The plot area (inside the axes) and the place of bar i, in pixels.
    QRect PlotArea() const;
    QRect BarRect(int index) const;

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void PlaceCaptions(int width, int height);
    int Depth() const;
    double Slot() const;
    bool Scrolling() const;
    int BottomMargin() const;
    int ValueToY(double value) const;

    BarSeries* series_;
    QLabel* label10_;
    QLabel* lblSatelliteID_;
    QScrollBar* scroll_;
};

}  // namespace navoro
