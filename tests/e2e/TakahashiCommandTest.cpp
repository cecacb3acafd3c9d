// `scope --drive 14` against `vespertar emulate takahashi`: the first connect tells the mount
// the site's sidereal time and latitude at the zenith, so that it reads them back, and a goto
// is taken and arrives.

#include <cmath>

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
    const nlohmann::json sent = scope({"goto", "--ra", "7", "--dec", "-30"});
    EXPECT_EQ(sent.value("result", ""), "slewing");

    // Later runs that keep the site find the mount at the target, to its second of RA and tenth
    // of an arc minute.
    nlohmann::json now;
    for (int read = 0; read < 20; ++read) {
        now = scope({"position", "--site-kept"});
        if (std::abs(now.value("dec_deg", 0.0) - sent.value("mount_dec_deg", 0.0)) < 0.01) break;
    }
    EXPECT_NEAR(now.value("ra_hours", 0.0), sent.value("mount_ra_hours", 0.0), 1 / 3600.0);
    EXPECT_NEAR(now.value("dec_deg", 0.0), sent.value("mount_dec_deg", 0.0), 6 / 3600.0);
}

}  // namespace
}  // namespace vsp::test
