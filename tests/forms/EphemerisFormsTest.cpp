// The ephemeris forms in a whole shell, for Berlin on the evening of 2024 April 8: the times
// and dates they show against PyEphem (tests/data/forms, scripts/fixtures/
// ephemeris_forms_fixtures.py) and the eclipse list against the published instant of that
// day's total solar eclipse; a planet row opens the ephemeris assistant for that planet; the
// compass chart's bodies under the horizon.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "catalog/CatalogSession.h"
#include "forms/HomeSummary.h"
#include "forms/SkyForms.h"
#include "shell/ShellFixture.h"

namespace vsp::test {
namespace {

constexpr int kPlanetRiseSet = 2452, kPlanetList = 2455, kMoonPhases = 6022, kMoonAge = 6013;
constexpr int kDarkness = 2426, kTwilightList = 2418, kEclipseList = 2705, kDayList = 2535, kCaption = 8101;

std::map<std::string, double> PyEphemBerlin() {
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/forms/berlin_2024_04_08.csv");
    std::map<std::string, double> values;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) values[line.substr(0, line.find(','))] = std::stod(line.substr(line.find(',') + 1));
    EXPECT_FALSE(values.empty());
    return values;
}

// Minutes of an "HH:MM" cell.
double Minutes(const std::string& clock) {
    int h = -1, m = -1;
    std::sscanf(clock.c_str(), "%d:%d", &h, &m);
    return h * 60.0 + m;
}

// Hours of an RA cell "03h07.4" or degrees of a Dec cell "-16\xB043.0" (whole units, minutes).
double Sexagesimal(const std::string& cell) {
    int whole = 0;
    double minutes = 0;
    std::sscanf(cell.c_str(), "%d%*c%lf", &whole, &minutes);
    return (cell[0] == '-' ? -1 : 1) * (std::abs(whole) + minutes / 60.0);
}

class EphemerisForms : public ShellTest {
protected:
    EphemerisForms() {
        prefs.site = Site{"Berlin", 52.52f, -13.405f, 0, 60};
        state.observingTime = {2024, 4, 8, 21, 0, 0};
        RegisterEphemerisForms(state, sky_);
        CreateMainWindow();
    }
    std::string Cell(int list, int row, int column) {
        std::stringstream cells(C(list).Row(row)->text);
        std::string cell;
        for (int i = 0; i <= column; ++i) std::getline(cells, cell, '\t');
        return cell;
    }

