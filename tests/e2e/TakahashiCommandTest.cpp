// `scope --drive 14` against `vespertar emulate takahashi`: the first connect tells the mount
// the site's sidereal time and latitude at the zenith, so that it reads them back, and a goto
// is taken.

#include "support/BackgroundProgram.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class TakahashiCommand : public ProgramHomeTest {};

TEST_F(TakahashiCommand, ReadsTheZenithItWasToldAndTakesAGoto) {
    const std::string port = home_.Path("takahashi");
    // It stands west; the user says east.
    const BackgroundProgram mount({"--home", home_.Root(), "emulate", "takahashi", "--port", port, "--pier", "west"});
    ASSERT_TRUE(mount.FirstLine().starts_with("serving takahashi")) << mount.FirstLine();
    // Meeus's example 12.b at 30 degrees west: 1987 April 10, 19:21 UT, sidereal time 6 h 34 min 57 s.
    const auto scope = [&](std::vector<std::string> command) {
        command.insert(command.begin(), {"--date", "1987-04-10", "--time", "19:21", "--tz", "0", "--lat", "-33.8688",
                                         "--lon", "-30", "scope", "--drive", "14", "--port", port, "--pier", "east"});
        return Json(command);
    };
    const nlohmann::json where = scope({"position"});
    EXPECT_NEAR(where.value("ra_hours", 0.0), 6 + 34 / 60.0 + 57 / 3600.0, 1e-9);
    EXPECT_NEAR(where.value("dec_deg", 0.0), -(33 + 52.1 / 60), 1e-9);
    EXPECT_EQ(scope({"goto", "--ra", "7", "--dec", "-30"}).value("result", ""), "slewing");
}

}  // namespace
}  // namespace vsp::test
