#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "codec/Codec.h"
#include "diagnosis/SatelliteList.h"

class QFrame;
class QLabel;
class QLineEdit;
class QTimer;
class QWidget;

namespace navoro {

class SignalChart;
class SkyPlot;

// The GPS STATUS page: UTC date and time, fix mode, HDOP, satellites in view
// and in use, the own ship's position, SOG and COG, the sky plot and the
// signal chart. Refreshed after every GNSS sentence the codec accepted.
class GpsStatusPage : public QObject {
    Q_OBJECT

  public:
    using Clock = std::function<std::int64_t()>;  // milliseconds

    // `clock` times the GSV cycles (a steady clock when none is given).
    GpsStatusPage(QWidget* page, Codec& codec, Clock clock = {});

    // How often the page looks for talkers whose cycles stopped.
    static constexpr int kExpiryIntervalMs = 1000;

    // The plot with its 32 hidden markers over the background picture, and
    // the chart with its 16 placeholder bars.
    void SetUpSatelliteViews();

    // After each GNSS sentence (GGA, GLL, GBS, GSA, GSV, RMC, VTG, ZDA): the
    // text boxes, and for a GSV (`satellites`) the satellite list, published
    // to the plot and the chart when a talker's cycle is complete.
    void UpdateGnssStatus(bool satellites);

    // Drops the satellites of talkers silent for longer than a cycle's
    // lifetime; run by TimerSatellitesExpiry and after every GNSS sentence.
    void ExpireSatellites();

    // Shows a completed cycle: the chart's bars and the plot's markers.
    void PublishSatellites(const SatellitePublication& publication);

    SkyPlot* Plot() const { return plot_; }
    SignalChart* Chart1() const { return chart_; }
    const SatelliteCycle& Satellites() const { return cycle_; }
    QTimer* TimerSatellitesExpiry() const { return expiryTimer_; }

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
    SkyPlot* plot_ = nullptr;
    SignalChart* chart_ = nullptr;
    std::array<QLineEdit*, kBoxes> boxes_{};
    std::array<std::string, kBoxes> shown_{};
    Clock clock_;
    QTimer* expiryTimer_ = nullptr;
    SatelliteCycle cycle_;
    SatellitePublication publication_{};
    int markersShown_ = 0;
};

}  // namespace navoro
