// sat transits against skyfield and PyEphem (tests/data/satellites/transits.csv): at each
// fixture site the ISS's transit or near pass of the Sun or the Moon, its closest approach,
// separation, the body's radius and altitude, the time inside the disc and the centre line.

#include <cmath>
#include <ctime>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using SatelliteTransitCommand = ProgramHomeTest;

// A Julian Date as the calendar writes it, by the C library: strftime's format, then the
// tenth of a second when `tenths`.
std::string CalendarText(double jd, const char* format, bool tenths = false) {
    const long long t10 = std::llround((jd - 2440587.5) * 864000.0);
    const std::time_t unixSeconds = std::time_t(t10 / 10);
    std::tm t{};
    gmtime_r(&unixSeconds, &t);
    char text[32];
    std::strftime(text, sizeof text, format, &t);
    return std::string(text) + (tenths ? "." + std::to_string(t10 % 10) : "");
}

// The program's observing date and time, UT, for a Julian Date.
std::vector<std::string> ClockAt(double jd) {
    return {"--tz", "0", "--date", CalendarText(jd, "%Y-%m-%d"), "--time", CalendarText(jd, "%H:%M:%S")};
}

TEST_F(SatelliteTransitCommand, FindsTheTransitsAndNearPassesOfTheReference) {
    ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle"}).status, 0);
    int transits = 0, nearPasses = 0;
    bodies::ForEachRow("../satellites/transits.csv", {"body", "jd_ut"}, [&](const bodies::CsvRow& row) {
        const double jd = row.Number("jd_ut");
        std::vector<std::string> args = {"--lat", row.Text("lat_deg"), "--lon", row.Text("lon_east_deg")};
        for (const std::string& word : ClockAt(jd - 0.2)) args.push_back(word);
        for (const char* word : {"sat", "transits", "ISS", "--days", "0.4"}) args.push_back(word);
        const bool inside = row.Number("duration_s") > 0.0;
        (inside ? transits : nearPasses) += 1;
        // Both bodies without a margin: only a transit is listed; the margin brings in the near pass.
        const nlohmann::json plain = Json(args);
        ASSERT_EQ(plain.size(), inside ? 1u : 0u);
        if (inside) EXPECT_EQ(plain[0]["body"], row.Text("body"));
        args.insert(args.end(), {"--body", row.Text("body"), "--margin", "0.6"});
        const nlohmann::json listed = Json(args);
        ASSERT_EQ(listed.size(), 1u);
        const nlohmann::json& e = listed[0];
        EXPECT_EQ(e["body"], row.Text("body"));
        EXPECT_EQ(e["near"].get<bool>(), !inside);
        EXPECT_NEAR(e["jd_ut"].get<double>(), jd, 0.05 / 86400.0);
        EXPECT_NEAR(e["separation_deg"].get<double>(), row.Number("separation_deg"), 0.003);
        EXPECT_NEAR(e["body_radius_deg"].get<double>(), row.Number("body_radius_deg"), 0.0006);
        EXPECT_NEAR(e["duration_s"].get<double>(), row.Number("duration_s"), 0.05);
        EXPECT_NEAR(e["body_alt_deg"].get<double>(), row.Number("body_alt_deg"), 0.003);
        const double centreLine = row.Number("centre_line_km");
        EXPECT_NEAR(e["centre_line_km"].get<double>(), centreLine, std::max(0.2, 0.03 * centreLine));
        EXPECT_NEAR(e["age_days"].get<double>(), jd - 2460876.76732422, 1e-6);  // epoch 25201.26732422
        EXPECT_EQ(e["local"].get<std::string>().size(), 21u);
    });
    EXPECT_GE(transits, 6);
    EXPECT_GE(nearPasses, 3);
    EXPECT_EQ(Run({"sat", "transits", "ISS", "--body", "venus"}).status, 2);
    EXPECT_EQ(Run({"sat", "transits", "ISS", "--margin", "-1"}).status, 2);
}

// The text list, in the site's zone: the near pass of the Sun of the fixture's third row at
// its local time to the tenth of a second, marked as near.
TEST_F(SatelliteTransitCommand, ListsANearPassAtItsLocalTime) {
    ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle"}).status, 0);
    const double zone = 600.0 / 1440.0, sunJd = 2460877.53472873;
    const ProgramResult r = Run({"--lat", "-31.39", "--lon", "163.65", "--tz", "600", "--date", "2025-07-21",
                                 "--time", "10:00", "sat", "transits", "ISS", "--days", "2", "--margin", "0.6"});
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t sun = r.out.find(CalendarText(sunJd + zone, "%Y-%m-%d %H:%M:%S", true) + "  sun ");
    ASSERT_NE(sun, std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  near\n", sun), std::string::npos);
    EXPECT_EQ(r.out.substr(0, 4), "name");
    EXPECT_NE(r.out.find("All displayed times are local times.\n"), std::string::npos);
}

}  // namespace
}  // namespace vsp::test
