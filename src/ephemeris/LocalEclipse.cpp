#include "ephemeris/LocalEclipse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "ephemeris/ApparentDiameter.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/MoonPrecise.h"
#include "ephemeris/LunarShadow.h"
#include "ephemeris/ObserverPlace.h"
#include "ephemeris/Search1D.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The partial phase lasts under six and a half hours anywhere on the Earth, so every local
// contact lies within this of the greatest eclipse.
constexpr double kHalfWindowDays = 4.0 / 24;
constexpr double kScanStepDays = 5.0 / 1440;
constexpr double kToleranceDays = 0.5 / 86400;
constexpr int kChartModeTopocentricRefracted = 3;

struct Discs {
    double separation = 0, sunRadius = 0, moonRadius = 0;  // radians
    double Outer() const { return separation - (sunRadius + moonRadius); }
    double Inner() const { return separation - std::fabs(sunRadius - moonRadius); }
};

// The Sun and the Moon from the site, at instants with one ΔT.
class SiteSky {
public:
    SiteSky(const EphemerisSettings& settings, double deltaT) : geocentric_(settings), deltaT_(deltaT) {
        geocentric_.chartMode = 0;
        place_ = ObserverPlaceFromLocation(settings.location);
    }

    // False where a body is out of its theory's range.
    bool At(double jd, Discs& out) {
        const Instant when = Instant::FromUt(jd, deltaT_);
        const double gast = SiderealTimeApparent(when.ut, 0.0, EarthTilt(when.tt, cache_).equationOfEquinoxes);
        const Vec3 site = ObserverVector(place_, gast).position;
        BodyPosition sun, moon;
        if (ComputeSunMoonPluto(sun, kBodySun, when, geocentric_) != kEphemerisOk ||
            ComputeSunMoonPluto(moon, kBodyMoon, when, geocentric_) != kEphemerisOk) {
            return false;
        }
        const Vec3 s = sun.distance * RaDecToVector(sun.rightAscension, sun.declination) - site;
        const Vec3 m = moon.distance * RaDecToVector(moon.rightAscension, moon.declination) - site;
        out.separation = AngularSeparation(s, m);
        out.sunRadius = ApparentDiameter(kBodySun, Length(s)) / 2 * 60 * kArcsecToRad;
        out.moonRadius = MoonDiameter(Length(m)) / 2 * 60 * kArcsecToRad;
        return true;
    }

    double deltaT() const { return deltaT_; }

private:
    EphemerisSettings geocentric_;
    ObserverPlace place_;
    double deltaT_;
    EarthOrientationCache cache_;
};

double DeltaTOfJd(double jd, const EphemerisSettings& settings) {
    const CalendarDateTime date = CalendarFromJulianDay(jd);
    return DeltaT(date.year, date.month, date.day, settings);
}

// The least separation in [a, b].
double LeastSeparation(SiteSky& sky, double a, double b) {
    Discs d;
    return GoldenMinimum([&](double t) { return sky.At(t, d) ? d.separation : 0.0; }, a, b, kToleranceDays);
}

// The fraction of the Sun's disc under the Moon's: the lens where two circles overlap.
double Obscuration(const Discs& d) {
    const double r1 = d.sunRadius, r2 = d.moonRadius, s = d.separation;
    if (s >= r1 + r2) return 0.0;
    if (s <= std::fabs(r1 - r2)) return std::min(1.0, (r2 * r2) / (r1 * r1));
    const double a1 = std::acos(std::clamp((s * s + r1 * r1 - r2 * r2) / (2 * s * r1), -1.0, 1.0));
    const double a2 = std::acos(std::clamp((s * s + r2 * r2 - r1 * r1) / (2 * s * r2), -1.0, 1.0));
    const double k = std::sqrt(std::max(0.0, (-s + r1 + r2) * (s + r1 - r2) * (s - r1 + r2) * (s + r1 + r2)));
    return (r1 * r1 * a1 + r2 * r2 * a2 - k / 2) / (std::numbers::pi * r1 * r1);
}

EclipseContactHere ContactAt(int body, double jd, double deltaT, const EphemerisSettings& settings) {
    if (!HasContact(jd)) return {kNaN, kNaN, kNaN};
    EphemerisSettings seen = settings;
    seen.chartMode = kChartModeTopocentricRefracted;
    BodyPosition record;
    BodyHorizon horizon;
    if (ComputeBody(record, body, Instant::FromUt(jd, deltaT), seen, &horizon) != kEphemerisOk) {
        return {jd, kNaN, kNaN};
    }
    return {jd, horizon.altitude, horizon.azimuth};
}

// Whether the body stands above the horizon at some moment of [begin, end] (sampled at the
// scan step and at both ends).
bool UpDuring(int body, double begin, double end, double deltaT, const EphemerisSettings& settings) {
    if (!HasContact(begin) || !HasContact(end)) return false;
    for (double t = begin;; t = std::min(end, t + kScanStepDays)) {
        if (ContactAt(body, t, deltaT, settings).altitude > 0) return true;
        if (t >= end) return false;
    }
}

}  // namespace

