// Comets and minor planets: two-body heliocentric places against skyfield's KeplerOrbit, and
// apparent geocentric places, distances, angles, motion and magnitudes against PyEphem bodies
// built from the same elements (scripts/fixtures/minor_orbit_fixtures.py).

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/Spherical.h"
#include "support/AngleCompare.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::minor {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

std::map<std::string, MinorBodyElements> ReadElements(std::map<std::string, std::string>* classes = nullptr) {
    std::map<std::string, MinorBodyElements> out;
    const auto table = ReadEphemerisCsv("minor_elements.csv", "solarsystem");
    for (const CsvRow& row : table->rows) {
        MinorBodyElements b;
        OrbitalElements& o = b.orbit;
        o.epochJd = row.Number("epoch_jd");
        o.eccentricity = row.Number("e");
        o.inclination = row.Number("i");
        o.node = row.Number("node");
        o.perihelionArgument = row.Number("peri");
        b.absoluteMagnitude = row.Number("mag1");
        b.slope = row.Number("mag2");
        if (row.Text("kind") == "comet") {
            b.kind = MinorBodyKind::Comet;
            o.perihelionJd = row.Number("a_or_t");
            o.perihelionDistance = row.Number("m_or_q");
        } else {
            const double a = row.Number("a_or_t");
            o.perihelionDistance = a * (1.0 - o.eccentricity);
            o.perihelionJd = PerihelionTimeFromMeanAnomaly(o.epochJd, a, row.Number("m_or_q"));
        }
        out[row.Text("name")] = b;
        if (classes) (*classes)[row.Text("name")] = row.Text("kind") + " " + row.Text("class");
    }
    return out;
}

Vec3 RowVector(const CsvRow& row, const char* x, const char* y, const char* z) {
    return {{row.Number(x), row.Number(y), row.Number(z)}};
}

// Every orbit class at its epoch, 200 days away and (near e = 1) thousands of days from
// perihelion; asteroids through their mean anomaly turned into a perihelion time.
TEST(MinorBodyTest, HeliocentricPlacesMatchSkyfieldKeplerOrbits) {
    std::map<std::string, std::string> classes;
    const auto elements = ReadElements(&classes);
    std::map<std::string, double> worstArcsec;
    const auto table = ReadEphemerisCsv("minor_heliocentric.csv", "solarsystem");
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("name") + " " + row.Text("jd_tt"));
        Vec3 p, v;
        ASSERT_EQ(KeplerHeliocentric(elements.at(row.Text("name")).orbit, row.Number("jd_tt"), p.data(), v.data()), 0);
        const Vec3 wantP = RowVector(row, "x", "y", "z"), wantV = RowVector(row, "vx", "vy", "vz");
        const double arcsec = AngularSeparation(p, wantP) * kArcsecPerRadian;
        double& worst = worstArcsec[classes.at(row.Text("name"))];
        worst = std::max(worst, arcsec);
        EXPECT_LT(arcsec, 0.01);
        EXPECT_NEAR(Length(p), Length(wantP), 1e-8);
        EXPECT_LT(Length(v - wantV), 1e-8 * Length(wantV) + 1e-12);
    }
    for (const auto& [orbitClass, arcsec] : worstArcsec) RecordProperty(orbitClass, std::to_string(arcsec * 1e3) + " mas");
}

// The universal formulation has no seam at e = 1: orbits a hair either side of the parabola,
// and the parabola itself, keep together far from perihelion; elements that describe no
// orbit are refused with zeroed outputs.
TEST(MinorBodyTest, OrbitsAreContinuousThroughTheParabolaAndRefuseBadElements) {
    OrbitalElements o{2460000.5, 2460000.5, 0.8, 1.0, 40.0, 120.0, 250.0};
    for (double days : {-5000.0, -30.0, 0.0, 0.5, 60.0, 20000.0}) {
        Vec3 parabola, v, below, above;
        ASSERT_EQ(KeplerHeliocentric(o, o.perihelionJd + days, parabola.data(), v.data()), 0);
        OrbitalElements near = o;
        near.eccentricity = 1.0 - 1e-9;
        KeplerHeliocentric(near, o.perihelionJd + days, below.data(), v.data());
        near.eccentricity = 1.0 + 1e-9;
        KeplerHeliocentric(near, o.perihelionJd + days, above.data(), v.data());
        EXPECT_LT(AngularSeparation(parabola, below) * kArcsecPerRadian, 0.01) << days;
        EXPECT_LT(AngularSeparation(parabola, above) * kArcsecPerRadian, 0.01) << days;
        EXPECT_NEAR(Length(below), Length(above), 1e-6 * Length(parabola)) << days;
    }
    OrbitalElements noDistance = o, negative = o, notANumber = o;
    noDistance.perihelionDistance = 0.0;
    negative.eccentricity = -0.1;
    notANumber.node = std::nan("");
    for (const OrbitalElements& bad : {noDistance, negative, notANumber}) {
        Vec3 p{{1, 1, 1}}, v{{1, 1, 1}};
        EXPECT_EQ(KeplerHeliocentric(bad, o.perihelionJd, p.data(), v.data()), kEphemerisBadElements);
        EXPECT_EQ(Length(p) + Length(v), 0.0);
    }
}

