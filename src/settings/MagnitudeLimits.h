#pragma once
// The values behind the "Scope" and "Eyes" entries of the magnitude lists: the telescope's
// limiting magnitude from its aperture, and the naked-eye limit from a model of extinction,
// sky brightness (night sky, moonlight, twilight, daylight) and the eye's threshold
// (Schaefer 1990, 1993, 1998; moonlight after Krisciunas & Schaefer 1991).
// The Sun and Moon positions are inputs: the caller takes them from the ephemeris.

#include "settings/Preferences.h"

namespace vsp {

inline constexpr float kNakedEyeLimitCap = 7.0f;

// Apertures of the page 2 "Diameter" rows in millimetres; the row after them, "Other", uses
// the typed field.
inline constexpr int kApertureRowsMm[] = {50,  60,  70,  80,  90,  100, 125, 150, 166, 180,
                                          203, 235, 254, 280, 368, 457, 558, 635, 762};
// The F-ratio of the first "F-Ratio" row; one more per row up to "Other".
inline constexpr int kFirstFRatioRow = 4;
inline constexpr int kFRatioOtherRow = 12;
// The ages of the "Age" rows (the last shown as ">95").
inline constexpr int kAgeRowYears[] = {15, 25, 35, 45, 55, 65, 75, 85, 95};

// 5 log10(D) + 7.5 with D the aperture in whole centimetres (millimetres / 10, integer
// division), truncated to one decimal. An aperture under 1 cm counts as 1 cm.
float TelescopeLimitingMagnitude(int apertureMm);
// The aperture of the page 2 "Diameter" row, or the "Other" field for the last row.
int TelescopeApertureMm(const Preferences& prefs);
// Aperture x F-ratio (the "Other" F-ratio field for its row), millimetres.
double TelescopeFocalLengthMm(const Preferences& prefs);

struct NakedEyeConditions {
    // Where the observer looks and where the Sun and Moon stand (degrees).
    double targetAltitude = 90.0;
    double sunAltitude = -90.0;
    double sunSeparation = 180.0;    // Sun to target
    double moonAltitude = -90.0;
    double moonPhaseAngle = 180.0;   // 0 = full, 180 = new
    double moonSeparation = 180.0;   // Moon to target
    // When and where.
    int year = 2000;
    int month = 1;
    double latitude = 45.0;          // degrees, north positive
    double elevation = 0.0;          // metres
    double temperature = 10.0;       // degrees Celsius
    double humidity = 40.0;          // percent
    double extraSkyBrightness = 0.0; // nanolamberts of artificial light at the site
    // The observer.
    double snellenRatio = 1.0;       // visual acuity, 1 = 20/20
    double ageYears = 23.0;
    int experience = 2;              // 0 Beginner, 1 Hobbyst, 2 Expert
};

struct NakedEyeModel {
    double extinctionCoefficient = 0.0;  // V band, magnitudes per air mass at the site
    double extinction = 0.0;             // V band, magnitudes towards the target
    double skyBrightness = 0.0;          // nanolamberts at the target
    double limit = 0.0;                  // limiting magnitude before the cap
};

// The observer's place, weather and eye from the preferences (site, "Experience", "Age",
// "Vision"); the positions, date and sky remain as they were in `conditions`.
void SetObserverConditions(const Preferences& prefs, NakedEyeConditions& conditions);

// The whole model, uncapped, for inspection.
NakedEyeModel ComputeNakedEyeModel(const NakedEyeConditions& conditions);
// The naked-eye limiting magnitude as the program uses it: capped at 7.0.
float NakedEyeLimitingMagnitude(const NakedEyeConditions& conditions);

}  // namespace vsp
