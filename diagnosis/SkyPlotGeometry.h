#pragma once

namespace navoro {

struct PixelPoint {
    int X;
    int Y;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int Left, Top, Right, Bottom;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The sky plot's polar diagram at a plot size of W x H pixels: centre
// (W / 2, H / 2) and horizon radius min((W - 16) / 2, (H - 16) / 2), integer
// divisions. Elevation 90 is the centre, 0 the horizon; north is up.
struct SkyPlotGeometry {
    int Radius = 0;
    int CentreX = 0;
    int CentreY = 0;

    static SkyPlotGeometry ForSize(int width, int height);

    // The elevation rings: radius / 3 (always drawn) and 2 * (radius / 3)
    // (only when less than the radius); 0 when not drawn.
    int InnerRing() const { return Radius / 3; }
    int OuterRing() const { return 2 * (Radius / 3) < Radius ? 2 * (Radius / 3) : 0; }

    // Where a satellite's disc is centred: distance radius - radius * elevation
    // / 90 from the centre, at angle 450 - azimuth (folded into 0..360) from
    // east, in single precision with the degree factor 0.0174533, truncated
    // toward zero.
    PixelPoint SatelliteCentre(int azimuth, int elevation) const;
    // The top-left corner of a marker `markerWidth` wide centred there.
    PixelPoint MarkerTopLeft(int azimuth, int elevation, int markerWidth) const;

    // Where a marker `markerWidth` wide is placed on the plot: as
    // MarkerTopLeft, but on a horizon pulled in by half a marker so that a
    // satellite at elevation 0 stays whole inside the sky disc, and moved
    // toward the centre while it would cover a compass letter's box.
    PixelPoint MarkerPlace(int azimuth, int elevation, int markerWidth) const;
};

// A compass letter: its grey, black-bordered box and where its text starts.
struct CompassLetter {
    char Letter;
    PixelPoint Text;
    PixelRect Box;
};
// N, S, E, W in that order.
void CompassLetters(const SkyPlotGeometry& geometry, CompassLetter (&letters)[4]);

// True when the two rectangles (right and bottom exclusive) share a pixel.
bool Overlap(const PixelRect& a, const PixelRect& b);

// Where a marker writes its PRN: (6, 3) for one character, else (3, 3).
PixelPoint MarkerTextPosition(int prn);

}  // namespace navoro
