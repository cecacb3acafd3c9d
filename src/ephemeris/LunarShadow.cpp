#include "ephemeris/LunarShadow.h"

#include <cmath>
#include <limits>

#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Search1D.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSunRadiusKm = 695700.0;
constexpr double kEarthShadowRadiusKm = 6371.0 + 88.0;
constexpr double kMoonRadiusKm = 1737.4;
constexpr double kToleranceDays = 0.5 / 86400;
// The search's greatest eclipse is within minutes of the true one, and no penumbral phase
// lasts five hours.
constexpr double kPeakWindowDays = 1.0 / 24;
constexpr double kContactWindowDays = 3.5 / 24;

// The Moon's centre against the shadow at one instant, km.
struct ShadowAt {
    double distance = 0;   // of the Moon's centre from the axis
    double umbra = 0;      // the umbra's radius at the Moon's distance along the axis
    double penumbra = 0;
};

class EarthShadow {
public:
    EarthShadow(const EphemerisSettings& settings, double deltaT) : geocentric_(settings), deltaT_(deltaT) {
        geocentric_.chartMode = 0;
    }

    bool ok() const { return ok_; }

    ShadowAt At(double jdUt) {
        const Instant when = Instant::FromUt(jdUt, deltaT_);
        BodyPosition sun, moon;
        if (ComputeSunMoonPluto(sun, kBodySun, when, geocentric_) != kEphemerisOk ||
            ComputeSunMoonPluto(moon, kBodyMoon, when, geocentric_) != kEphemerisOk) {
            ok_ = false;
            return {};
        }
        const Vec3 axis = -sun.distance * RaDecToVector(sun.rightAscension, sun.declination);
        const Vec3 m = moon.distance * RaDecToVector(moon.rightAscension, moon.declination);
        // u: the Moon's distance along the axis in units of the Sun's distance.
        const double u = Dot(axis, m) / Dot(axis, axis);
        ShadowAt out;
        out.distance = kKmPerAu * Length(u * axis - m);
        out.umbra = kSunRadiusKm - (1 + u) * (kSunRadiusKm - kEarthShadowRadiusKm);
        out.penumbra = (1 + u) * (kSunRadiusKm + kEarthShadowRadiusKm) - kSunRadiusKm;
        return out;
    }

private:
    EphemerisSettings geocentric_;
    double deltaT_;
    bool ok_ = true;
};

// How far the Moon's limb is outside (positive) the edge it crosses at one contact.
enum class Edge { PenumbraOuter, UmbraOuter, UmbraInner };
double Clearance(const ShadowAt& s, Edge edge) {
    switch (edge) {
        case Edge::PenumbraOuter: return s.distance - (s.penumbra + kMoonRadiusKm);
        case Edge::UmbraOuter: return s.distance - (s.umbra + kMoonRadiusKm);
        case Edge::UmbraInner: return s.distance - (s.umbra - kMoonRadiusKm);
    }
    return kNaN;
}

}  // namespace

std::array<double, 7> LunarShadowContacts(const LunarEclipseDetails& search, double deltaT,
                                          const EphemerisSettings& settings) {
    std::array<double, 7> out;
    out.fill(kNaN);
    EarthShadow shadow(settings, deltaT);
    const double peak = GoldenMinimum([&](double t) { return shadow.At(t).distance; },
                                      search.greatest - kPeakWindowDays, search.greatest + kPeakWindowDays,
                                      kToleranceDays);
    const ShadowAt least = shadow.At(peak);
    if (!shadow.ok()) return out;
    // The distance grows on both sides of the peak, so each edge is crossed once on each side.
    const Edge edges[3] = {Edge::PenumbraOuter, Edge::UmbraOuter, Edge::UmbraInner};
    for (int e = 0; e < 3; ++e) {
        if (Clearance(least, edges[e]) >= 0) continue;
        auto f = [&](double t) { return Clearance(shadow.At(t), edges[e]); };
        out[e] = BisectRoot(f, peak - kContactWindowDays, peak, kToleranceDays);
        out[6 - e] = BisectRoot(f, peak, peak + kContactWindowDays, kToleranceDays);
    }
    if (Clearance(least, Edge::PenumbraOuter) < 0) out[3] = peak;
    if (!shadow.ok()) out.fill(kNaN);
    return out;
}

}  // namespace vsp
