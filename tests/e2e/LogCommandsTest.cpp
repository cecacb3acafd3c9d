#include <cstdlib>

#include "support/ProgramHomeTest.h"
#include "support/TempHome.h"

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


nlohmann::json ShownNote(const std::string& home, const std::string& name) {
    nlohmann::json note = nlohmann::json::parse(RunVespertar({"--home", home, "--json", "log", "show", name}).out);
    note.erase("file");
    return note;
}

// Notes written as OpenAstronomyLog pass the schema, and a home that imports them shows the same
// notes and writes the same document again; a log of the later namespace, in UTC and radians,
// reads as its elements say.
TEST_F(LogCommands, OpenAstronomyLogRoundTrip) {
    const std::vector<std::string> zone = {"--tz", "60"};
    const std::vector<std::string> evening = {"--date", "2024-01-05", "--time", "21:07", "--tz", "60"};
    ASSERT_EQ(Run(With({"log", "new", "M42", "--seeing", "2", "--transparency", "1", "--detection", "1",
                        "--impression", "1", "--eyepiece", "3", "--filter", "OIII", "--text", "Trapezium <4> & caf\u00e9"},
                       evening)).status, 0);
    ASSERT_EQ(Run(With({"log", "new", "Jupiter", "--scope", "Binoculars", "--location", "Garden"},
                       {"--date", "2024-03-10", "--time", "01:30", "--tz", "60"})).status, 0);
    const std::string first = home_.Path("first.xml"), second = home_.Path("second.xml");
    ASSERT_EQ(Json(With({"log", "export", "--oal", first}, zone))["exported"], 2);
    const std::string schema = std::string(VESPERTAR_SHARED_DATA) + "/oal21/oal21.xsd";
    EXPECT_EQ(std::system(("xmllint --noout --schema " + schema + " " + first + " 2>/dev/null").c_str()), 0);

    TempHome other;
    const ProgramResult imported = RunVespertar({"--home", other.Root(), "--json", "--tz", "60", "log", "import", "--oal", first});
    EXPECT_EQ(nlohmann::json::parse(imported.out), nlohmann::json({{"imported", 2}, {"skipped", 0}})) << imported.err;
    EXPECT_EQ(RunVespertar({"--home", other.Root(), "--tz", "60", "log", "export", "--oal", second}).status, 0);
    EXPECT_EQ(home_.ReadFile("first.xml"), home_.ReadFile("second.xml"));
    for (const char* name : {"M42", "Jupiter"}) EXPECT_EQ(ShownNote(other.Root(), name), ShownNote(home_.Root(), name));

    home_.WriteFile("later.xml", R"(<?xml version="1.0"?>
<observations xmlns="https://github.com/openastronomylog/openastronomylog" version="2.1"><observers/><sites/>
<sessions/><targets><target id="t"><datasource>x</datasource><name>NGC 2392</name><position>
<ra unit="rad">1.954</ra><dec unit="arcmin">1254</dec></position></target></targets><scopes/><eyepieces/>
<lenses/><filters/><imagers/><observation><observer>o</observer><target>t</target>
<begin>2024-01-05T23:40:00Z</begin><seeing>1</seeing><result><description>Eskimo</description>
<rating>4</rating></result></observation><observation><observer>o</observer><target>none</target>
<begin>2024-01-05T23:40:00Z</begin><result><description/></result></observation></observations>)");
    EXPECT_EQ(Json({"--tz", "60", "log", "import", "--oal", home_.Path("later.xml")}),
              nlohmann::json({{"imported", 1}, {"skipped", 1}}));
    const nlohmann::json eskimo = ShownNote(home_.Root(), "NGC 2392");
    // 23:40 UT on the 5th is 00:40 on the 6th at UT+1 (the day's place follows LC_TIME).
    EXPECT_NE(eskimo["date"].get<std::string>().find("06"), std::string::npos) << eskimo;
    EXPECT_EQ(eskimo["time"], "00:40");
    EXPECT_NEAR(eskimo["ra_hours"].get<double>(), 1.954 * 12 / 3.141592653589793, 1e-5);
    EXPECT_NEAR(eskimo["dec_deg"].get<double>(), 20.9, 1e-5);
    EXPECT_EQ(eskimo["seeing"], 2);
    EXPECT_EQ(eskimo["detection"], 0);
    EXPECT_EQ(eskimo["filter"], "None");
    EXPECT_EQ(eskimo["text"], "Eskimo");
    const ProgramResult notOal = Run({"log", "import", "--oal", home_.Path("first.xml") + "x"});
    EXPECT_EQ(notOal.status, 1);
}

}  // namespace
}  // namespace vsp::test
