// `scope encoders` against `vespertar emulate encoder`: the box gets the resolutions of the
// settings and its counts read back as the angles the telescope was put at.

#include "support/BackgroundProgram.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class ScopeEncoders : public ProgramHomeTest {};

TEST_F(ScopeEncoders, ReadsTheAnglesTheBoxStandsAt) {
    const std::string port = home_.Path("box");
    // The box starts at 4096 counts per turn: only the resolutions handed to it give 8192.
    BackgroundProgram box({"--home", home_.Root(), "emulate", "encoder", "--box", "BBox", "--port", port,
                           "--az-steps", "4096", "--alt-steps", "4096", "--az", "123.4", "--alt", "45.6"});
    ASSERT_EQ(box.FirstLine().rfind("serving encoder on ", 0), 0u) << box.FirstLine();
    ASSERT_EQ(Run({"prefs", "set", "az_steps=8192", "alt_steps=-8192"}).status, 0);
    const nlohmann::json read = Json({"scope", "--drive", "BBox", "--port", port, "encoders"});
    const double count = 360.0 / 8192;
    EXPECT_NEAR(read["az_deg"].get<double>(), 123.4, count);
    // A reversed altitude encoder: the box's count of 45.6 degrees reads the other way.
    EXPECT_NEAR(read["alt_deg"].get<double>(), -45.6, count);
    EXPECT_EQ(read["emulated"], false);
}

TEST_F(ScopeEncoders, RefusesADriveThatIsNoBox) {
    const ProgramResult r = Run({"scope", "--drive", "LX200", "encoders"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Drive 5 is not a setting-circle box\n");
}

}  // namespace
}  // namespace vsp::test
