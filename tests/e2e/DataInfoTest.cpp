// data info on a data folder the test writes: record files by name, damaged and foreign files;
// data build naming what it misses.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "catalog/ObjectTestFiles.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class DataInfo : public ProgramHomeTest {};

TEST_F(DataInfo, ListsEveryRecordFileByName) {
    EXPECT_EQ(Run({"data", "info"}).status, 1);  // no data folder yet
    // Written out of name order; a short one, a damaged one and a file that is no record file.
    home_.WriteFile("data/vespertar_obj_1k.ppc", Header(26, 0x706C3030, 2, 44) + std::string(88, '\0'));
    home_.WriteFile("data/vespertar_default_stars.ppc", Header(1, 0x706C3031, 3, 44) + std::string(132, '\0'));
    home_.WriteFile("data/vespertar_hr_idx.ppc", Header(1, 0x706C3636, 5, 84) + std::string(84, '\0'));
    home_.WriteFile("data/vespertar_broken.ppc", "short");
    home_.WriteFile("data/notes.txt", "not a record file");

    const nlohmann::json info = Json({"data", "info"});
    const nlohmann::json& files = info["files"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], (nlohmann::json{{"name", "vespertar_default_stars.ppc"}, {"records", 3}, {"record_size", 44},
                                        {"version", 1}, {"tag", "10lp"}, {"complete", true}}));
    EXPECT_EQ(files[1]["name"], "vespertar_hr_idx.ppc");
    EXPECT_EQ(files[1]["complete"], false);
    EXPECT_EQ(files[2]["version"], 26);
    EXPECT_EQ(info["unreadable"], nlohmann::json::array({"vespertar_broken.ppc"}));
    EXPECT_NE(Run({"data", "info"}).out.find("vespertar_default_stars.ppc  3 records of 44 bytes, version 1, tag 10lp\n"),
              std::string::npos);
}

TEST_F(DataInfo, BuildFromMissingPackagesFailsWithTheReason) {
    const std::string nowhere = home_.Path("nowhere");
    const ProgramResult r = Run({"data", "build", "--stellarium", nowhere, "--kstars", nowhere, "--d3celestial", nowhere});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(nowhere), std::string::npos) << r.err;
    EXPECT_EQ(Run({"data", "build", "--tycho2="}).status, 2);
}

}  // namespace
}  // namespace vsp::test
