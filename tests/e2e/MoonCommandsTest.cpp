// The Moon through the built program: `body moon` (precise, topocentric, quick), `body all`
// and `moon`, against PyEphem's places and phase instants.

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double a1 = ra1 * M_PI / 12, a2 = ra2 * M_PI / 12;
    const double d1 = dec1 * M_PI / 180, d2 = dec2 * M_PI / 180;
    const double x = std::sin((d2 - d1) / 2), y = std::sin((a2 - a1) / 2);
    return 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y)) * 206264.806;
}

// "--date" and "--time" values for an ISO instant moved by `seconds`.
std::vector<std::string> ClockArgs(const std::string& iso, int seconds) {
    std::tm t{};
    std::sscanf(iso.c_str(), "%d-%d-%dT%d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                &t.tm_min, &t.tm_sec);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    const std::time_t moved = timegm(&t) + seconds;
    std::tm out{};
    gmtime_r(&moved, &out);
    char date[40], time[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", out.tm_year + 1900, out.tm_mon + 1, out.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", out.tm_hour, out.tm_min, out.tm_sec);
    return {"--date", date, "--time", time, "--tz", "0"};
}

class MoonCommands : public ProgramHomeTest {
protected:
    void SetUp() override { places_ = ReadEphemerisCsv("../moon/moon_places.csv"); }

    void SetDeltaT(double seconds) {
        ASSERT_EQ(Run({"prefs", "set", "delta_t_s=" + std::to_string(seconds)}).status, 0);
    }
    // `args` at a fixture row's TT, with ΔT 60 s.
    nlohmann::json AtRowTt(const CsvRow& row, std::vector<std::string> args) {
        std::vector<std::string> all = ClockArgs(row.Text("tt"), -60);
        all.insert(all.end(), args.begin(), args.end());
        return Json(all);
    }
    const CsvRow& Row(const std::string& tt) const {
        for (const CsvRow& row : places_->rows) {
            if (row.Text("tt") == tt) return row;
        }
        ADD_FAILURE() << "no fixture row " << tt;
        return places_->rows.front();
    }
    // The topocentric rows with the Moon above the horizon and a PyEphem ΔT that the
    // preferences accept (40, 200].
    std::vector<const CsvRow*> TopocentricRows() const {
        std::vector<const CsvRow*> rows;
        for (const CsvRow& row : places_->rows) {
            if (row.Has("topo_observer") && row.Number("pyephem_delta_t_s") > 41 &&
                row.Number("pyephem_delta_t_s") < 199 && row.Number("topo_alt_deg") > 0) {
                rows.push_back(&row);
            }
        }
        return rows;
    }

    std::unique_ptr<bodies::CsvTable> places_;
};

TEST_F(MoonCommands, BodyMoonIsPyEphemsApparentPlace) {
    SetDeltaT(60);
    for (const char* tt : {"2000-01-01T12:00:00", "2024-02-29T21:15:30", "2000-01-06T18:14:00"}) {
        const CsvRow& row = Row(tt);
        const auto moon = AtRowTt(row, {"body", "moon"});
        ASSERT_TRUE(moon.is_object()) << tt;
        EXPECT_EQ(moon["code"], 1);
        EXPECT_EQ(moon["name"], "moon");
        EXPECT_LT(SeparationArcsec(moon["ra_hours"].get<double>(), moon["dec_deg"].get<double>(),
                                   row.Number("ra_hours"), row.Number("dec_deg")),
                  2.5)
            << tt;
        EXPECT_NEAR(moon["distance_au"].get<double>(), row.Number("earth_distance_au"), 1e-8) << tt;
        EXPECT_NEAR(moon["phase_fraction"].get<double>(), row.Number("phase_percent") / 100, 2e-4) << tt;
        EXPECT_NEAR(moon["diameter_arcmin"].get<double>(), row.Number("size_arcsec") / 60, 0.05) << tt;
        EXPECT_EQ(moon["display_constant"], 3.0);
        EXPECT_EQ(AtRowTt(row, {"body", "1"}), moon) << tt;
    }
}

// Modes 2 and 3 at PyEphem's topocentric rows: their UT is the clock (ΔT cut to whole
// seconds).
TEST_F(MoonCommands, TopocentricModesAndTheQuickSeries) {
    const std::vector<const CsvRow*> rows = TopocentricRows();
    ASSERT_GE(rows.size(), 5u);
    for (const CsvRow* row : rows) {
        const double deltaT = row->Number("pyephem_delta_t_s");
        SetDeltaT(deltaT);
        std::vector<std::string> args = ClockArgs(row->Text("tt"), -static_cast<int>(std::trunc(deltaT)));
        args.insert(args.end(), {"--lat", row->Text("topo_lat_deg"), "--lon", row->Text("topo_lon_east_deg"),
                                 "--elev", row->Text("topo_elevation_m"), "body", "moon"});
        const std::string what = row->Text("tt") + " " + row->Text("topo_observer");
        auto withMode = [&](const char* mode) {
            std::vector<std::string> a = args;
            a.insert(a.end(), {"--mode", mode});
            return Json(a);
        };

        const auto geo = withMode("0");
        const auto topo = withMode("2");
        const double shift = SeparationArcsec(geo["ra_hours"].get<double>(), geo["dec_deg"].get<double>(),
                                              topo["ra_hours"].get<double>(), topo["dec_deg"].get<double>());
        EXPECT_NEAR(shift, row->Number("topo_shift_arcsec"), 1.0) << what;
        EXPECT_LT(SeparationArcsec(topo["ra_hours"].get<double>(), topo["dec_deg"].get<double>(),
                                   row->Number("topo_ra_hours"), row->Number("topo_dec_deg")),
                  3.0)
            << what;
        EXPECT_NEAR(topo["alt_deg"].get<double>(), row->Number("topo_alt_deg"), 0.01) << what;
        EXPECT_NEAR(topo["az_deg"].get<double>(), row->Number("topo_az_deg"), 0.02) << what;
        EXPECT_EQ(topo["distance_au"], geo["distance_au"]) << what;
        EXPECT_GT(withMode("3")["alt_deg"].get<double>(), topo["alt_deg"].get<double>()) << what;

        args.push_back("--quick");
        const auto quick = Json(args);
        EXPECT_EQ(quick["code"], 1);
        EXPECT_LT(SeparationArcsec(quick["ra_hours"].get<double>(), quick["dec_deg"].get<double>(),
                                   row->Number("topo_ra_hours"), row->Number("topo_dec_deg")),
                  130.0)
            << what;
        EXPECT_NEAR(quick["distance_au"].get<double>(), row->Number("earth_distance_au"),
                    220.0 / 149597870.0);
    }
}

TEST_F(MoonCommands, MoonAtNewAndFullMoon) {
    SetDeltaT(60);
    const CsvRow& newMoon = Row("2000-01-06T18:14:00");
    const auto atNew = AtRowTt(newMoon, {"moon"});
    ASSERT_TRUE(atNew.is_object());
    EXPECT_LT(atNew["age_fraction"].get<double>(), 1e-3);
    const int picture = atNew["picture_index"].get<int>();
    EXPECT_TRUE(picture == 0 || picture == 28) << picture;
    EXPECT_LT(atNew["phase_fraction"].get<double>(), 1e-3);
    EXPECT_NEAR(atNew["distance_km"].get<double>(), newMoon.Number("earth_distance_km"), 1.5);
    EXPECT_NEAR(atNew["diameter_arcmin"].get<double>(), newMoon.Number("size_arcsec") / 60, 0.05);

    // PyEphem's full moon of 2000-01-21 in UT; with ΔT from the preferences the clock is UT.
    auto phases = ReadEphemerisCsv("../moon/phases.csv");
    const CsvRow* full = nullptr;
    for (const CsvRow& row : phases->rows) {
        if (row.Text("phase") == "full" && row.Text("ut").rfind("2000-01-21", 0) == 0) full = &row;
    }
    ASSERT_NE(full, nullptr);
    std::vector<std::string> args = ClockArgs(full->Text("ut").substr(0, 19), 0);
    args.push_back("moon");
    const auto atFull = Json(args);
    EXPECT_GT(atFull["age_fraction"].get<double>(), 0.999);
    EXPECT_EQ(atFull["picture_index"], 14);
    EXPECT_GT(atFull["phase_fraction"].get<double>(), 0.99);
    EXPECT_GT(atFull["diameter_arcmin"].get<double>(), 29.3);
    EXPECT_LT(atFull["diameter_arcmin"].get<double>(), 33.6);

    args.pop_back();
    args.insert(args.end(), {"body", "moon"});
    const auto body = Json(args);
    EXPECT_EQ(body["illuminated_fraction"], atFull["age_fraction"]);
    EXPECT_EQ(body["phase_fraction"], atFull["phase_fraction"]);
}

TEST_F(MoonCommands, TextListsAndUsage) {
    ProgramResult r = Run({"--date", "2024-03-25", "--time", "07:00", "moon"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Picture index"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" km"), std::string::npos) << r.out;

    r = Run({"--date", "2024-03-25", "body", "moon"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Moon (1)"), std::string::npos) << r.out;
    r = Run({"--date", "2024-03-25", "body", "all"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\nmoon "), std::string::npos) << r.out;
    r = Run({"--date", "2024-03-25", "body", "moon", "--quick"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("topocentric"), std::string::npos) << r.out;

    EXPECT_EQ(Run({"moon", "now"}).status, 2);
    EXPECT_EQ(Run({"moon", "--fast"}).status, 2);
    r = Run({"moon", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("picture_index"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace vsp::test
