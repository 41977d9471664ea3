#pragma once

#include <QObject>
#include <array>
#include <string>

#include "codec/Codec.h"
#include "diagnosis/SatelliteList.h"

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace navoro {

class SignalChart;
class TPaintSatelliteChart;

// The GPS STATUS page: UTC date and time, fix mode, HDOP, satellites in view
// and in use, the own ship's position, SOG and COG, the sky plot and the
// signal chart. Refreshed after every GNSS sentence the codec accepted.
class GpsStatusPage : public QObject {
    Q_OBJECT

  public:
    GpsStatusPage(QWidget* page, Codec& codec);

    // The plot with its 32 hidden markers over the background picture, and
    // the chart with its 16 placeholder bars.
    void SetUpSatelliteViews();

    // After each GNSS sentence (GGA, GLL, GBS, GSA, GSV, RMC, VTG, ZDA): the
    // text boxes, and for a GSV the satellite list, published to the plot and
    // the chart when a cycle is complete.
    void UpdateGnssStatus();

    // Shows a completed cycle: the chart's bars and the plot's markers.
    void PublishSatellites(const SatellitePublication& publication);

    TPaintSatelliteChart* PaintSatelliteChart() const { return plot_; }
    SignalChart* Chart1() const { return chart_; }
    const SatelliteCycle& Satellites() const { return cycle_; }

  private:
    enum Box {
        kUtcDate,
        kUtcTime,
        kFixMode,
        kHdop,
        kInView,
        kInUse,
        kLat,
        kLon,
        kSog,
        kCog,
        kBoxes
    };
    void BuildControls();
    // Sets a box from a byte text, only when it changed.
    void SetBox(Box box, const std::string& bytes);

    QWidget* page_;
    Codec& codec_;
    QFrame* panel3_ = nullptr;
    QWidget* panelSatelliteMap_ = nullptr;
    QLabel* imageGpsMap_ = nullptr;
    TPaintSatelliteChart* plot_ = nullptr;
    SignalChart* chart_ = nullptr;
    std::array<QLineEdit*, kBoxes> boxes_{};
    std::array<std::string, kBoxes> shown_{};
    SatelliteCycle cycle_;
    SatellitePublication publication_{};
};

}  // namespace navoro
