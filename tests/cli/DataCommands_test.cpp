// data build and data info: their usage errors, and data info on a data folder the test writes.

#include <gtest/gtest.h>

#include "catalog/ObjectTestFiles.h"
#include "cli/CliRun.h"

namespace vsp::test {
namespace {

CliOutcome Data(const TempHome& home, std::vector<std::string> words, bool json = false) {
    return RunCli(cli::RunData, home, std::move(words), json ? JsonOutput() : cli::CommonOptions{});
}

TEST(DataCommand, UsageErrors) {
    TempHome home;
    for (const auto& words : std::vector<std::vector<std::string>>{
             {}, {"rebuild"}, {"build", "--bogus"}, {"build", "--ngc2000"}, {"build", "extra"},
             {"build", "--tycho2="}, {"info", "extra"}, {"info", "--all"}}) {
        const CliOutcome run = Data(home, words);
        EXPECT_EQ(run.status, cli::kExitUsage) << testing::PrintToString(words);
        EXPECT_EQ(run.err.rfind("vespertar: ", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    // Nothing was built by a refused command.
    EXPECT_NE(Data(home, {"info"}).status, cli::kExitOk);
}

TEST(DataCommand, BuildFromMissingPackagesFailsWithTheReason) {
    TempHome home;
    const std::string nowhere = home.Path("nowhere");
    const CliOutcome run = Data(home, {"build", "--stellarium", nowhere, "--kstars", nowhere, "--d3celestial", nowhere});
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_TRUE(run.out.empty()) << run.out;
    ASSERT_FALSE(run.err.empty());
    // The reason is the last line written.
    const std::string last = run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
    EXPECT_GT(last.size(), 1u) << run.err;
}

TEST(DataCommand, InfoWithoutADataFolder) {
    TempHome home;
    const CliOutcome run = Data(home, {"info"});
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_NE(run.err.find(home.Path("data/")), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("data build"), std::string::npos) << run.err;
}

TEST(DataCommand, InfoListsEveryRecordFileByName) {
    TempHome home;
    // Written out of name order; a short one, a damaged one and files that are not record files.
    home.WriteFile("data/vespertar_obj_1k.ppc", Header(26, 0x706C3030, 2, 44) + std::string(88, '\0'));
    home.WriteFile("data/vespertar_default_stars.ppc", Header(1, 0x706C3031, 3, 44) + std::string(132, '\0'));
    home.WriteFile("data/vespertar_hr_idx.ppc", Header(1, 0x706C3636, 5, 84) + std::string(84, '\0'));
    home.WriteFile("data/vespertar_broken.ppc", "short");
    home.WriteFile("data/notes.txt", "not a record file");
    home.WriteFile("data/vespertar_obj_18k.ppc.tmp", Header(26, 0x706C3030, 0, 44));

    const CliOutcome json = Data(home, {"info"}, true);
    ASSERT_EQ(json.status, cli::kExitOk) << json.err;
    const nlohmann::json files = json.Json()["files"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0]["name"], "vespertar_default_stars.ppc");
    EXPECT_EQ(files[0]["records"], 3);
    EXPECT_EQ(files[0]["record_size"], 44);
    EXPECT_EQ(files[0]["version"], 1);
    EXPECT_EQ(files[0]["tag"], "10lp");
    EXPECT_EQ(files[0]["complete"], true);
    EXPECT_EQ(files[1]["name"], "vespertar_hr_idx.ppc");
    EXPECT_EQ(files[1]["complete"], false);
    EXPECT_EQ(files[2]["name"], "vespertar_obj_1k.ppc");
    EXPECT_EQ(files[2]["version"], 26);
    EXPECT_EQ(files[2]["records"], 2);
    EXPECT_EQ(json.Json()["unreadable"], nlohmann::json::array({"vespertar_broken.ppc"}));

    const CliOutcome text = Data(home, {"info"});
    ASSERT_EQ(text.status, cli::kExitOk);
    EXPECT_NE(text.out.find("vespertar_default_stars.ppc  3 records of 44 bytes, version 1, tag 10lp\n"),
              std::string::npos)
        << text.out;
    EXPECT_LT(text.out.find("vespertar_hr_idx.ppc"), text.out.find("vespertar_obj_1k.ppc"));
    EXPECT_NE(text.out.find("shorter than its header says"), std::string::npos);
    EXPECT_EQ(text.out.find("notes.txt"), std::string::npos);
}

TEST(DataCommand, InfoOnAnEmptyDataFolder) {
    TempHome home;
    home.WriteFile("data/readme", "");
    const CliOutcome run = Data(home, {"info"}, true);
    ASSERT_EQ(run.status, cli::kExitOk);
    EXPECT_TRUE(run.Json()["files"].empty());
}

}  // namespace
}  // namespace vsp::test
