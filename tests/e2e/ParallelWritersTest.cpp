// Writers of user files side by side on one program directory: for each file family, commands
// started at once end as the same commands one after the other (every change kept, none
// failing for the others), and a writer that keeps the lock too long is reported, not waited on.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <thread>

#include "support/CatalogHome.h"
#include "support/LocalHttpServer.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using Args = std::vector<std::string>;
using Script = std::vector<Args>;  // one shell's commands, run in order

Args At(Args args) {
    args.insert(args.begin(), {"--date", "2024-10-01", "--time", "22:00", "--tz", "0"});
    return args;
}

class ParallelWriters : public ProgramHomeTest {
public:
    nlohmann::json Show(const Args& args) { return Json(At(args)); }
    const TempHome& Home() const { return home_; }
    std::unique_ptr<LocalHttpServer> server;

protected:
    void SetUp() override {
        LinkCatalogData(home_.Path("data"));
    }

    // Every script in a thread of its own, all at once; every command must succeed.
    void RunTogether(const std::vector<Script>& scripts) {
        std::vector<std::vector<ProgramResult>> results(scripts.size());
        std::vector<std::thread> shells;
        for (size_t i = 0; i < scripts.size(); ++i)
            shells.emplace_back([&, i] {
                for (const Args& args : scripts[i]) results[i].push_back(Run(At(args)));
            });
        for (std::thread& shell : shells) shell.join();
        for (size_t i = 0; i < scripts.size(); ++i)
            for (size_t j = 0; j < results[i].size(); ++j)
                EXPECT_EQ(results[i][j].status, 0) << testing::PrintToString(scripts[i][j]) << ": " << results[i][j].err;
    }
};

struct Family {
    const char* name;
    // Prepares the home and gives the scripts to run at once.
    std::function<std::vector<Script>(ParallelWriters&)> scripts;
    std::function<void(ParallelWriters&)> check;
};

void PrintTo(const Family& family, std::ostream* out) { *out << family.name; }

