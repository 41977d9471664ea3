#include "diagnosis/SkyPlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace navoro {

namespace {

// Keeps the float-to-int conversions defined however far off the plot a
// point lands.
int Truncate(float value) {
    if (!(value > -1.0e6f)) return -1000000;
    if (value > 1.0e6f) return 1000000;
    return static_cast<int>(value);
}

}  // namespace

SkyPlotGeometry SkyPlotGeometry::ForSize(int width, int height) {
    SkyPlotGeometry g;
    g.CentreX = width / 2;
    g.CentreY = height / 2;
    // A plot smaller than 16 pixels has no room for a diagram.
    g.Radius = std::max(0, std::min((width - 16) / 2, (height - 16) / 2));
    return g;
}

PixelPoint SkyPlotGeometry::SatelliteCentre(int azimuth, int elevation) const {
    const float t = static_cast<float>(Radius) * static_cast<float>(elevation) / 90.0f;
    const float d = static_cast<float>(Radius) - t;
    float a = 450.0f - static_cast<float>(azimuth);
    if (a < 0.0f) a += 360.0f;
    if (a > 360.0f) a -= 360.0f;
    const float theta = a * 0.0174533f;
    const float x = d * std::cos(theta) + static_cast<float>(CentreX);
    const float y = static_cast<float>(CentreY) - d * std::sin(theta);
    return {Truncate(x), Truncate(y)};
}

PixelPoint SkyPlotGeometry::MarkerTopLeft(int azimuth, int elevation, int markerWidth) const {
    const PixelPoint centre = SatelliteCentre(azimuth, elevation);
    return {centre.X - markerWidth / 2, centre.Y - markerWidth / 2};
}

PixelPoint SkyPlotGeometry::MarkerPlace(int azimuth, int elevation, int markerWidth) const {
    const int half = markerWidth / 2;
    const float horizon = static_cast<float>(std::max(0, Radius - half));
    const float e = static_cast<float>(std::clamp(elevation, 0, 90));
    float a = 450.0f - static_cast<float>(std::clamp(azimuth, 0, 359));
    if (a >= 360.0f) a -= 360.0f;
    const float theta = a * 0.0174533f;
    CompassLetter letters[4];
    CompassLetters(*this, letters);
    PixelPoint topLeft{CentreX - half, CentreY - half};
    for (float d = horizon - horizon * e / 90.0f; d > 0.0f; d -= 1.0f) {
        topLeft = {Truncate(d * std::cos(theta) + static_cast<float>(CentreX)) - half,
                   Truncate(static_cast<float>(CentreY) - d * std::sin(theta)) - half};
        const PixelRect marker{topLeft.X, topLeft.Y, topLeft.X + markerWidth,
                               topLeft.Y + markerWidth};
        bool covers = false;
        for (const CompassLetter& letter : letters)
            covers = covers || Overlap(marker, letter.Box);
        if (!covers) return topLeft;
    }
    return {CentreX - half, CentreY - half};
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void CompassLetters(const SkyPlotGeometry& g, CompassLetter (&letters)[4]) {
    const int cx = g.CentreX, cy = g.CentreY, r = g.Radius;
    letters[0] = {'N', {cx - 4, cy - r - 4}, {cx - 7, cy - r - 5, cx + 9, cy - r + 13}};
    letters[1] = {'S', {cx - 4, cy + r - 8}, {cx - 8, cy + r - 10, cx + 8, cy + r + 8}};
    letters[2] = {'E', {cx + r - 8, cy - 4}, {cx + r - 12, cy - 6, cx + r + 4, cy + 12}};
    letters[3] = {'W', {cx - r - 6, cy - 4}, {cx - r - 8, cy - 6, cx - r + 8, cy + 12}};
}

PixelPoint MarkerTextPosition(int prn) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", prn);
    return length == 1 ? PixelPoint{6, 3} : PixelPoint{3, 3};
}

}  // namespace navoro
