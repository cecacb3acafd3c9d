#include "satellites/PassSearch.h"

#include <cmath>
#include <numbers>

#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "satellites/Brent.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

using sat::kMinutesPerDay;

// The walk's step grows with the depth below the horizon and with the orbit's height.
constexpr double kStepScaleDays = 0.00035;
constexpr double kStepHeightKm = 8400.0;
constexpr double kStepHeightOffset = 0.46;
constexpr double kStepBase = 2.0;
constexpr int kLongWindowPollEvery = 5;
// The advance after a pass: 0.9 Earth radii, and the factor that turns the angle left to the
// observer into periods.
constexpr double kAdvanceRadiusKm = 5740.3215;
constexpr double kAdvancePeriodFactor = -0.31744076215618655;
constexpr double kAdvanceMarginMinutes = 5.0;

}  // namespace

bool SearchProgress::Poll() {
    if (!stopped && stop && stop()) stopped = true;
    return stopped;
}

void SearchProgress::Show(double jdUt) const {
    if (!show) return;
    const CalendarDateTime local = CalendarFromJulianDay(jdUt + tzOffsetMinutes / kMinutesPerDay);
    show(std::to_string(local.day) + " " + ClockMinutes(local.hour, local.minute));
}

double QuickElevation(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements) {
    ComputeSatelliteQuick(jdUt, observer, elements);
    return elements.elevationDeg;
}

bool FindNextPass(double t0, double t1, SatelliteElements& elements, const SatelliteObserver& observer,
                  SearchProgress& progress, PassTimes& pass) {
    if (!CanEverRise(elements, observer.latitudeDeg) || IsGeostationary(elements)) return false;
    const bool longWindow = t1 - t0 > 1.0;
    double t = t0;
    double elevation = QuickElevation(t, observer, elements);
    for (int step = 1; elevation <= 0.0; ++step) {
        const double heightKm = elements.position.w - sat::kEarthRadiusKm;
        t -= kStepScaleDays * (elevation * (heightKm / kStepHeightKm + kStepHeightOffset) - kStepBase);
        if (t > t1) return false;
        if (longWindow) progress.Show(t);
        if ((!longWindow || step % kLongWindowPollEvery == 0) && progress.Poll()) return false;
        elevation = QuickElevation(t, observer, elements);
    }
    // The roots are sought in days from the coarse point rather than in Julian Dates: the root
    // finder's precision term grows with the abscissa, and a Julian Date would make it 25 s.
    const auto elevationAt = [&](double days) { return QuickElevation(t + days, observer, elements); };
    pass.rise = t + BrentRoot(elevationAt, -kRiseBracketDays, 0.0, kRiseToleranceDays);
    pass.set = t + BrentRoot(elevationAt, 0.0, kRiseBracketDays, kSetToleranceDays);
    return true;
}

double NextSearchStart(const PassTimes& pass, SatelliteElements& elements, const SatelliteObserver& observer) {
    const double periodMin = elements.periodMin;
    const double middle = 0.5 * (pass.rise + pass.set);
    ComputeSatellite(middle + periodMin / kMinutesPerDay, observer, elements);
    const double trackLon = elements.subLongitudeDeg;
    const double storedLon = -observer.longitudeEastDeg;  // west positive, as the location keeps it
    const double beta = std::acos(kAdvanceRadiusKm / (sat::kEarthRadiusKm + elements.heightKm));
    double periods = 1.0;
    if (trackLon > beta * kRadToDeg - storedLon) {
        const double angle = (90.0 - trackLon) * kDegToRad + std::numbers::pi / 2.0 - storedLon * kDegToRad - beta;
        periods = 1.0 - std::trunc(0.5 * angle * elements.meanMotionRevPerDay * kAdvancePeriodFactor);
        if (periods < 1.0) periods = 1.0;
    }
    return pass.set + (periods * periodMin - kAdvanceMarginMinutes) / kMinutesPerDay;
}

}  // namespace vsp
