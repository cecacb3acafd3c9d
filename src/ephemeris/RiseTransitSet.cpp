#include "ephemeris/RiseTransitSet.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/Interpolate.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {
constexpr double kSiderealDegreesPerDay = 360.985647;
// The corrections are made twice, and then again while one still moves a time by more than
// a fraction of a second: near the poles a body that rises at a shallow angle while its
// declination changes fast (the Moon) needs up to five passes to settle.
constexpr int kFirstPasses = 2;
constexpr int kMaxPasses = 10;
constexpr double kSettledDayFraction = 2e-6;  // 0.17 s
constexpr double kRefractionAndSemidiameter = 0.010646508;  // radians, 36.6'

// The location record keeps the sine and cosine of the latitude as floats; the methods read
// those.
struct LatitudeTerms {
    double sine, cosine;
};

LatitudeTerms LatitudeOf(double latitudeDeg) {
    const double phi = latitudeDeg * kDegToRad;
    return {static_cast<float>(std::sin(phi)), static_cast<float>(std::cos(phi))};
}

// Consecutive daily right ascensions differ by less than 12 h, so a step of more than that is
// a pass through 0h: the later value moves by a whole turn to keep the sequence continuous
// (23.9, 0.1 becomes 23.9, 24.1). A body in retrograde motion (a slightly smaller value the
// next day) is left as it is.
void MakeContinuous(double& previous, double& next) {
    while (next - previous < -12.0) next += 24.0;
    while (next - previous > 12.0) next -= 24.0;
}

void SetCircumpolar(RiseTransitSetTimes& times, double transit) {
    times.rise = 0.0;
    times.transit = transit;
    times.set = kCircumpolarSet;
    times.status = RiseSetStatus::Circumpolar;
}

void SetNeverRises(RiseTransitSetTimes& times) {
    times = RiseTransitSetTimes{};
    times.status = RiseSetStatus::NeverRises;
}

}  // namespace

int RiseTransitSetMoving(int year, int month, int day, int hour, int minute, int second,
                         const ThreeDayPlaces& places, double h0, const EphemerisSettings& settings,
                         RiseTransitSetTimes& times) {
    const ObserverLocation& observer = settings.location;
    const double theta0 =
        15.0 * LocalSiderealTime(year, month, day, hour, minute, second, 0.0, observer.tzOffset);
    const double deltaT = DeltaT(year, month, day, settings);
    const LatitudeTerms lat = LatitudeOf(observer.latitude);
    const double longitude = observer.longitudeWest;
    const double sinH0 = std::sin(h0 * kDegToRad);

    const double dec2 = places.dec2 * kDegToRad;
    const double cosH0 = (sinH0 - lat.sine * std::sin(dec2)) / (lat.cosine * std::cos(dec2));

    double ra1 = places.ra1, ra2 = places.ra2, ra3 = places.ra3;
    MakeContinuous(ra1, ra2);
    MakeContinuous(ra2, ra3);

    if (cosH0 < -1.0) {
        SetCircumpolar(times, kCircumpolarTransit);
        return 0;
    }
    if (cosH0 > 1.0) {
        SetNeverRises(times);
        return 1;
    }

    const double semiArc = std::acos(cosH0) * kRadToDeg;
    // Fractions of the day, each in [0, 1).
    double m0 = ReduceAngle((15.0 * ra2 - theta0 + longitude) / 360.0, 1.0);
    double m1 = ReduceAngle(m0 - semiArc / 360.0, 1.0);
    double m2 = ReduceAngle(m0 + semiArc / 360.0, 1.0);

    // Hour angle, declination and altitude of the body at the day fraction m.
    struct Sky {
        double hourAngle, dec, altitude;
    };
    auto skyAt = [&](double m) {
        const double theta = ReduceAngle(theta0 + kSiderealDegreesPerDay * m, 360.0);
        const double n = m + deltaT / 86400.0;
        const double ra = Interpolate3(ra1, ra2, ra3, n);
        const double dec = Interpolate3(places.dec1, places.dec2, places.dec3, n) * kDegToRad;
        const double hourAngle = ReduceAngleSigned(theta - longitude - 15.0 * ra, 360.0);
        const double sinAlt =
            lat.sine * std::sin(dec) + lat.cosine * std::cos(dec) * std::cos(hourAngle * kDegToRad);
        return Sky{hourAngle, dec, std::asin(sinAlt) * kRadToDeg};
    };
    auto crossingStep = [&](double m) {
        const Sky sky = skyAt(m);
        const double step = (sky.altitude - h0) /
                            (360.0 * std::cos(sky.dec) * lat.cosine * std::sin(sky.hourAngle * kDegToRad));
        // A body that only grazes the horizon at its culmination gives no usable slope.
        return std::isfinite(step) ? step : 0.0;
    };

    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double riseStep = crossingStep(m1);
        const double transitStep = -skyAt(m0).hourAngle / 360.0;
        const double setStep = crossingStep(m2);
        m1 += riseStep;
        m0 += transitStep;
        m2 += setStep;
        const double largest = std::max({std::fabs(riseStep), std::fabs(transitStep), std::fabs(setStep)});
        if (pass + 1 >= kFirstPasses && largest <= kSettledDayFraction) break;
    }

    times.rise = 24.0 * m1;
    times.transit = 24.0 * m0;
    times.set = 24.0 * m2;
    times.status = RiseSetStatus::Normal;
    return 1;
}

int RiseTransitSetFixed(int year, int month, int day, const ObserverLocation& observer, double h0,
                        double ra, double dec, Lst12Cache& cache, RiseTransitSetTimes& times) {
    const double dip = std::acos(kEarthRadiusM / (kEarthRadiusM + observer.height));
    if (!cache.valid || cache.year != year || cache.month != month || cache.day != day ||
        cache.tzOffset != observer.tzOffset || cache.longitudeWest != observer.longitudeWest) {
        cache.lst12 = LocalSiderealTime(year, month, day, 12, 0, 0, observer.longitudeWest,
                                        observer.tzOffset);
        cache.year = year;
        cache.month = month;
        cache.day = day;
        cache.tzOffset = observer.tzOffset;
        cache.longitudeWest = observer.longitudeWest;
        cache.valid = true;
    }

    // The sidereal difference is used as clock hours.
    const double transit = ReduceAngle(ra + 12.0 - cache.lst12, 24.0);

    const LatitudeTerms lat = LatitudeOf(observer.latitude);
    const double delta = dec * kDegToRad;
    const double horizon = h0 * kDegToRad - (dip + kRefractionAndSemidiameter);
    const double cosH0 =
        (std::sin(horizon) - lat.sine * std::sin(delta)) / (lat.cosine * std::cos(delta));
    if (cosH0 > 1.0) {
        SetNeverRises(times);
        return 0;
    }
    if (cosH0 < -1.0) {
        SetCircumpolar(times, transit);
        return 0;
    }

    const double semiArc = std::acos(cosH0) * kRadToDeg / 15.0;
    times.transit = transit;
    times.rise = ReduceAngle(transit - semiArc, 24.0);
    times.set = ReduceAngle(transit + semiArc, 24.0);
    times.status = RiseSetStatus::Normal;
    return 0;
}

}  // namespace vsp
