// The command-line contract: exit statuses, the one date and time parser, options before or
// after the command, help.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class CommandLine : public ProgramHomeTest {};

TEST_F(CommandLine, VersionWithOptionsBeforeOrAfterTheCommand) {
    ProgramResult r = Run({"version"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Vespertar\nVersion 3.0.3\n");
    const nlohmann::json j = Json({"version"});
    EXPECT_EQ(j["version"], "3.0.3");
    EXPECT_EQ(Run({"--json", "version"}).out, Run({"version", "--json"}).out);
    // Values with '=' or as the next word, negative numbers included, on either side.
    const nlohmann::json before = Json({"--lat=-33.9", "--date", "2024-03-01", "--time", "21:00", "body", "mars"});
    EXPECT_EQ(Json({"body", "mars", "--lat", "-33.9", "--date=2024-03-01", "--time=21:00"}), before);
}

// A headless command must not pay for loading the window's, the network's or the vector pages'
// libraries: they are opened when first used, so none may be among those loaded at start.
TEST_F(CommandLine, StartsWithoutTheWindowNetworkOrVectorLibraries) {
    const std::string command = std::string("LD_TRACE_LOADED_OBJECTS=1 ") + VespertarPath();
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string loaded;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) loaded.append(chunk, n);
    pclose(pipe);
    ASSERT_NE(loaded.find("libc.so"), std::string::npos) << loaded;
    for (const char* library : {"libcurl", "libcairo", "libSDL2", "libX11", "libpulse"})
        EXPECT_EQ(loaded.find(library), std::string::npos) << library << " in\n" << loaded;
}

// Every usage error: status 2, nothing on stdout, one line on stderr.
TEST_F(CommandLine, UsageErrorsExitWithTwoAndOneLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"no-such-command"}, {"version", "--no-such-option"}, {"version", "extra"}, {"--lat", "north", "version"},
             {"version", "--lat"}, {"--mode", "4", "version"}, {"--dpi", "96", "version"}, {"--lat", "5"},
             {"--date", "2023-02-31", "time"}, {"--date", "2023-13-01", "time"}, {"--time", "24:61", "time"},
             {"--date", "2023-2-x", "time"}, {"--time", "12:00:", "time"}, {"jd", "2023-02-30"},
             {"jd", "2000-01-01", "24:00"}, {"deltat", "2026-04-31"}, {"--date", "1900-02-29", "time"},
             {"--date", "1700-02-29", "time"}, {"--lat", "nan", "time"}, {"apparent", "--ra", "nan", "--dec", "0"},
             {"riseset", "--ra", "1", "--dec", "2", "--h0", "-inf"}, {"format", "hours", "nan"},
             {"scope", "move", "north", "--for", "nan"}, {"chart", "at", "nan", "1"},
             {"emulate", "encoder", "--port", "unused", "--az", "inf"}}) {
        const ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("vespertar: ", 0), 0u) << r.err;
    }
    EXPECT_EQ(Run({"--date", "2023-02-31", "time"}).err, "vespertar: invalid date 2023-02-31 (February has 28 days)\n");
}

// The calendar is Julian up to 1583 (every fourth year leap) and Gregorian from 1584 on.
TEST_F(CommandLine, LeapDaysOfTheProgramsCalendar) {
    for (const char* date : {"2024-02-29", "2000-02-29", "1500-02-29", "1580-02-29", "-0500-02-29"}) {
        EXPECT_EQ(Run({"--date", date, "time"}).status, 0) << date;
        EXPECT_EQ(Run({"jd", date}).status, 0) << date;
    }
    EXPECT_EQ(Json({"--date", "2024-02-29", "--time", "23:59:59", "--tz", "0", "time"})["utc"], "2024-02-29T23:59:59Z");
}

TEST_F(CommandLine, HelpListsEveryCommandAndEachCommandsOptions) {
    ProgramResult r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"version", "prefs", "records", "time", "format", "parse", "calendar", "deltat", "jd",
                             "nutation", "apparent", "body", "helio", "earth", "moon", "riseset", "daylength",
                             "phases", "eclipses", "expand", "constellation", "data", "object", "star", "--lon DEG"}) {
        EXPECT_NE(r.out.find(std::string("\n  ") + word), std::string::npos) << word;
    }
    for (const auto& [command, option] : std::vector<std::pair<std::string, std::string>>{
             {"eclipses", "--details"}, {"apparent", "--parallax"}, {"body", "--quick"}, {"format", "--fixed"}}) {
        r = Run({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find("Usage: vespertar " + command), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(option), std::string::npos) << r.out;
    }
}

// Texts that are not UTF-8 (a satellite name with the bytes 0xFF 0xFE, a note named so, a
// record file's path) come out of --json as code-page text (ÿþ) instead of aborting the run.
TEST_F(CommandLine, JsonPrintsTextsThatAreNotUtf8) {
    home_.WriteFile("import/odd.tle", "ODD \xFF\xFE\n"  // the ISS of the published file
                                      "1 25544U 98067A   25201.26732422  .00007301  00000+0  13592-3 0  9991\n"
                                      "2 25544  51.6337 143.1027 0002198  97.0892 263.0347 15.49967702520293\n");
    ASSERT_EQ(Run({"sat", "import", home_.Path("import/odd.tle")}).status, 0);
    const std::string odd = "ODD \xC3\xBF\xC3\xBE";
    EXPECT_EQ(Json({"sat", "list"}).at(0)["name"], odd);
    const nlohmann::json passes =
        Json({"--lat", "48.85", "--lon", "2.35", "--date", "2025-07-20", "sat", "passes", "0", "--days", "2"});
    ASSERT_FALSE(passes.empty());
    EXPECT_EQ(passes.at(0)["name"], odd);
    EXPECT_EQ(Json({"log", "new", "N\xFF"})["object"], "N\xC3\xBF");
    const std::string database = home_.Path("usercatalogs/data/vespertar_satellites.ppc");
    const std::string renamed = home_.Path("odd\xFE.ppc");
    std::filesystem::copy_file(database, renamed);
    EXPECT_EQ(Json({"records", "info", renamed})["file"], home_.Path("odd\xC3\xBE.ppc"));
}

}  // namespace
}  // namespace vsp::test
