// The command-line contract: exit statuses, common options, help, version.

#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/RunProgram.h"

namespace vsp::test {
namespace {

TEST(CommandLine, VersionShowsTheAboutBoxText) {
    ProgramResult r = RunVespertar({"version"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Vespertar\nVersion 3.0.3\n");
    r = RunVespertar({"version", "--json"});
    ASSERT_EQ(r.status, 0);
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["product"], "Vespertar");
    EXPECT_EQ(j["version"], "3.0.3");
    // Common options may stand before the command too.
    EXPECT_EQ(RunVespertar({"--json", "version"}).out, r.out);
}

TEST(CommandLine, UsageErrorsExitWithTwoAndOneLine) {
    ProgramResult r = RunVespertar({"no-such-command"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(RunVespertar({"--lat", "north", "version"}).status, 2);
    EXPECT_EQ(RunVespertar({"--mode", "4", "version"}).status, 2);
    EXPECT_EQ(RunVespertar({"--date", "2026-13-01", "version"}).status, 2);
    EXPECT_EQ(RunVespertar({"--time", "25:00", "version"}).status, 2);
    EXPECT_EQ(RunVespertar({"version", "--lat"}).status, 2);
    EXPECT_EQ(RunVespertar({"version", "extra"}).status, 2);
}

TEST(CommandLine, HelpDescribesCommands) {
    ProgramResult r = RunVespertar({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("records info FILE"), std::string::npos);
    EXPECT_NE(r.out.find("--lon DEG"), std::string::npos);
    r = RunVespertar({"records", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Usage: vespertar records"), std::string::npos);
}

}  // namespace
}  // namespace vsp::test
