// The list commands on a home of its own whose data/ is the catalog home built from the
// packages: a list built, saved, emptied and loaded again, a memo exported and imported, and
// list names that would leave userlists/.
#include <filesystem>

#include <gtest/gtest.h>

#include "e2e/CatalogHomeTest.h"

namespace vsp::test {
namespace {

class ListCommands : public CatalogHomeTest {
protected:
    nlohmann::json List(std::vector<std::string> args) {
        args.insert(args.begin(), {"--date", "2024-10-01", "--time", "22:00", "--tz", "0", "list"});
        return Json(args);
    }
};

TEST_F(ListCommands, AListSurvivesSaveClearLoadAndAMemoRoundTrip) {
    EXPECT_EQ(List({"add", "M31", "C14", "jupiter", "NGC 7000", "Vega"})["count"], 5);
    const nlohmann::json shown = List({"show"});
    EXPECT_EQ(shown["time"], "2024-10-01 22:00");
    const nlohmann::json& entries = shown["entries"];
    ASSERT_EQ(entries.size(), 5u);
    // M31 is NGC 224 at 0h42m44s +41°16'09" in Andromeda; Vega is HR 7001.
    EXPECT_EQ(entries[0]["designation"], "M31");
    EXPECT_EQ(entries[0]["number"], 224);
    EXPECT_EQ(entries[0]["kind"], 2);
    EXPECT_EQ(entries[0]["constellation"], "And");
    EXPECT_NEAR(entries[0]["ra_hours"].get<double>(), 0.71222, 3e-4);
    EXPECT_NEAR(entries[0]["dec_deg"].get<double>(), 41.269, 3e-3);
    EXPECT_EQ(entries[2]["kind"], 1);
    EXPECT_EQ(entries[4]["designation"], "HR7001");
    EXPECT_EQ(entries[4]["name"], "Vega");

    List({"save", "autumn"});
    EXPECT_EQ(List({"saved"}), nlohmann::json::array({"autumn", "last_list"}));
    List({"remove", "1"});
    EXPECT_EQ(List({"show"})["entries"][0]["designation"], "C14");
    List({"clear"});
    EXPECT_TRUE(List({"show"})["entries"].empty());
    List({"load", "autumn"});
    EXPECT_EQ(List({"show"})["entries"], entries);

    // The memo brings the same objects back into the emptied list.
    const nlohmann::json exported = List({"export"});
    EXPECT_EQ(exported["message"], "5 Objects exported.\n");
    List({"clear"});
    EXPECT_EQ(List({"import", exported["files"][0]})["count"], 5);
    const nlohmann::json back = List({"show"})["entries"];
    for (size_t i = 0; i < entries.size(); ++i) {
        for (const char* key : {"designation", "name", "catalog", "number", "kind", "type", "magnitude"})
            EXPECT_EQ(back[i][key], entries[i][key]) << key;
        // Catalog objects and stars are looked up again; the planet's place is read to the second.
        EXPECT_NEAR(back[i]["ra_hours"].get<double>(), entries[i]["ra_hours"].get<double>(), 1.0 / 3600);
        EXPECT_NEAR(back[i]["dec_deg"].get<double>(), entries[i]["dec_deg"].get<double>(), 1.0 / 3600);
    }

    const ProgramResult again = Run({"list", "add", "m31"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("Already loaded: m31"), std::string::npos);
}

TEST_F(ListCommands, NamesThatWouldLeaveTheListFolderAreRefused) {
    List({"add", "M31"});
    for (const char* name : {"../escape", "a/b", "..", "bad\x01name"}) {
        for (const char* command : {"save", "load"}) {
            const ProgramResult r = Run({"list", command, name});
            EXPECT_EQ(r.status, 2) << command << " " << name << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(home_.Path("escape.lst")));
    EXPECT_EQ(List({"saved"}), nlohmann::json::array({"last_list"}));
}

// A directory, a file of other bytes or an empty one is no memo: the import fails and the
// current list stays as it was.
TEST_F(ListCommands, AnImportOfWhatIsNotAMemoLeavesTheList) {
    List({"add", "M31", "M33"});
    const nlohmann::json before = List({"show"});
    home_.WriteFile("program.bin", std::string("\x7f" "ELF\x02\x01\x01\0\0", 9));
    home_.WriteFile("empty.txt", "");
    for (const std::string& file : {home_.Root(), home_.Path("program.bin"), home_.Path("empty.txt")}) {
        const ProgramResult r = Run({"list", "import", file});
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_EQ(List({"show"}), before) << file;
    }
}


// A list written as a SkySafari list and as CSV reads back entry for entry; another program's
// skylist (names with SkySafari's blank, common names, an object no catalog holds) and a
// spreadsheet's CSV (';', its own column names) read as well.
TEST_F(ListCommands, SkylistAndCsvRoundTrip) {
    List({"add", "M31", "C14", "jupiter", "NGC 7000", "Vega"});
    const nlohmann::json before = List({"show"})["entries"];
    for (const char* format : {"--skylist", "--csv"}) {
        const std::string file = home_.Path(std::string("out") + format);
        EXPECT_EQ(List({"export", format, file})["exported"], 5);
        List({"clear"});
        const nlohmann::json back = List({"import", file});
        EXPECT_EQ(back["count"], 5) << format;
        EXPECT_EQ(List({"show"})["entries"], before) << format;
    }
    EXPECT_NE(home_.ReadFile("out--skylist").find("\tCatalogNumber=M 31\n"), std::string::npos);
    EXPECT_NE(home_.ReadFile("out--csv").find("\r\nM31,M31,00:42:44.3"), std::string::npos)
        << home_.ReadFile("out--csv");

    home_.WriteFile("other.skylist", "SkySafariObservingListVersion=3.0\nSortedBy=Default Order\n"
                                     "SkyObject=BeginObject\n\tObjectID=4,0,25\n\tCommonName=Andromeda Galaxy\n"
                                     "\tCatalogNumber=M 31\n\tCatalogNumber=NGC 224\nEndObject=SkyObject\n"
                                     "SkyObject=BeginObject\n\tObjectID=2,-1,-1\n\tCommonName=Vega\n"
                                     "\tCatalogNumber=HD 172167\nEndObject=SkyObject\n"
                                     "SkyObject=BeginObject\n\tObjectID=4,-1,-1\n\tCommonName=Nowhere Nebula\n"
                                     "EndObject=SkyObject\n");
    const ProgramResult partial = Run({"--json", "list", "import", home_.Path("other.skylist")});
    EXPECT_EQ(partial.status, 1);
    EXPECT_EQ(nlohmann::json::parse(partial.out)["not_found"], nlohmann::json::array({"Nowhere Nebula"}));
    const nlohmann::json found = List({"show"})["entries"];
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]["designation"], "M31");
    EXPECT_EQ(found[1]["designation"], "HR7001");

    home_.WriteFile("sheet.csv", "Object;RA (deg);Declination;Mag\r\nOrion Nebula;83.82;-5.39;4\r\nM 42;83.82;-5.39;4\r\n");
    const ProgramResult sheet = Run({"--json", "list", "import", home_.Path("sheet.csv")});
    EXPECT_EQ(nlohmann::json::parse(sheet.out)["not_found"], nlohmann::json::array({"Orion Nebula"})) << sheet.err;
    EXPECT_EQ(List({"show"})["entries"][0]["designation"], "M42");
}

}  // namespace
}  // namespace vsp::test
