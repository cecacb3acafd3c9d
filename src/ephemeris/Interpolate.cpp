#include "ephemeris/Interpolate.h"

namespace vsp {

double Interpolate3(double y1, double y2, double y3, double n) {
    const double a = y2 - y1;
    const double b = y3 - y2;
    const double c = b - a;
    return y2 + n * (a + b + n * c) / 2.0;
}

}  // namespace vsp
