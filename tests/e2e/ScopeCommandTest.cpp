// The scope command where no mount answers: a port that is not there, a drive nobody has, no
// port at all (the emulated mount), and an alignment that was never measured.

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class Scope : public ProgramHomeTest {};

TEST_F(Scope, MissingPortOrUnknownDriveFailsWithTheReason) {
    ProgramResult r = Run({"scope", "--drive", "LX200", "--port", "/nonexistent/mount", "position"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Can't open serial port\n/nonexistent/mount\nFail to open serial connection\n");
    r = Run({"scope", "--drive", "Meade 2080", "position"});
    EXPECT_EQ(r.status, 2);
    r = Run({"scope", "--drive", "0", "stop"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Sorry, no scope drive is selected\n");
}

TEST_F(Scope, NoPortDrivesTheEmulatedMount) {
    ProgramResult r = Run({"scope", "--drive", "losmandy", "goto", "--ra", "6", "--dec", "-20", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "No communication port is selected.\nPlease select one using Preference 1/6.\n"
                     "Fail to open serial connection\nActivating Telescope emulation mode.\n");
    EXPECT_EQ(nlohmann::json::parse(r.out)["result"], "slewing");
    // Each run starts a new emulated mount, at rest where the sky's origin is.
    const nlohmann::json where = Json({"scope", "--drive", "LX200", "position"});
    EXPECT_EQ(where["emulated"], true);
    EXPECT_EQ(where["ra_hours"], 0.0);
}

TEST_F(Scope, AlignmentNeverMeasuredIsNotShown) {
    EXPECT_EQ(Run({"scope", "align", "show"}).err, "No two-star alignment is kept.\n");
    EXPECT_EQ(Run({"scope", "align", "clear"}).status, 0);
    EXPECT_EQ(Run({"scope", "align", "Vega"}).status, 2);  // two stars are needed
}

}  // namespace
}  // namespace vsp::test
