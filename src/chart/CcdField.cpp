#include "chart/CcdField.h"

#include <cmath>

namespace vsp {
namespace {
constexpr double kArcminutesPerRadianTwice = 6875.493541569878;  // twice 10800 / pi
constexpr double kArcsecondsPerRadianThousandth = 206.264806;     // 206264.806 " / 1000 (µm per mm)
}  // namespace

double CcdFieldArcminutes(int sensorPixels, double pixelMicrons, int focalMm) {
    return std::atan(sensorPixels * (pixelMicrons / 1000.0) / focalMm) * kArcminutesPerRadianTwice;
}

double CcdSkyFieldArcminutes(int sensorPixels, double pixelMicrons, int focalMm) {
    return CcdFieldArcminutes(sensorPixels, pixelMicrons / 2.0, focalMm);  // twice the half side's angle
}

double CcdImageScale(double pixelMicrons, int focalMm) {
    return focalMm > 0 ? kArcsecondsPerRadianThousandth * pixelMicrons / focalMm : 0.0;
}

}  // namespace vsp
