#include "ephemeris/EarthVsop87.h"

#include <cmath>
#include <initializer_list>
#include <span>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/Vsop87Earth.h"

namespace vsp {
namespace {

double SeriesSum(std::span<const Vsop87Term> terms, double tau) {
    double sum = 0.0;
    for (const Vsop87Term& term : terms) sum += term.a * std::cos(term.b + term.c * tau);
    return sum;
}

// Sum of X0 + X1 tau + X2 tau^2 + ..., in the table's units of 1e-8.
double PowerSeries(std::initializer_list<std::span<const Vsop87Term>> series, double tau) {
    double total = 0.0, power = 1.0;
    for (std::span<const Vsop87Term> terms : series) {
        total += SeriesSum(terms, tau) * power;
        power *= tau;
    }
    return total * 1e-8;
}

}  // namespace

EclipticPlace EarthVsop87(const Instant& when) {
    // Millennia, so that the printed frequencies apply as they stand (a tenth of each per century).
    const double tau = when.MillenniaTt();
    EclipticPlace place;
    place.longitude = ReduceAngle(PowerSeries({kVsop87EarthL0, kVsop87EarthL1, kVsop87EarthL2,
                                               kVsop87EarthL3, kVsop87EarthL4, kVsop87EarthL5}, tau),
                                  kTwoPi);
    place.latitude = PowerSeries({kVsop87EarthB0, kVsop87EarthB1}, tau);
    place.radius = PowerSeries({kVsop87EarthR0, kVsop87EarthR1, kVsop87EarthR2, kVsop87EarthR3,
                                kVsop87EarthR4}, tau);
    return place;
}

}  // namespace vsp
