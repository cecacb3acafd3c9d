// The scope control form with setting circles (the emulated box): the guidance panel and its
// refresh period; the two-star form zeroing the box on its second star, the zero kept with
// the alignment.

#include <filesystem>

#include "catalog/CatalogSession.h"
#include "format/AngleParse.h"
#include "forms/ScopeForms.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/CatalogHome.h"
#include "support/EphemerisCsv.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kRefreshTrigger = 2303, kRefreshList = 2304, kTime = 2422, kAzimuthCount = 2425;
constexpr int kTargetAzimuth = 2433, kDeltaAltitude = 2437, kPushAzimuth = 2438, kPushAltitude = 2439;
constexpr double kCount = 360.0 / 8192;  // degrees per count of the default steps

class ScopeGuidance : public ShellTest {
protected:
    void Start() {
        state.dir = home_.Dir();
        prefs.scopeDrive = 3;  // BBox
        prefs.alignMethod = 0;
        state.hooks.openCatalogs = [this](AppState& app) { CatalogSessionOpen(sky_, app.info, {}); };
        RegisterScopeForms(state, sky_, telescope_);
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        Pump();
    }

    TempHome home_;
    ScopeMoment moment_{{2026, 3, 15, 21, 50, 0}, {}, {.angleFormat = 0}};
    CatalogSession sky_{home_.Dir(), state.info};
    Telescope telescope_{prefs, state.info, [this] { return moment_; }, [](int) {}};
};

// The fixture's level mount, aligned, guided to Deneb (its first target, at 21:50) from a box
// reading 0, 0.
TEST_F(ScopeGuidance, PanelGuidesTheEmulatedBoxAndRefreshesAtTheChosenPeriod) {
    const auto table = bodies::ReadEphemerisCsv("../scope/encoder_guidance.csv");
    AlignStar stars[3];
    for (size_t i = 0; i < 3; ++i) {
        const bodies::CsvRow& row = table->rows.at(i);
        stars[i] = {1, row.Text("star"), row.Number("clock_deg"), row.Number("ra_deg"), row.Number("dec_deg"),
                    row.Number("az_deg"), row.Number("alt_deg")};
    }
    prefs.scopeOutputType = 2;
    Start();
    ASSERT_TRUE(telescope_.TwoStar().ComputeAlignment({2, true}, "21:00:00", stars[0], stars[1], state.info));
    telescope_.Dispatcher().Encoder().SetTarget({stars[2].raDeg / 15, stars[2].decDeg});
    Open(2400);
    EXPECT_EQ(C(kAzimuthCount).Text(), "0");
    EXPECT_NEAR(ParseDecimal(C(kTargetAzimuth).Text()), stars[2].axis1Deg, 0.01);
    EXPECT_NEAR(ParseDecimal(C(kDeltaAltitude).Text()), -stars[2].axis2Deg, 0.01);
    EXPECT_EQ(C(kPushAzimuth).Text(), "right 8.4\xB0");
    EXPECT_EQ(C(kPushAltitude).Text(), "up 4.1\xB0");

    Wait(600);  // the emulated tube was pushed onto the target meanwhile
    EXPECT_NEAR(std::stoi(C(kAzimuthCount).Text()) * kCount, stars[2].axis1Deg, 1.5 * kCount);
    EXPECT_EQ(C(kPushAzimuth).Text(), "on target");
    EXPECT_EQ(C(kPushAltitude).Text(), "on target");

    ChooseRow(kRefreshTrigger, kRefreshList, 6);  // " 4s "
    moment_.local.second = 5;
    Wait(3999);
    EXPECT_EQ(C(kTime).Text(), "21:50:00");
    Wait(1);
    EXPECT_EQ(C(kTime).Text(), "21:50:05");
}

// Choosing the second star sets the box's zero so that it reads where the star stands; the
// offsets go with the saved alignment, are dropped by a reset and come back when the form
// restores the alignment.
TEST_F(ScopeGuidance, SecondStarZeroesTheBoxAndTheAlignmentKeepsTheZero) {
    if (!LinkCatalogData(home_.Path("data"))) return;
    prefs.scopeOutputType = 1;
    prefs.correction = 0;
    prefs.alignment.star1 = EncodeAlignStar({1, "A", 300, 30, 20, 120, 40});
    prefs.alignment.star2 = EncodeAlignStar({1, "B", 310, 200, 50, 250, 30});
    prefs.alignment.julianDate = JulianDayOf(moment_) - 0.1;
    Start();
    telescope_.Link().SetEmulating(true);  // the box's counts stand at 0, 0
    windows.Boxes().QueueAnswer(MessageBoxAnswer::Yes);
    Open(1300);
    ChooseRow(1304, 1331, 0);  // Star2
    const AlignStar star = telescope_.Stars().star2;
    ASSERT_FALSE(star.IsEmpty()) << LastBox();
    const HorizontalPlace place = HorizontalOf(moment_, {star.raDeg / 15, star.decDeg});
    EncoderBox& box = telescope_.Dispatcher().Encoder();
    EncoderReading reading;
    ASSERT_TRUE(box.Connect() && box.ReadAltAz(reading));
    EXPECT_NEAR(reading.azimuth, place.azimuth, 1.5 * kCount);
    EXPECT_NEAR(reading.altitude, place.altitude, 1.5 * kCount);
    const EncoderOffsets zero{box.State().altitudeOffset, box.State().azimuthOffset};

    Tap(1320);  // Reset
    EXPECT_EQ(box.State().azimuthOffset, 0);
    windows.Boxes().QueueAnswer(MessageBoxAnswer::Yes);
    Open(1300);
    ASSERT_TRUE(telescope_.TwoStar().IsActive());
    EXPECT_EQ(box.State().azimuthOffset, zero.azimuth);
    EXPECT_EQ(box.State().altitudeOffset, zero.altitude);
}

}  // namespace
}  // namespace vsp::test
