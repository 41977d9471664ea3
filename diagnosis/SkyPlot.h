#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>

#include "diagnosis/SkyPlotGeometry.h"

class QLabel;

namespace navoro {

// One satellite of the sky plot: a 20 x 20 disc, green when the satellite is
// used in the fix and blue otherwise, outlined in silver, with its short label
// (dark on green, light on blue).
class SatelliteMarker : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSize = 20;

    explicit SatelliteMarker(QWidget* parent = nullptr);

    bool used = false;
    QString PRN;  // the label, "G05", "R65", ...
    int azimuth = 0;
    int elevation = 0;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The diagram of the sky plot at the plot's size: the background picture
// stretched, the elevation rings at 60 and 30 degrees, the cross and the
// compass letters. It remembers the geometry of its last drawing.
class SkyBackground {
  public:
    // The picture drawn under the diagram (the picture control's); none until set.
    void SetBackground(QLabel* picture);
    void Resize(int width, int height);
    void Draw();

    const QImage& Bitmap() const { return bitmap_; }
    const SkyPlotGeometry& Geometry() const { return geometry_; }

  private:
    QPointer<QLabel> background_;
    QImage bitmap_;
    SkyPlotGeometry geometry_;
};

// The sky plot: fills its panel, draws the diagram, and places the 64
// satellite markers, which sit on the same panel above it.
class SkyPlot : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMarkers = 64;

    explicit SkyPlot(QWidget* panel);

    SkyBackground& map() { return map_; }
    SatelliteMarker* Marker(int index) const;

    // Stores the values in marker `index`, moves it to the place of azimuth
    // and elevation on the last drawn diagram (kept inside the horizon and off
    // the compass letters), and shows it. Indexes outside 0 to 63 are ignored.
    void PlaceSatellite(int index, const QString& label, int azimuth, int elevation, bool used);
    void ShowMarker(int index, bool visible);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SkyBackground map_;
    std::array<SatelliteMarker*, kMarkers> markers_{};
};

// Picture 0 of the plot's picture list: a 200 x 200 sky disc whose rim is
// the horizon of a 198 x 200 plot, transparent around it.
QPixmap SkyBackgroundPicture();

}  // namespace navoro