// Chart mode 0 against PyEphem's apparent geocentric places of date, its distances and
// elongation; the phase angle, magnitude (H, G and g, k) computed independently from
// PyEphem's distances, and PyEphem's own magnitude (kept to 0.01 there); the motion and the
// tail direction from PyEphem's places an hour apart and of the Sun.
TEST(MinorBodyTest, ApparentPlacesAndMagnitudesMatchPyEphem) {
    std::map<std::string, std::string> classes;
    const auto elements = ReadElements(&classes);
    std::map<std::string, double> worstArcsec, worstDistance;
    const auto table = ReadEphemerisCsv("minor_apparent.csv", "solarsystem");
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("name") + " " + row.Text("jd_ut"));
        const MinorBodyElements& body = elements.at(row.Text("name"));
        EphemerisSettings settings;
        const Instant when = Instant::FromUt(row.Number("jd_ut"), row.Number("delta_t"));
        MinorBodyPosition got;
        BodyHorizon horizon;
        ASSERT_EQ(ComputeMinorBody(got, body, when, settings, &horizon), 0);
        const double arcsec = SeparationArcsec(got.raHours, got.decDeg, row.Number("ra_hours"), row.Number("dec_deg"));
        const std::string& orbitClass = classes.at(row.Text("name"));
        const bool asteroid = body.kind == MinorBodyKind::MinorPlanet || body.orbit.eccentricity > 1.0;
        worstArcsec[orbitClass] = std::max(worstArcsec[orbitClass], arcsec);
        const double distance = std::fabs(got.earthDistanceAu / row.Number("earth_distance") - 1.0);
        worstDistance[orbitClass] = std::max(worstDistance[orbitClass], distance);
        // PyEphem's elliptic comets near e = 1 and its parabolas part from skyfield's two-body
        // orbits (which ours match to 0.01") by up to 21" and 4e-4 of the distance; its
        // asteroids and hyperbolas agree within 1".
        EXPECT_LT(arcsec, asteroid ? 10.0 : 25.0);
        EXPECT_LT(distance, asteroid ? 2e-5 : 5e-4);
        EXPECT_NEAR(got.sunDistanceAu, row.Number("sun_distance"), (asteroid ? 2e-5 : 5e-4) * got.sunDistanceAu);
        EXPECT_NEAR(got.elongationDeg, row.Number("elongation_deg"), 0.01);
        EXPECT_NEAR(got.phaseDeg, row.Number("phase_deg"), 0.01);
        EXPECT_NEAR(got.magnitude, row.Number("formula_magnitude"), 0.005);
        EXPECT_NEAR(got.magnitude, row.Number("magnitude"), 0.015);
        const double motion = row.Number("motion_arcsec_per_hour");
        EXPECT_NEAR(got.motionArcsecPerHour, motion, 0.01 * motion + 0.05);
        if (motion > 1.0) EXPECT_LT(std::fabs(std::remainder(got.motionAngleDeg - row.Number("motion_pa_deg"), 360.0)), 0.5);
        EXPECT_LT(std::fabs(std::remainder(got.tailAngleDeg - row.Number("tail_pa_deg"), 360.0)), 0.5);
        EXPECT_DOUBLE_EQ(got.elementAgeDays, when.tt - body.orbit.epochJd);

        double earth[3];
        EarthHeliocentricEcliptic(when, earth);
        EXPECT_NEAR(MinorBodyMagnitudeAt(body, when.tt, earth), got.magnitude, 0.05);
    }
    for (const auto& [orbitClass, arcsec] : worstArcsec)
        RecordProperty(orbitClass, std::to_string(arcsec) + "\" " + std::to_string(worstDistance[orbitClass]));
}

}  // namespace
}  // namespace vsp::test::minor
