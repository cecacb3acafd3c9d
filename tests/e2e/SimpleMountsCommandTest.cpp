// `scope` against `vespertar emulate servocat|skycommander|siderealtech`: each reads the place
// its emulator starts at, and a goto brings the emulated mount to the target it was sent.

#include <future>

#include "support/BackgroundProgram.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class SimpleMountsCommand : public ProgramHomeTest {
protected:
    // Serves the mount at 5.5 h +22.25 deg, reads it, sends it 0.15 h and 1.75 deg away (near
    // enough for the emulators to arrive while the next run's port settles) and reads it again.
    std::vector<nlohmann::json> Drive(const std::string& kind, const std::string& drive) {
        const std::string port = home_.Path(kind);
        BackgroundProgram mount(
            {"--home", home_.Root(), "emulate", kind, "--port", port, "--ra", "5.5", "--dec", "22.25"});
        std::vector<nlohmann::json> runs;
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"position"}, {"goto", "--ra", "5.65", "--dec", "24"}, {"position"}}) {
            std::vector<std::string> args{"--mode", "0", "scope", "--drive", drive, "--port", port, "--json"};
            args.insert(args.end() - 1, command.begin(), command.end());
            const ProgramResult r = Run(args);
            runs.push_back(r.status == 0 ? nlohmann::json::parse(r.out) : nlohmann::json{{"error", r.err}});
        }
        return runs;
    }
};

TEST_F(SimpleMountsCommand, ReadsTheEmulatedPlaceAndGoesWhereItWasSent) {
    struct Family {
        std::string kind, drive, result;
        double tolerance;  // what the protocol's numbers can carry
    } families[] = {{"servocat", "13", "sent", 0.0015}, {"skycommander", "19", "sent", 0.001},
                    {"siderealtech", "18", "slewing", 1e-4}};
    std::vector<std::future<std::vector<nlohmann::json>>> driven;
    for (const Family& f : families)
        driven.push_back(std::async(std::launch::async, [&] { return Drive(f.kind, f.drive); }));
    for (size_t i = 0; i < std::size(families); ++i) {
        const auto runs = driven[i].get();
        const auto& [before, slew, after] = std::tie(runs[0], runs[1], runs[2]);
        SCOPED_TRACE(families[i].kind + ": " + before.dump() + slew.dump() + after.dump());
        EXPECT_NEAR(before.value("ra_hours", 0.0), 5.5, 1e-9);
        EXPECT_NEAR(before.value("dec_deg", 0.0), 22.25, 1e-9);
        EXPECT_EQ(slew.value("result", ""), families[i].result);
        EXPECT_NEAR(after.value("ra_hours", 0.0), slew.value("mount_ra_hours", -1.0), families[i].tolerance);
        EXPECT_NEAR(after.value("dec_deg", 0.0), slew.value("mount_dec_deg", -1.0), families[i].tolerance);
    }
}

}  // namespace
}  // namespace vsp::test
