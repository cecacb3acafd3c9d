#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using LogCommands = ProgramHomeTest;

const std::vector<std::string> kEvening = {"--date", "2024-01-05", "--time", "21:07", "--tz", "0"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Names the code page cannot keep apart are refused (the unsafe ones are tried on the store
// itself in tests/tools), and a rename never replaces another note.
TEST_F(LogCommands, NotesAreNeverReplacedByAnotherName) {
    for (const char* name : {"\u03A9mega", "\u03A8mega"}) {
        const ProgramResult r = Run(With({"log", "new", name}, kEvening));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.rfind("This name cannot name a log file:\n", 0), 0u) << r.err;
    }
    EXPECT_TRUE(Json({"log", "list"}).empty());
    ASSERT_EQ(Run(With({"log", "new", "Alpha", "--text", "alpha"}, kEvening)).status, 0);
    ASSERT_EQ(Run(With({"log", "new", "Beta", "--text", "beta"}, kEvening)).status, 0);
    const ProgramResult r = Run({"log", "edit", "Alpha", "--name", "Beta"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Another note has this name:\n\"Beta\"\n");
    EXPECT_EQ(Json({"log", "show", "Alpha"})["text"], "alpha");
    EXPECT_EQ(Json({"log", "show", "Beta"})["text"], "beta");
}

// A note made, renamed, exported, deleted and imported back from its export.
TEST_F(LogCommands, NewEditExportImport) {
    const nlohmann::json made =
        Json(With({"log", "new", "M42", "--seeing", "2", "--text", "Trapezium", "--filter", "UHC"}, kEvening));
    EXPECT_EQ(made["time"], "21:07");
    EXPECT_EQ(made["seeing"], 2);
    EXPECT_EQ(made["filter"], "UHC");
    EXPECT_LT(made["sun_alt_deg"].get<int>(), -18);  // 21:07 UT in January at 51 N
    ASSERT_EQ(Run({"log", "edit", "M42", "--name", "Orion Nebula"}).status, 0);
    EXPECT_EQ(Json({"log", "show", "Orion Nebula"})["text"], "Trapezium");
    const ProgramResult gone = Run({"log", "show", "M42"});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.err, "Please select an observation log.\n");

    const ProgramResult exported = Run({"log", "export"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find("1 Observer log exported.\n"), std::string::npos) << exported.out;
    home_.WriteFile("import/back.txt", home_.ReadFile("userlogs/logs_1.txt"));
    ASSERT_EQ(Run({"log", "delete", "Orion Nebula"}).status, 0);
    EXPECT_TRUE(Json({"log", "list"}).empty());
    const ProgramResult imported = Run({"import", "logs", "back"});
    EXPECT_EQ(imported.out, "1 User log uploaded, 0 rejected.\n") << imported.err;
    EXPECT_EQ(Json({"log", "show", "Orion Nebula"})["filter"], "UHC");
    EXPECT_EQ(Run({"log", "link", "Orion Nebula"}).status, 1);
}

}  // namespace
}  // namespace vsp::test
