#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <array>
#include <cmath>
#include <thread>

#include "support/LocalHttpServer.h"
#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

std::string Tle(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_SHARED_DATA) + "/tle/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string SatelliteFixture(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_TEST_DATA) + "/satellites/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

using SatelliteDataCommands = ProgramHomeTest;

// OMM sets with numbers from five to nine digits come back with their numbers, are found by
// them (Alpha-5 typed too), propagate as python3-sgp4 initialised from the same OMM does, and
// export as python3-sgp4's lines, the sets with no two-line form named; an EPHEMERIS_TYPE 4
// row is refused by its line.
TEST_F(SatelliteDataCommands, OmmSetsKeepTheirNumbersThroughListInfoPropagateAndExport) {
    home_.WriteFile("sets.xml", SatelliteFixture("omm_sets.xml"));
    ASSERT_EQ(Run({"sat", "import", home_.Path("sets.xml")}).status, 0);
    std::vector<int64_t> numbers;
    for (const auto& row : Json({"sat", "list"})) numbers.push_back(row["catalog_number"].get<int64_t>());
    EXPECT_EQ(numbers, (std::vector<int64_t>{5, 99999, 100000, 270000, 339999, 340000, 799501299, 10000}));
    for (const char* typed : {"T0000", "270000"})
        EXPECT_EQ(Json({"sat", "info", typed})["catalog_number"], 270000) << typed;
    const auto reference = test::bodies::ReadEphemerisCsv("../satellites/omm_reference.csv");
    for (const auto& row : reference->rows) {
        if (row.Text("catalog_number") != "799501299" || std::fabs(row.Number("minutes")) == 0.0) continue;
        const nlohmann::json state = Json({"sat", "propagate", "799501299", "--model", "sgp4", "--jd", row.Text("jd_utc")});
        EXPECT_LT(std::hypot(state["x_km"].get<double>() - row.Number("x_km"), state["y_km"].get<double>() - row.Number("y_km"),
                             state["z_km"].get<double>() - row.Number("z_km")),
                  1.0)
            << row.Text("minutes");
    }
    const ProgramResult exported = Run({"sat", "export"});
    EXPECT_EQ(exported.out.rfind("6 Satellite records exported.\n", 0), 0u) << exported.out;
    EXPECT_NE(exported.out.find("skipped, catalog number 340000 has no two-line form: SL-8 R/B\n"), std::string::npos);
    EXPECT_NE(exported.out.find("799501299 has no two-line form: CSS (TIANHE)\n"), std::string::npos);
    const size_t file = exported.out.find('\n') + 1;
    std::ifstream memoFile(exported.out.substr(file, exported.out.find('\n', file) - file));
    const std::string memo(std::istreambuf_iterator<char>(memoFile), {});
    const auto lines = test::bodies::ReadEphemerisCsv("../satellites/omm_lines.csv");
    for (const size_t row : {2, 3, 4}) {  // 100000, 270000 and 339999: Alpha-5 as python3-sgp4 reads it
        const std::string set = lines->rows[row].Text("line1") + "\n" + lines->rows[row].Text("line2") + "\n";
        EXPECT_NE(memo.find(set), std::string::npos) << set;
    }
    const nlohmann::json skipped = {{{"name", "SL-8 R/B"}, {"catalog_number", 340000}},
                                    {{"name", "CSS (TIANHE)"}, {"catalog_number", 799501299}}};
    EXPECT_EQ(Json({"sat", "export"})["skipped"], skipped);

    std::string csv = SatelliteFixture("omm_sets.csv");
    const size_t third = csv.find('\n', csv.find('\n', csv.find('\n') + 1) + 1) + 1;
    csv.replace(csv.find(",0,U,", third), 5, ",4,U,");  // the row on line 4
    home_.WriteFile("sets.csv", csv);
    const ProgramResult refused = Run({"sat", "import", home_.Path("sets.csv")});
    EXPECT_NE(refused.out.find("7 element sets imported from"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("\nline 4: EPHEMERIS_TYPE 4 (SGP4-XP) is not 0 (SGP4), the only theory read\n"),
              std::string::npos) << refused.out;
}

// update fetches both addresses of the settings into one database, which list and export show.
TEST_F(SatelliteDataCommands, UpdateListExport) {
    LocalHttpServer server({{"/visual.txt", {200, Tle("visual-2025-07-20.tle")}},
                            {"/iridium.txt", {200, Tle("iridium-2014-09-18.tle")}}});
    ASSERT_EQ(Run({"prefs", "set", "satellite_url=" + server.Url("/visual.txt"),
                   "iridium_url=" + server.Url("/iridium.txt")}).status, 0);
    ASSERT_EQ(Run({"sat", "update"}).status, 0);
    const nlohmann::json list = Json({"sat", "list", "--date", "2025-07-21", "--time", "06:24", "--tz", "0"});
    ASSERT_EQ(list.size(), 151u + 92u);
    const nlohmann::json& iss = list[101];  // line 304 of the file, epoch 25201.26732422
    EXPECT_EQ(iss["name"], "ISS (ZARYA)");
    EXPECT_NEAR(iss["epoch_jd"].get<double>(), 2460675.5 + 201.26732422, 1e-8);
    EXPECT_NEAR(iss["inclination_deg"].get<double>(), 51.6337, 1e-9);
    EXPECT_NEAR(iss["age_days"].get<double>(), 2460877.5 + 6.4 / 24 - 2460876.76732422, 1e-6);
    const ProgramResult r = Run({"sat", "export"});
    EXPECT_EQ(r.out.rfind("243 Satellite records exported.\n", 0), 0u) << r.out << r.err;
}

// Only regular files are read, and at once: /dev/zero never ends, and a FIFO would keep the
// import waiting for as long as its writer (here two seconds) keeps it open.
TEST_F(SatelliteDataCommands, InputsThatAreNotRegularFilesAreRefused) {
    const std::string fifo = home_.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        const int fd = ::open(fifo.c_str(), O_RDWR);  // a writer (and reader) that never blocks
        const std::string set = Tle("visual-2025-07-20.tle").substr(0, 3 * 70);
        (void)!::write(fd, set.data(), set.size());
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::close(fd);
    });
    for (const std::string& source : {fifo, std::string("/dev/zero"), home_.Root()}) {
        const ProgramResult r = RunVespertarInLittleMemory({"--home", home_.Root(), "sat", "import", source});
        EXPECT_EQ(r.status, 1) << source << r.err;
        EXPECT_EQ(r.err.rfind("Can't open file.\n", 0), 0u) << r.err;
    }
    writer.join();
    EXPECT_FALSE(std::filesystem::exists(home_.Path("usercatalogs/data/vespertar_satellites.ppc")));
}