LocalSolarEclipse LocalSolarCircumstances(double greatestJdUt, const EphemerisSettings& settings) {
    LocalSolarEclipse out;
    out.c1 = out.c2 = out.max = out.c3 = out.c4 = {kNaN, kNaN, kNaN};
    SiteSky sky(settings, DeltaTOfJd(greatestJdUt, settings));
    std::vector<double> times;
    std::vector<Discs> discs;
    for (double t = greatestJdUt - kHalfWindowDays; t <= greatestJdUt + kHalfWindowDays; t += kScanStepDays) {
        Discs d;
        if (!sky.At(t, d)) return out;
        times.push_back(t);
        discs.push_back(d);
    }
    size_t least = 0;
    for (size_t i = 1; i < discs.size(); ++i) {
        if (discs[i].separation < discs[least].separation) least = i;
    }
    const double tMax = LeastSeparation(sky, times[least > 0 ? least - 1 : 0],
                                        times[std::min(least + 1, times.size() - 1)]);
    Discs atMax;
    sky.At(tMax, atMax);
    if (atMax.Outer() >= 0) return out;

    // Outwards from the maximum to the first scan sample on the far side of the disc's edge,
    // then bisection between it and the sample before it (or the maximum itself).
    const long n = long(times.size());
    auto crossing = [&](bool outer, int step) {
        auto f = [outer](const Discs& d) { return outer ? d.Outer() : d.Inner(); };
        long i = long(least);
        if ((times[i] - tMax) * step < 0) i += step;
        for (double inside = tMax; i >= 0 && i < n; inside = times[i], i += step) {
            if (f(discs[i]) < 0) continue;
            return BisectRoot(
                [&](double t) {
                    Discs d;
                    sky.At(t, d);
                    return f(d);
                },
                std::min(inside, times[i]), std::max(inside, times[i]), kToleranceDays);
        }
        return kNaN;
    };
    const double dt = sky.deltaT();
    out.eclipsed = true;
    out.max = ContactAt(kBodySun, tMax, dt, settings);
    out.c1 = ContactAt(kBodySun, crossing(true, -1), dt, settings);
    out.c4 = ContactAt(kBodySun, crossing(true, +1), dt, settings);
    if (atMax.Inner() < 0) {
        out.c2 = ContactAt(kBodySun, crossing(false, -1), dt, settings);
        out.c3 = ContactAt(kBodySun, crossing(false, +1), dt, settings);
    }
    out.magnitude = -atMax.Outer() / (2 * atMax.sunRadius);
    out.obscuration = Obscuration(atMax);
    out.visible = UpDuring(kBodySun, out.c1.jd, out.c4.jd, dt, settings);
    return out;
}

LocalLunarEclipse LocalLunarCircumstances(const LunarEclipseDetails& d, const EphemerisSettings& settings) {
    LocalLunarEclipse out;
    const double dt = DeltaTOfJd(d.greatest, settings);
    const std::array<double, kLunarContactCount> jds = LunarShadowContacts(d, dt, settings);
    for (int i = 0; i < kLunarContactCount; ++i) out.contacts[i] = ContactAt(kBodyMoon, jds[i], dt, settings);
    const bool umbral = HasContact(jds[1]) && HasContact(jds[5]);
    out.visible = umbral ? UpDuring(kBodyMoon, jds[1], jds[5], dt, settings)
                         : UpDuring(kBodyMoon, jds[0], jds[6], dt, settings);
    return out;
}

LocalEclipse LocalEclipseAt(const EclipseEntry& entry, const EclipseCircumstances& c, const EphemerisSettings& settings) {
    LocalEclipse out;
    if (entry.kind == kEclipseSolar) {
        const LocalSolarEclipse s = LocalSolarCircumstances(c.jd, settings);
        out.visible = s.visible;
        out.magnitude = s.eclipsed ? s.magnitude : kNaN;
        out.obscuration = s.eclipsed ? s.obscuration : kNaN;
        out.contacts = {{"C1", "c1", s.c1}, {"C2", "c2", s.c2}, {"max", "max", s.max}, {"C3", "c3", s.c3},
                        {"C4", "c4", s.c4}};
        return out;
    }
    static constexpr const char* kKeys[kLunarContactCount] = {nullptr, "c1", "c2", "max", "c3", "c4", nullptr};
    const LocalLunarEclipse l = LocalLunarCircumstances(c.lunar, settings);
    out.visible = l.visible;
    out.magnitude = HasContact(l.contacts[1].jd) ? c.lunar.umbralMagnitude : c.lunar.penumbralMagnitude;
    out.obscuration = kNaN;
    for (int i = 0; i < kLunarContactCount; ++i) out.contacts.push_back({kLunarContactNames[i], kKeys[i], l.contacts[i]});
    return out;
}

}  // namespace vsp
