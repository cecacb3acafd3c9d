// `chart --scope --follow` against `vespertar emulate lx200`: the marker lands on the star the
// mount points at, a goto moves it, and a mount that never answers ends the run.
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>

#include "e2e/CatalogHomeTest.h"

namespace vsp::test {
namespace {

class ChartScope : public CatalogHomeTest {
protected:
    ~ChartScope() override {
        if (mount_ > 0) kill(mount_, SIGTERM), waitpid(mount_, nullptr, 0);
    }

    // Serves a mount at Betelgeuse (HR 2061) of date, 2026-01-15 20:00 UTC, by ERFA's pnm06a
    // (scripts/fixtures/scope_follow_fixtures.py); back once it says it is serving.
    void StartMount() {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        if ((mount_ = fork()) == 0) {
            dup2(out[1], 1);
            execl(VespertarPath(), VespertarPath(), "--home", home_.Root().c_str(), "emulate", "lx200", "--port",
                  port_.c_str(), "--precision", "long", "--ra", "5.9431431", "--dec", "7.411954", nullptr);
            _exit(127);
        }
        close(out[1]);
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n') {}
        ASSERT_EQ(c, '\n');
    }
    ProgramResult Chart(const std::string& type, const std::string& port) {
        return RunVespertar({"--home", BuiltCatalogHome().root, "--mode", "0", "--date", "2026-01-15", "--time",
                             "21:00", "--tz", "60", "--lat", "48.1", "--lon", "11.6", "chart", "--type", type,
                             "--zoom", "7", "--center-ra", "5.919529", "--center-dec", "7.407064", "--scope", port,
                             "--drive", "5", "--follow", "1", "--json"});
    }
    std::string port_ = home_.Path("mount");
    pid_t mount_ = -1;
};

// Pixels from the chart's marker to the placed star `hr`.
double MarkerToStar(const ProgramResult& r, const std::string& hr) {
    const nlohmann::json chart = nlohmann::json::parse(r.out);
    for (const nlohmann::json& p : chart["placed"])
        if (p["designation"] == hr && chart["scope"].is_object())
            return std::hypot(chart["scope"]["x"].get<double>() - p["x"].get<double>(),
                              chart["scope"]["y"].get<double>() - p["y"].get<double>());
    return 1e9;
}

TEST_F(ChartScope, MarkerSitsOnTheStarTheMountPointsAtAndFollowsAGoto) {
    StartMount();
    for (const char* type : {"4", "0"}) {  // a centred and a horizontal chart
        const ProgramResult r = Chart(type, port_);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_LE(MarkerToStar(r, "HR2061"), 2.0) << "type " << type;
    }
    // To Bellatrix, 7.5 degrees off: the mount goes a tenth of the way every 0.25 s, and the
    // next run's port settles 3.5 s before its first reading.
    ASSERT_EQ(Run({"scope", "--port", port_, "--drive", "5", "goto", "--ra", "5.418851", "--dec", "6.349703"}).status, 0);
    const ProgramResult r = Chart("4", port_);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_GT(MarkerToStar(r, "HR2061"), 100.0);
    EXPECT_LT(MarkerToStar(r, "HR1790"), 50.0);
}

TEST_F(ChartScope, SilentMountEndsTheRunWithTheProtocolsMessage) {
    int mount = -1, held = -1;
    char device[256] = {};
    ASSERT_EQ(openpty(&mount, &held, device, nullptr, nullptr), 0);
    const ProgramResult r = Chart("4", device);  // bounded by the port's time-outs, about 5 s
    close(mount), close(held);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Fail to open Meade connection\n");
}

}  // namespace
}  // namespace vsp::test
