// The Location and date and time forms in a whole shell: typed values checked, saved and
// stored in a slot, a typed Julian Date shown in local time and UT and set by OK (the home view
// drawn again), the clock taken by "Now", and the calendar steps of the - and + buttons.
#include "catalog/CatalogSession.h"
#include "forms/DateTimeEntry.h"
#include "forms/SkyForms.h"
#include "settings/PreferenceStore.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kLatitude = 1202, kLongitude = 1203, kSaveSlot2 = 1229, kRecallSlot2 = 1221;
constexpr int kYear = 5201, kJd = 5243, kUniversal = 5241, kNow = 5250, kOk = 5251;

class PlaceTimeForms : public ShellTest {
protected:
    PlaceTimeForms() {
        state.dir = home_.Dir();
        RegisterPlaceTimeForms(state, sky_);
        state.hooks.initEphemeris = [this](AppState&) { ++ephemerisRuns_; };
    }
    void Start() {
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        Pump();
        ephemerisRuns_ = 0;
    }
    // Year, month, day, hour and minute as shown.
    std::vector<std::string> DateFields() {
        std::vector<std::string> shown;
        for (int id = kYear; id < kYear + 5; ++id) shown.push_back(C(id).Text());
        return shown;
    }

    TempHome home_;
    CatalogSession sky_{state.dir, state.info};
    int ephemerisRuns_ = 0;
};

TEST_F(PlaceTimeForms, TypedPlaceIsCheckedSavedAtOnceAndKeptInASlot) {
    Start();
    Open(1200);
    TypeInto(kLatitude, "95", kKeyEnter);
    EXPECT_EQ(LastBox(), "95 is out of range for Latitude.\nEnter a value from -90 to 90.");
    EXPECT_EQ(std::pair(prefs.site.latitude, C(kLatitude).Text()), std::pair(51.0f, std::string("51")));

    // Reykjavik lies west of Greenwich: typed east-negative, kept west-positive.
    TypeInto(kLongitude, "-21.94");
    Tap(kSaveSlot2);
    Preferences saved;
    ASSERT_EQ(ReadPreferences(settings, home_.Dir(), saved).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(saved.site.longitude, 21.94f);
    EXPECT_EQ(saved.storedSites[1], prefs.site);
    EXPECT_EQ(ephemerisRuns_, 1);

    TypeInto(kLatitude, "64.15", kKeyEnter);
    Tap(kRecallSlot2);
    EXPECT_EQ(std::pair(prefs.site.latitude, C(kLatitude).Text()), std::pair(51.0f, std::string("51")));
}

TEST_F(PlaceTimeForms, TypedJulianDateShowsInLocalTimeAndUtAndOkSetsIt) {
    prefs.site.tzOffset = 60;
    Start();
    Tap(5146);  // the home form's clock
    ASSERT_EQ(OpenFormId(), 5200);
    int homeRefreshes = 0;
    state.hooks.refreshHomeView = [&](AppState&, FormWindow&) { ++homeRefreshes; };
    TypeInto(kJd, "2524593.5");  // 2200-01-01 0h UT: past the last date taken
    Tap(kOk);
    EXPECT_EQ(std::pair(LastBox(), OpenFormId()), std::pair(std::string("Invalid JD date\n"), 5200));

    // J2000.0 is 2000-01-01 12:00 UT.
    TypeInto(kJd, "2451545.0");
    EXPECT_EQ(DateFields(), (std::vector<std::string>{"2000", "1", "1", "13", "0"}));
    Tap(kUniversal);
    EXPECT_EQ(DateFields(), (std::vector<std::string>{"2000", "1", "1", "12", "0"}));
    Tap(kOk);
    EXPECT_EQ(state.observingTime, (CalendarDateTime{2000, 1, 1, 13, 0, 0}));
    EXPECT_EQ(std::tuple(OpenFormId(), ephemerisRuns_, homeRefreshes), std::tuple(1950, 1, 1));
}

TEST_F(PlaceTimeForms, NowTakesTheProgramsClock) {
    prefs.savedDateTime = SavedDateTime{2001, 2, 3, 4, 5};
    state.services.localClock = [] { return CalendarDateTime{2025, 3, 14, 21, 5, 42}; };
    Start();
    Open(5200);
    EXPECT_EQ(C(kYear).Text(), "2001");
    Tap(kNow);
    Tap(kOk);
    EXPECT_EQ(state.observingTime, (CalendarDateTime{2025, 3, 14, 21, 5, 42}));
}

TEST(DateTimeEntrySteps, CarryThroughTheCalendar) {
    struct Case {
        CalendarDateTime from;
        bool universal;
        DateField field;
        int delta;
        CalendarDateTime shown;
    };
    const Case cases[] = {
        {{2024, 1, 31, 10, 0, 0}, false, DateField::Month, 1, {2024, 2, 29, 10, 0, 0}},
        {{2024, 2, 29, 10, 0, 0}, false, DateField::Year, 1, {2025, 2, 28, 10, 0, 0}},
        {{2024, 3, 1, 10, 0, 0}, false, DateField::Day, -1, {2024, 2, 29, 10, 0, 0}},
        {{2023, 12, 31, 23, 59, 0}, false, DateField::Minute, 1, {2024, 1, 1, 0, 0, 0}},
        {{2000, 1, 15, 10, 0, 0}, false, DateField::Month, -1, {1999, 12, 15, 10, 0, 0}},
        // Local 2000-01-01 00:30 at UT+1 is shown in UT as the evening before.
        {{2000, 1, 1, 0, 30, 0}, true, DateField::Hour, -1, {1999, 12, 31, 22, 30, 0}},
    };
    for (const Case& c : cases) {
        DateTimeEntry entry{c.from, 60, c.universal};
        StepField(entry, c.field, c.delta);
        EXPECT_EQ(ShownTime(entry), c.shown) << int(c.field) << " " << c.delta;
    }
}

}  // namespace
}  // namespace vsp::test