std::string ElementSets(int first, int count) {
    std::ifstream file(std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle");
    std::string line, text;
    for (int n = 0; std::getline(file, line) && n < 3 * (first + count); ++n)
        if (n >= 3 * first) text += line + "\n";
    return text;
}

const Family kFamilies[] = {
    {"CurrentList",
     [](ParallelWriters&) {
         std::vector<Script> shells(4);
         for (int k = 0; k < 4; ++k)
             for (int i = 1; i <= 10; ++i) shells[size_t(k)].push_back({"list", "add", "M" + std::to_string(10 * k + i)});
         return shells;
     },
     [](ParallelWriters& t) { EXPECT_EQ(t.Show({"list", "show"})["entries"].size(), 40u); }},
    {"Settings",
     [](ParallelWriters&) {
         return std::vector<Script>{{{"prefs", "set", "elevation_m=123"}},
                                    {{"prefs", "set", "temperature_c=7"}},
                                    {{"prefs", "set", "pressure_mbar=999"}},
                                    {{"prefs", "set", "tz_offset_min=60"}}};
     },
     [](ParallelWriters& t) {
         const nlohmann::json prefs = t.Show({"prefs", "show"});
         EXPECT_EQ(prefs["elevation_m"], 123);
         EXPECT_EQ(prefs["temperature_c"], 7.0);
         EXPECT_EQ(prefs["pressure_mbar"], 999.0);
         EXPECT_EQ(prefs["tz_offset_min"], 60);
     }},
    {"SavedLists",
     [](ParallelWriters& t) {
         t.Show({"list", "add", "M31"});
         std::vector<Script> shells;
         for (const char* name : {"a", "b", "c", "d"}) shells.push_back({{"list", "save", name}});
         return shells;
     },
     [](ParallelWriters& t) {
         EXPECT_EQ(t.Show({"list", "saved"}), nlohmann::json::array({"a", "b", "c", "d", "last_list"}));
     }},
    {"Notes",
     [](ParallelWriters& t) {
         t.Show({"log", "new", "Note"});
         return std::vector<Script>{{{"log", "edit", "Note", "--scope", "Dob"}},
                                    {{"log", "edit", "Note", "--filter", "UHC"}},
                                    {{"log", "edit", "Note", "--location", "Field"}},
                                    {{"log", "edit", "Note", "--text", "Faint"}}};
     },
     [](ParallelWriters& t) {
         const nlohmann::json note = t.Show({"log", "show", "Note"});
         EXPECT_EQ(note["scope"], "Dob");
         EXPECT_EQ(note["filter"], "UHC");
         EXPECT_EQ(note["location"], "Field");
         EXPECT_EQ(note["text"], "Faint");
     }},
    {"UserCatalog",
     [](ParallelWriters& t) {
         LocalHttpServer::Routes routes;
         for (int k = 0; k < 4; ++k)
             routes["/" + std::to_string(k) +
                    "/getdata.php?param1=1&param2=3&param3=65536&param4=1&param5=65001&param6=mine.txt"] = {
                 200, "NGC;" + std::to_string(100 + k) + ";;GALXY;1.5;10;5;1;1;\n"};
         t.server = std::make_unique<LocalHttpServer>(routes);
         std::vector<Script> shells;
         for (int k = 0; k < 4; ++k)
             shells.push_back({{"import", "catalog", "mine", "--server", t.server->Url("/" + std::to_string(k))}});
         return shells;
     },
     [](ParallelWriters& t) {
         EXPECT_EQ(t.Show({"records", "info", t.Home().Path("usercatalogs/mine.ppc")})["record_count"], 4);
     }},
    {"SatelliteDatabase",
     [](ParallelWriters& t) {
         std::vector<Script> shells;
         for (int k = 0; k < 4; ++k) {
             const std::string file = "sets" + std::to_string(k) + ".tle";
             t.Home().WriteFile(file, ElementSets(3 * k, 3));
             shells.push_back({{"sat", "import", t.Home().Path(file), "--append"}});
         }
         return shells;
     },
     [](ParallelWriters& t) { EXPECT_EQ(t.Show({"sat", "list"}).size(), 12u); }},
    {"NStarList",
     [](ParallelWriters&) {
         std::vector<Script> shells;
         for (auto [star, ra, dec] : {std::tuple{"Vega", "18.62", "38.8"}, {"Deneb", "20.7", "45.3"},
                                      {"Arcturus", "14.27", "19.1"}, {"Capella", "5.3", "46.0"}})
             shells.push_back({{"scope", "--drive", "LX200", "nstar", "add", star, "--ra-reading", ra, "--dec-reading", dec}});
         return shells;
     },
     [](ParallelWriters& t) { EXPECT_EQ(t.Show({"scope", "nstar", "show"})["stars"].size(), 4u); }},
    {"Checklist",
     [](ParallelWriters&) {
         std::vector<Script> shells(4);  // page 3 holds six items at first, twelve at most
         for (int k = 0; k < 4; ++k) shells[size_t(k)].push_back({"checklist", "add", "--page", "3", "Item " + std::to_string(k)});
         return shells;
     },
     [](ParallelWriters& t) {
         const nlohmann::json page = t.Show({"checklist", "show", "--page", "3"})["pages"][0];
         std::set<std::string> added;
         for (const nlohmann::json& item : page["items"])
             if (item["text"].get<std::string>().starts_with("Item ")) added.insert(item["text"]);
         EXPECT_EQ(added.size(), 4u);
     }},
    {"ExportNames",
     [](ParallelWriters& t) {
         t.Show({"list", "add", "M31", "M33"});
         return std::vector<Script>(4, Script{{"list", "export"}});
     },
     [](ParallelWriters& t) {
         std::vector<std::string> memos;
         for (const auto& item : std::filesystem::directory_iterator(t.Home().Path("userlists")))
             if (item.path().filename().string().starts_with("20241001_vespermemo_2200")) memos.push_back(item.path());
         ASSERT_EQ(memos.size(), 4u);
         for (const std::string& memo : memos) EXPECT_EQ(std::filesystem::file_size(memo), std::filesystem::file_size(memos[0]));
     }},
};

class ParallelFamily : public ParallelWriters, public testing::WithParamInterface<Family> {};

TEST_P(ParallelFamily, FourWritersAtOnceLoseNothing) {
    RunTogether(GetParam().scripts(*this));
    GetParam().check(*this);
    // Each writer's temporary file is its own and goes with its rename.
    for (const auto& item : std::filesystem::recursive_directory_iterator(home_.Root()))
        EXPECT_EQ(item.path().filename().string().find(".tmp"), std::string::npos) << item.path();
}

INSTANTIATE_TEST_SUITE_P(Families, ParallelFamily, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

TEST_F(ParallelWriters, AStuckWriterIsReportedAndNothingChanges) {
    ASSERT_EQ(Run(At({"list", "add", "M31"})).status, 0);
    const std::string before = home_.ReadFile("userlists/last_list.lst");
    const int fd = ::open(home_.Path("userfiles.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    const ProgramResult r = Run(At({"list", "add", "M32"}));
    ::close(fd);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("held by pid " + std::to_string(::getpid())), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was changed"), std::string::npos) << r.err;
    EXPECT_EQ(home_.ReadFile("userlists/last_list.lst"), before);
}

}  // namespace
}  // namespace vsp::test