// The commands that only read the database work in a program directory they cannot write to.
TEST_F(SatelliteDataCommands, ReadingNeedsNoWriteAccess) {
    home_.WriteFile("sets.tle", Tle("visual-2025-07-20.tle"));
    ASSERT_EQ(Run({"sat", "import", home_.Path("sets.tle")}).status, 0);
    std::string asReader;  // root writes anywhere: the commands run as nobody instead
    if (::geteuid() == 0) {
        if (std::system("setpriv --help >/dev/null 2>&1") != 0) GTEST_SKIP() << "no setpriv";
        asReader = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    namespace fs = std::filesystem;
    for (const auto& item : fs::recursive_directory_iterator(home_.Root()))
        fs::permissions(item.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    fs::permissions(home_.Root(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
    const std::string out = fs::temp_directory_path() / ("vsp-readonly-" + std::to_string(::getpid()));
    for (const std::string command : {"sat list --json", "sat info 25544", "sat propagate 0 --jd 2460877.5"}) {
        const std::string line = asReader + VespertarPath() + " --home " + home_.Root() + " --date 2025-07-21 " +
                                 command + " >" + out + " 2>&1";
        EXPECT_EQ(std::system(line.c_str()), 0) << command << ": " << std::ifstream(out).rdbuf();
    }
    fs::remove(out);
    for (const auto& item : fs::recursive_directory_iterator(home_.Root()))
        fs::permissions(item.path(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace vsp::test
