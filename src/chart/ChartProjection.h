#pragma once
// The sky chart's projections: the SkyProjection shape over Unit24 unit vectors, so that the
// forward step of every star is integer only, with the set-up a redraw gives them. One class
// per projection: StereographicProjection ("Sky Map"), PanoramaProjection ("Horizon View") and
// OrthographicProjection ("Whole Sky", "Visible Sky", "Equatorial Sky"); the view chooses one
// when its chart type is set and asks it for every conversion.
//
// Frames: the horizontal frame has x to the north, y to the east and z to the zenith (azimuth
// = atan2(y, x), from north through east); the equatorial frame (J2000) x to right ascension
// 0h, y to 6h and z to the north pole. Which of the two a chart uses is the view's business:
// a projection sees only the direction in its frame.
//
// Scales: the horizontal charts keep the signed 16.16 magnification of the zoom level, one
// plane unit being 64 pixels at 1.0 (PanoramaProjection and StereographicProjection say what
// their plane units are); the centred charts keep signed whole pixels per unit of the unit
// sphere.
#include <cmath>
#include <cstdint>

#include "chart/FixedPoint.h"
#include "chart/SkyProjection.h"
#include "ephemeris/Constants.h"

namespace vsp {

// A unit vector in the chart's frame, Unit24 components.
struct ChartVector {
    Unit24 x = 0, y = 0, z = 0;
};

// A direction of the chart's frame (longitude and latitude in degrees) as a unit vector,
// components truncated to Unit24.
inline ChartVector FrameVector(double firstDeg, double secondDeg) {
    const double a = firstDeg * kDegToRad, b = secondDeg * kDegToRad;
    return ChartVector{DoubleToUnit24(std::cos(b) * std::cos(a)), DoubleToUnit24(std::cos(b) * std::sin(a)),
                       DoubleToUnit24(std::sin(b))};
}

// What a redraw sets a projection up with.
struct ProjectionSetup {
    int level = 0;      // zoom level 0..13 (the tables of ZoomLevels.h)
    int pixelUnit = 1;  // `pu`: logical pixels per inch / 48
    int widthPx = 240;  // the chart area
    int heightPx = 320;
    int signX = 1;      // +1 or -1: the chart type's start and the flip of the level
    int signY = 1;
};

class ChartProjection : public SkyProjection<ChartVector> {
public:
    // Scale and culling limits of one redraw. The origin of the horizontal charts stays where
    // SetOrigin put it; the centred charts put it at the middle of the area.
    virtual void Prepare(const ProjectionSetup& setup) = 0;
    // Forward in floating point from a direction of the frame (degrees), for the lines the chart
    // draws from directions it computes (the horizon, the scales, the compass points): the
    // horizontal charts place it even below the horizon, the centred charts as Forward places
    // its FrameVector.
    virtual ScreenPoint ForwardDegrees(double firstDeg, double secondDeg) const = 0;

    // The pixel the projection's origin falls on (the zenith of "Sky Map", azimuth 0 and
    // altitude 0 of "Horizon View", the centre direction of a centred chart).
    void SetOrigin(int32_t x, int32_t y) {
        centerX_ = x;
        centerY_ = y;
    }
    int32_t CenterX() const { return centerX_; }
    int32_t CenterY() const { return centerY_; }
    // Signed: 16.16 magnification (horizontal charts) or pixels per plane unit (centred charts).
    int32_t ScaleX() const { return scaleX_; }
    int32_t ScaleY() const { return scaleY_; }

protected:
    // Plane coordinates (Unit24) through the 16.16 magnification of the horizontal charts: the
    // Unit24 product, then 1024 scale units a pixel, each truncated toward minus infinity.
    ScreenPoint MagnifiedToScreen(Unit24 planeX, Unit24 planeY) const {
        return ScreenPoint{true, centerX_ - MagnifiedPixels(planeX, scaleX_), centerY_ - MagnifiedPixels(planeY, scaleY_)};
    }

    int32_t centerX_ = 0, centerY_ = 0;
    int32_t scaleX_ = 0, scaleY_ = 0;

private:
    static int32_t MagnifiedPixels(Unit24 plane, int32_t scale16) {
        return static_cast<int32_t>((static_cast<int64_t>(plane) * scale16) >> 24 >> 10);
    }
};

}  // namespace vsp