    CatalogSession sky_{state.dir, state.info};
};

TEST_F(EphemerisForms, ShownTimesAgreeWithPyEphem) {
    const auto ref = PyEphemBerlin();
    struct Case {
        int form, tapFirst, list, row, column;
        const char* key;
    };
    const Case cases[] = {
        {2410, 0, kTwilightList, 0, 1, "sun_rise"},          {2410, 0, kTwilightList, 0, 2, "sun_set"},
        {2410, 0, kTwilightList, 1, 2, "civil_set"},         {2410, 0, kTwilightList, 2, 1, "nautical_rise"},
        {2410, 0, kTwilightList, 3, 1, "astronomical_rise"}, {2410, 0, kTwilightList, 3, 2, "astronomical_set"},
        {2450, kPlanetRiseSet, kPlanetList, 1, 1, "moon_rise"},
        {2450, kPlanetRiseSet, kPlanetList, 5, 1, "jupiter_rise"},
        {2450, kPlanetRiseSet, kPlanetList, 5, 2, "jupiter_transit"},
        {2450, kPlanetRiseSet, kPlanetList, 5, 3, "jupiter_set"},
    };
    for (const Case& c : cases) {
        Open(c.form);
        if (c.tapFirst) Tap(c.tapFirst);
        EXPECT_NEAR(Minutes(Cell(c.list, c.row, c.column)), ref.at(c.key) * 60.0, 1.0) << c.key;
    }
    // Where Jupiter stands at 21:00: to the tenth of a minute the columns show.
    Open(2450);
    EXPECT_NEAR(Sexagesimal(Cell(kPlanetList, 5, 1)), ref.at("jupiter_ra_hours"), 0.15 / 60.0);
    EXPECT_NEAR(Sexagesimal(Cell(kPlanetList, 5, 2)), ref.at("jupiter_dec_deg"), 0.15 / 60.0);
    // The dark hours: from the end of the evening's astronomical twilight to its morning start.
    Open(2423);
    int h = -1, m = -1;
    std::sscanf(C(kDarkness).Text().c_str(), "Darkness: %dh%dm", &h, &m);
    EXPECT_NEAR(h * 60 + m, (24.0 - ref.at("astronomical_set") + ref.at("astronomical_rise")) * 60.0, 1.0);
    // The next phases in local time: the full moon of April 24 at 00:49 CET.
    Open(6000);
    const std::string phases[] = {"first_quarter", "full", "last_quarter", "new"};
    for (int row = 0; row < 4; ++row) {
        const double jd = ref.at(phases[row] + "_local_jd") + 0.5;
        const double minutes = (jd - std::floor(jd)) * 1440.0;
        EXPECT_NEAR(Minutes(Cell(kMoonPhases, row, 2)), minutes, 1.0) << phases[row];
    }
    EXPECT_EQ(Cell(kMoonPhases, 1, 1), "Apr 24 2024");
    EXPECT_NEAR(std::stod(C(kMoonAge).Text()), ref.at("moon_age_days"), 0.05);
}

TEST_F(EphemerisForms, EclipseListStartsWithTheTotalEclipseAndShowsItsCircumstances) {
    Open(2700);
    ASSERT_GE(C(kEclipseList).RowCount(), 12);
    EXPECT_EQ(Cell(kEclipseList, 0, 0) + " " + Cell(kEclipseList, 0, 1), "2024/04/08 Sun Total");
    // Greatest eclipse 18:17:16 UT (NASA, Five Millennium Canon).
    EXPECT_NEAR(Minutes(Cell(kEclipseList, 0, 2)), 18 * 60 + 17.3, 1.5);
    // The partial lunar eclipse of September 18: its contacts, U1 02:12:50 and U4 03:15:47 UT.
    TapRow(kEclipseList, 1);
    const std::string details = C(2706).Text();
    EXPECT_NE(details.find("Partial lunar eclipse"), std::string::npos) << details;
    EXPECT_NE(details.find("U1 02:1"), std::string::npos) << details;
    EXPECT_NE(details.find("U4 03:1"), std::string::npos) << details;
}

TEST_F(EphemerisForms, APlanetRowOpensTheAssistantForThatPlanet) {
    const auto ref = PyEphemBerlin();
    Open(2450);
    Tap(kPlanetRiseSet);
    TapRow(kPlanetList, 5);
    ASSERT_EQ(OpenFormId(), 2530);
    EXPECT_EQ(C(kCaption).Text().rfind("Jupiter", 0), 0u) << C(kCaption).Text();
    EXPECT_EQ(C(kDayList).RowCount(), 7);
    EXPECT_NEAR(Minutes(Cell(kDayList, 0, 1)), ref.at("jupiter_rise") * 60.0, 1.0);
}

// The compass chart lists the bodies under the horizon with their altitudes, and only those.
TEST_F(EphemerisForms, CompassChartListsTheBodiesBelowTheHorizon) {
    const auto ref = PyEphemBerlin();
    Open(2830);
    const std::string below = C(2834).Text();
    for (const char* name : {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"}) {
        std::string key = name;
        key[0] = char(std::tolower(key[0]));
        const double alt = ref.at(key + "_alt_deg");
        const size_t at = below.find(std::string(name) + " ");
        ASSERT_EQ(at != std::string::npos, alt < 0.0) << name << " in " << below;
        if (alt < 0.0) EXPECT_NEAR(std::stoi(below.substr(at + std::strlen(name))), alt, 1.0) << name;
    }
}

// The home form's summary: the Sun's rise and set and the dark hours of the same evening.
TEST_F(EphemerisForms, HomeSummaryGivesTheSunAndTheDarkHours) {
    const auto ref = PyEphemBerlin();
    char sun[2][6] = {}, dark[2][6] = {};
    const std::string summary = HomeSummaryText(state);
    const size_t sunAt = summary.find("Sun "), darkAt = summary.find("Dark ");
    ASSERT_NE(sunAt, std::string::npos) << summary;
    ASSERT_NE(darkAt, std::string::npos) << summary;
    std::sscanf(summary.c_str() + sunAt, "Sun %5[0-9:]-%5[0-9:]", sun[0], sun[1]);
    std::sscanf(summary.c_str() + darkAt, "Dark %5[0-9:]-%5[0-9:]", dark[0], dark[1]);
    EXPECT_NEAR(Minutes(sun[0]), ref.at("sun_rise") * 60.0, 1.0);
    EXPECT_NEAR(Minutes(sun[1]), ref.at("sun_set") * 60.0, 1.0);
    EXPECT_NEAR(Minutes(dark[0]), ref.at("astronomical_set") * 60.0, 1.0);
    EXPECT_NEAR(Minutes(dark[1]), ref.at("astronomical_rise") * 60.0, 1.0);
}

}  // namespace
}  // namespace vsp::test
