#include "settings/MagnitudeLimits.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "ephemeris/Constants.h"

namespace vsp {

namespace {


constexpr int kDiameterRows = int(std::size(kApertureRowsMm));

// V-band figures of Schaefer's model (S&T 1998; PASP 1990; Krisciunas & Schaefer 1991).
constexpr double kRayleighV = 0.1066;      // mag per air mass at sea level
constexpr double kRayleighScaleM = 8200.0;
constexpr double kAerosolV = 0.1;
constexpr double kAerosolScaleM = 1500.0;
constexpr double kOzoneV = 0.031;
constexpr double kWaterV = 0.031;
constexpr double kDarkSkyV = 1.0e-13;      // night-sky brightness at the zenith, model units
constexpr double kSunMagV = -26.74;
constexpr double kMoonRefMagV = -11.05;
constexpr double kUnitsPerNanolambert = 1.11e-15;
constexpr double kScotopicLimitNl = 1479.0;  // above this the cones set the threshold
constexpr double kAirMassBelowHorizon = 40.0;

// Threshold multipliers of the observer, as magnitude losses: the model's thresholds hold
// for an experienced observer; a beginner and an occasional observer see less deep.
constexpr double kExperienceLossMag[] = {0.5, 0.2, 0.0};

double Pow10(double x) { return std::pow(10.0, x); }
double Fade(double magnitudes) { return Pow10(-0.4 * magnitudes); }

// Air mass of the sky and of the Sun and Moon (Schaefer's form, finite at the horizon).
double SkyAirMass(double zenithRad) {
    const double c = std::cos(zenithRad);
    return c > 0.0 ? 1.0 / (c + 0.025 * std::exp(-11.0 * c)) : kAirMassBelowHorizon;
}

struct Extinction {
    double rayleigh, aerosol, ozone, water;
    double Total() const { return rayleigh + aerosol + ozone + water; }
};

Extinction ExtinctionCoefficients(const NakedEyeConditions& c) {
    const double h = std::max(0.0, c.elevation);
    const double rh = std::clamp(c.humidity, 0.0, 99.5);
    const double season = (c.month - 3) * 30.0 * kDegToRad;
    const double phi = c.latitude * kDegToRad;
    Extinction k{};
    k.rayleigh = kRayleighV * std::exp(-h / kRayleighScaleM);
    k.aerosol = kAerosolV * std::exp(-h / kAerosolScaleM);
    if (rh > 0.0) k.aerosol *= std::pow(1.0 - 0.32 / std::log(rh / 100.0), 1.33);
    // Haze follows the seasons, mirrored between the hemispheres.
    k.aerosol *= c.latitude < 0.0 ? 1.0 - std::sin(season) : 1.0 + std::sin(season);
    k.ozone = kOzoneV * (3.0 + 0.4 * (phi * std::cos(season) - std::cos(3.0 * phi))) / 3.0;
    k.water = kWaterV * 0.94 * (rh / 100.0) * std::exp(c.temperature / 15.0) *
              std::exp(-h / kRayleighScaleM);
    return k;
}

// Extinction towards the target, with separate air masses for gas, aerosol and ozone.
double TargetExtinction(const Extinction& k, double zenithRad) {
    const double c = std::max(std::cos(zenithRad), 0.0);
    const double gas = 1.0 / (c + 0.0286 * std::exp(-10.5 * c));
    const double aerosol = 1.0 / (c + 0.0123 * std::exp(-24.5 * c));
    const double s = std::sin(zenithRad) / (1.0 + 20.0 / 6378.0);
    const double ozone = 1.0 / std::sqrt(1.0 - s * s);
    return (k.rayleigh + k.water) * gas + k.aerosol * aerosol + k.ozone * ozone;
}

// Scattering of a bright source's light by angle (Krisciunas & Schaefer 1991).
double Scattering(double separationDeg) {
    const double rho = std::max(separationDeg, 0.5);
    const double c = std::cos(rho * kDegToRad);
    return Pow10(5.36) * (1.06 + c * c) + Pow10(6.15 - rho / 40.0) + 6.2e7 / (rho * rho);
}

double NightSky(const NakedEyeConditions& c, double k, double zenithRad, double airMass) {
    const double year = c.year + (c.month - 1) / 12.0;
    const double solarCycle = 1.0 + 0.3 * std::cos(kTwoPi * (year - 1992.0) / 11.0);
    const double s = std::sin(zenithRad);
    const double vanRhijn = 0.4 + 0.6 / std::sqrt(1.0 - 0.96 * s * s);
    return kDarkSkyV * solarCycle * vanRhijn * Fade(k * airMass);
}

double Moonlight(const NakedEyeConditions& c, double k, double airMass) {
    if (c.moonAltitude <= 0.0) return 0.0;
    const double phase = std::fabs(c.moonPhaseAngle);
    const double moonMag = -12.73 + 0.026 * phase + 4e-9 * std::pow(phase, 4.0);
    const double direct = Fade(k * SkyAirMass((90.0 - c.moonAltitude) * kDegToRad));
    return Fade(moonMag - kMoonRefMagV + 43.27) * (1.0 - Fade(k * airMass)) *
           (Scattering(c.moonSeparation) * direct + 440000.0 * (1.0 - direct));
}

double Twilight(const NakedEyeConditions& c, double k, double zenithDeg, double airMass) {
    const double separation = std::max(c.sunSeparation, 1.0);
    return Fade(kSunMagV - kMoonRefMagV + 32.5 - c.sunAltitude - zenithDeg / (360.0 * k)) *
           (100.0 / separation) * (1.0 - Fade(k * airMass));
}

double Daylight(const NakedEyeConditions& c, double k, double airMass) {
    const double direct = Fade(k * SkyAirMass((90.0 - c.sunAltitude) * kDegToRad));
    return Fade(kSunMagV - kMoonRefMagV + 43.27) * (1.0 - Fade(k * airMass)) *
           (Scattering(c.sunSeparation) * direct + 440000.0 * (1.0 - direct));
}

// Dark-adapted pupil by age (Kadlecová et al., as Schaefer uses it), millimetres.
double PupilMm(double ageYears) {
    const double a = ageYears / 100.0;
    return 7.0 * std::exp(-0.5 * a * a);
}

// Multiplier of the threshold for the observer: a pupil smaller than a young adult's
// (23 years) gathers less light, and acuity scales it by 1 / Snellen ratio squared.
double ObserverFactor(const NakedEyeConditions& c) {
    const double pupilRatio = PupilMm(23.0) / PupilMm(std::max(c.ageYears, 0.0));
    const double age = std::max(1.0, pupilRatio * pupilRatio);
    const double snellen = std::max(c.snellenRatio, 0.05);
    const int experience = std::clamp(c.experience, 0, 2);
    return age / (snellen * snellen) * Pow10(0.4 * kExperienceLossMag[experience]);
}

}  // namespace

float TelescopeLimitingMagnitude(int apertureMm) {
    const int centimetres = std::max(apertureMm / 10, 1);
    const double m = 5.0 * std::log10(double(centimetres)) + 7.5;
    // Truncated, not rounded; the small bias keeps exact tenths (14.0) from falling below.
    return float(std::floor(m * 10.0 + 1e-9) / 10.0);
}

int TelescopeApertureMm(const Preferences& prefs) {
    if (prefs.diameter == kDiameterRows) return prefs.diameterOther;
    if (prefs.diameter >= 0 && prefs.diameter < kDiameterRows) return kApertureRowsMm[prefs.diameter];
    return kApertureRowsMm[Preferences{}.diameter];
}

double TelescopeFocalLengthMm(const Preferences& prefs) {
    const double ratio = prefs.fRatio >= 0 && prefs.fRatio < kFRatioOtherRow ? double(prefs.fRatio + kFirstFRatioRow)
                         : prefs.fRatio == kFRatioOtherRow ? double(prefs.fRatioOther)
                                                           : double(Preferences{}.fRatio + kFirstFRatioRow);
    return TelescopeApertureMm(prefs) * ratio;
}

void SetObserverConditions(const Preferences& prefs, NakedEyeConditions& conditions) {
    const Preferences defaults;
    const Site& site = prefs.site;
    conditions.latitude = site.latitude;
    conditions.elevation = site.elevation;
    conditions.temperature = site.temperature;
    conditions.humidity = site.humidity;
    const int age = prefs.age >= 0 && prefs.age < int(std::size(kAgeRowYears)) ? prefs.age : defaults.age;
    conditions.ageYears = kAgeRowYears[age];
    const int vision = prefs.vision >= 0 && prefs.vision <= 10 ? prefs.vision : defaults.vision;
    conditions.snellenRatio = (vision + 2) / 10.0;
    conditions.experience =
        prefs.experience >= 0 && prefs.experience <= 2 ? prefs.experience : defaults.experience;
}

NakedEyeModel ComputeNakedEyeModel(const NakedEyeConditions& c) {
    const double altitude = std::clamp(c.targetAltitude, 0.0, 90.0);
    const double zenithDeg = 90.0 - altitude;
    const double zenith = zenithDeg * kDegToRad;
    const Extinction coefficients = ExtinctionCoefficients(c);
    const double k = coefficients.Total();
    const double airMass = SkyAirMass(zenith);

    const double sky = NightSky(c, k, zenith, airMass) + Moonlight(c, k, airMass) +
                       std::min(Daylight(c, k, airMass), Twilight(c, k, zenithDeg, airMass));
    NakedEyeModel model;
    model.extinctionCoefficient = k;
    model.extinction = TargetExtinction(coefficients, zenith);
    model.skyBrightness = sky / kUnitsPerNanolambert + std::max(c.extraSkyBrightness, 0.0);

    const bool scotopic = model.skyBrightness < kScotopicLimitNl;
    const double c1 = scotopic ? Pow10(-9.8) : Pow10(-8.35);
    const double c2 = scotopic ? Pow10(-1.9) : Pow10(-5.9);
    const double root = 1.0 + std::sqrt(c2 * model.skyBrightness);
    const double threshold = c1 * root * root * ObserverFactor(c);
    model.limit = -16.57 - 2.5 * std::log10(threshold) - model.extinction;
    return model;
}

float NakedEyeLimitingMagnitude(const NakedEyeConditions& conditions) {
    const double limit = ComputeNakedEyeModel(conditions).limit;
    return float(std::min(limit, double(kNakedEyeLimitCap)));
}

}  // namespace vsp
