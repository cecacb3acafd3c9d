#include "ephemeris/LunarSeries.h"

#include <cmath>
#include <span>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/Elp2000.h"

namespace vsp {
namespace {

// The series' sum: terms without T, with T and with T^2 kept apart and joined at the end.
double SeriesSum(std::span<const Elp2000Term> terms, const LunarMeanArguments& a, double T) {
    double sums[3] = {0.0, 0.0, 0.0};
    for (const Elp2000Term& t : terms) {
        const double x = t.d * a.elongation + t.m * a.sunAnomaly + t.mPrime * a.moonAnomaly +
                         t.f * a.argumentOfLatitude + t.meanLongitude * a.meanLongitude +
                         t.venus * a.venus + t.earth * a.earth + t.mars * a.mars +
                         t.jupiter * a.jupiter;
        double value = 0.0;
        if (t.sine != 0.0) value += t.sine * std::sin(x);
        if (t.cosine != 0.0) value += t.cosine * std::cos(x);
        sums[t.timePower] += value;
    }
    return sums[0] + T * (sums[1] + T * sums[2]);
}

}  // namespace

LunarMeanArguments LunarMeanArgumentsAt(const Instant& when) {
    const double T = when.CenturiesTt();
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    LunarMeanArguments a;
    a.meanLongitude = ReducedRadians(218.3164591 + 481267.88134236 * T - 0.0013268 * T2 +
                                     T3 / 538841.0 - T4 / 65194000.0);
    a.elongation = ReducedRadians(297.8502042 + 445267.1115168 * T - 0.0016300 * T2 +
                                  T3 / 545868.0 - T4 / 113065000.0);
    a.sunAnomaly = ReducedRadians(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0);
    a.moonAnomaly = ReducedRadians(134.9633964 + 477198.8676313 * T + 0.008997 * T2 +
                                   T3 / 69699.0 - T4 / 14712000.0);
    a.argumentOfLatitude = ReducedRadians(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 -
                                          T3 / 3526000.0 + T4 / 863310000.0);
    a.venus = ReducedRadians(181.979801 + 58517.815676 * T);
    a.earth = ReducedRadians(100.46645 + 35999.372854 * T);
    a.mars = ReducedRadians(355.433275 + 19140.299331 * T);
    a.jupiter = ReducedRadians(34.351484 + 3034.905675 * T);
    return a;
}

void LunarSeries(const Instant& when, double& longitude, double& latitude, double& distance) {
    const double T = when.CenturiesTt();
    const LunarMeanArguments a = LunarMeanArgumentsAt(when);
    const double sumLongitude = SeriesSum(kElp2000Longitude, a, T);  // arcseconds
    const double sumLatitude = SeriesSum(kElp2000Latitude, a, T);    // arcseconds
    const double sumDistance = SeriesSum(kElp2000Distance, a, T);    // km

    longitude = ReduceAngle(a.meanLongitude + sumLongitude / 3600.0 * kDegToRad, kTwoPi);
    latitude = sumLatitude / 3600.0 * kDegToRad;
    distance = sumDistance / kKmPerAu;
}

}  // namespace vsp
