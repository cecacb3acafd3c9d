// `vespertar records` against files written byte by byte here, not by the record layer.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

std::string Le32(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

// version 26, tag "Obj1", 3 records of 6 bytes, then 5 trailing bytes.
std::string HandMadeFile() {
    std::string bytes = Le32(26) + "Obj1" + Le32(3) + Le32(6);
    bytes += std::string("\x01\x02\x03\x04\x05\x06", 6);
    bytes += std::string("ABCDEF");
    bytes += std::string("\xff\xfe\x00\x10\x20\x30", 6);
    bytes += "trail";
    return bytes;
}

using RecordsCommand = ProgramHomeTest;

TEST_F(RecordsCommand, InfoAndDumpReadAHandMadeFile) {
    home_.WriteFile("data/hand.ppc", HandMadeFile());
    const nlohmann::json info = Json({"records", "info", "data/hand.ppc"});
    EXPECT_EQ(info["version"], 26);
    EXPECT_EQ(info["tag"], "Obj1");
    EXPECT_EQ(info["record_count"], 3);
    EXPECT_EQ(info["trailing_bytes"], 5);
    EXPECT_EQ(info["truncated"], false);

    // FILE below the program directory or as a path.
    ProgramResult r = Run({"records", "info", home_.Path("data/hand.ppc")});
    EXPECT_NE(r.out.find("record count: 3"), std::string::npos) << r.out;

    const nlohmann::json dump = Json({"records", "dump", home_.Path("data/hand.ppc"), "--index", "2"});
    EXPECT_EQ(dump["hex"], "ff fe 00 10 20 30");
    EXPECT_EQ(dump["offset"], 16 + 12);
    r = Run({"records", "dump", home_.Path("data/hand.ppc"), "--index", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("41 42 43 44 45 46"), std::string::npos) << r.out;
}

TEST_F(RecordsCommand, DamagedOrMissingFilesFailWithStatusOne) {
    home_.WriteFile("short.ppc", std::string("\x1a\x00\x00\x00Obj1\x02", 9));
    ProgramResult r = Run({"records", "info", home_.Path("short.ppc")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("shorter than the 16-byte header"), std::string::npos) << r.err;

    // The header promises three records but the file holds one and a half.
    home_.WriteFile("cut.ppc", HandMadeFile().substr(0, 16 + 9));
    EXPECT_EQ(Json({"records", "info", home_.Path("cut.ppc")})["truncated"], true);
    r = Run({"records", "dump", home_.Path("cut.ppc"), "--index", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Could not retrieve record!"), std::string::npos);

    // Sixteen bytes whose header claims a record of 2 GiB: refused before it sizes a buffer.
    home_.WriteFile("huge.ppc", Le32(1) + "Test" + Le32(1) + Le32(0x7FFFFFFF));
    r = RunVespertarInLittleMemory({"records", "dump", home_.Path("huge.ppc")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Could not retrieve record!\n");
}

}  // namespace
}  // namespace vsp::test
