#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "records/HandMadeFiles.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::AsString;
using test::HeaderBytes;
using test::PatternFile;
using test::PatternRecord;
using test::TempHome;

constexpr auto kRead = RecordFileMode::ReadOnly;
constexpr auto kWrite = RecordFileMode::ReadWrite;

class RecordFileTest : public ::testing::Test {
protected:
    // A shipped file opened for writing; the test then looks at the working copy's bytes.
    void OpenShipped(const std::string& bytes) {
        home.WriteFile("data/f.ppc", bytes);
        ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/f.ppc", kWrite, handle));
    }
    std::string Disk() const { return home.ReadFile("usercatalogs/data/f.ppc"); }
    std::string Read(uint32_t index) {
        const uint8_t* record = nullptr;
        return RecordFileRead(handle.get(), index, record) ? AsString(record, handle->buffer.size()) : "failed";
    }

    TempHome home;
    RecordFileHandle handle;
};

TEST_F(RecordFileTest, HeaderFieldsGoToTheHandleAndBrokenHeadersFail) {
    // Count and version above 16 bits: the queries keep only the low halves.
    home.WriteFile("data/big.ppc", HeaderBytes(0x0003001A, "VspC", 0x00012345, 8) + std::string(24, 'x'));
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/big.ppc", kRead, handle));
    EXPECT_EQ(handle->tag, FourCharCode("VspC"));
    EXPECT_EQ(handle->recordCount, 0x00012345);
    EXPECT_EQ(handle->buffer, std::vector<uint8_t>(8, 0));
    uint16_t version = 0, count = 0;
    EXPECT_TRUE(RecordFileVersion(handle.get(), version, count));
    EXPECT_EQ(version, 26);
    EXPECT_EQ(count, 0x2345);

    home.WriteFile("data/short.ppc", HeaderBytes(1, "Test", 0, 4).substr(0, 10));
    home.WriteFile("data/negative.ppc", HeaderBytes(1, "Test", 1, -4) + "abcd");
    // Junk whose size word reads as two gigabytes must not become a two-gigabyte buffer.
    home.WriteFile("data/huge.ppc", HeaderBytes(1, "Test", 1, 0x7FFFFFF0) + "abc");
    for (const char* name : {"data/short.ppc", "data/negative.ppc", "data/huge.ppc", "data/missing.ppc"}) {
        for (RecordFileMode mode : {kRead, kWrite}) {
            RecordFileHandle broken;
            EXPECT_FALSE(RecordFileOpen(home.Dir(), name, mode, broken)) << name;
            EXPECT_EQ(broken, nullptr);
        }
    }
    EXPECT_FALSE(FileExists(home.Path("usercatalogs/data/missing.ppc")));  // no half copy left
}

TEST_F(RecordFileTest, WritableOpenWorksOnACopyMadeOnce) {
    const std::string shipped = PatternFile(3, 6);
    OpenShipped(shipped);
    EXPECT_EQ(handle->path, home.Path("usercatalogs/data/f.ppc"));
    ASSERT_TRUE(RecordFileWrite(handle.get(), 1, "ZZZZZZ", 6));
    RecordFileClose(handle);
    EXPECT_EQ(home.ReadFile("data/f.ppc"), shipped);

    // A newer shipped file does not replace the working copy; a removed copy is made again.
    OpenShipped(PatternFile(5, 6));
    EXPECT_EQ(Read(1), "ZZZZZZ");
    std::remove(home.Path("usercatalogs/data/f.ppc").c_str());
    OpenShipped(PatternFile(5, 6));
    EXPECT_EQ(handle->recordCount, 5);

    // Read-only never copies; the writable open makes one directory level only.
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/f.ppc", kRead, handle));
    EXPECT_EQ(handle->path, home.Path("data/f.ppc"));
    home.WriteFile("a/b/deep.ppc", PatternFile(1, 4));
    EXPECT_FALSE(RecordFileOpen(home.Dir(), "a/b/deep.ppc", kWrite, handle));
    home.WriteFile("usercatalogs/a/.keep", "");
    EXPECT_TRUE(RecordFileOpen(home.Dir(), "a/b/deep.ppc", kWrite, handle));
}

TEST_F(RecordFileTest, AppendsThatADamagedHeaderWouldPutPastTheEndAreRefused) {
    // Records without a size, or more records than the file holds: the new one would land at
    // 16 + count x size, far past the end, with the gap written to the disk.
    for (const std::string& bytes : {HeaderBytes(1, "Test", 5000, 0), HeaderBytes(1, "Test", 5000, 4) + "AAAA"}) {
        std::remove(home.Path("usercatalogs/data/f.ppc").c_str());
        OpenShipped(bytes);
        uint16_t index = 0;
        EXPECT_EQ(RecordFileAppend(handle.get(), index, 213), nullptr);
        EXPECT_EQ(Disk(), bytes);
    }
}

TEST_F(RecordFileTest, ReadCurrentPrefersTheWorkingCopyAndNeverMakesOne) {
    home.WriteFile("data/f.ppc", PatternFile(2, 4));
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/f.ppc", RecordFileMode::ReadCurrent, handle));
    EXPECT_EQ(handle->path, home.Path("data/f.ppc"));
    EXPECT_FALSE(FileExists(home.Path("usercatalogs/data/f.ppc")));
    home.WriteFile("usercatalogs/data/f.ppc", PatternFile(3, 4));
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/f.ppc", RecordFileMode::ReadCurrent, handle));
    EXPECT_EQ(handle->recordCount, 3);
    uint16_t index = 0;
    EXPECT_EQ(RecordFileAppend(handle.get(), index, 4), nullptr);
    EXPECT_EQ(home.ReadFile("usercatalogs/data/f.ppc"), PatternFile(3, 4));
}

TEST_F(RecordFileTest, WriteStoresAtMostOneExistingRecord) {
    OpenShipped(PatternFile(3, 4));
    const std::string before = Disk();
    ASSERT_TRUE(RecordFileWrite(handle.get(), 1, "0123456789", 10));
    ASSERT_TRUE(RecordFileWrite(handle.get(), 0, "xy", 2));
    EXPECT_EQ(Disk(), before.substr(0, 16) + "xy" + PatternRecord(0, 4).substr(2) + "0123" + PatternRecord(2, 4));
    // Writing outside the records would grow the file unseen by the header.
    EXPECT_FALSE(RecordFileWrite(handle.get(), 3, "abcd", 4));
    EXPECT_EQ(Disk().size(), before.size());
}

TEST_F(RecordFileTest, DeleteFromTruncatedFileFailsBeforeWriting) {
    OpenShipped(HeaderBytes(1, "Test", 4, 4) + "AAAABBBBCC");  // four promised, two and a half there
    const std::string before = Disk();
    EXPECT_FALSE(RecordFileDelete(handle.get(), 0));
    EXPECT_EQ(Disk(), before);
}

// A whole-file read stops where a walk record by record would: at the header's count, the
// caller's limit or the last whole record, whichever comes first.
TEST_F(RecordFileTest, LeadingReadTakesOnlyWholeRecordsTheFileHolds) {
    home.WriteFile("data/short.ppc", HeaderBytes(1, "Test", 4, 4) + "AAAABBBBCC");
    home.WriteFile("data/long.ppc", HeaderBytes(1, "Test", 2, 4) + "AAAABBBBCCCC");
    std::vector<uint8_t> out;
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/short.ppc", kRead, handle));
    EXPECT_EQ(RecordFileReadLeading(handle.get(), 10, out), 2u);
    EXPECT_EQ(AsString(out.data(), out.size()), "AAAABBBB");
    EXPECT_EQ(RecordFileReadLeading(handle.get(), 1, out), 1u);
    EXPECT_EQ(AsString(out.data(), out.size()), "AAAA");
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/long.ppc", kRead, handle));
    EXPECT_EQ(RecordFileReadLeading(handle.get(), 10, out), 2u);
    EXPECT_EQ(out.size(), 8u);
}

TEST_F(RecordFileTest, ReadsAbove65535AndNeverHandsBackAnEarlierRecord) {
    std::string bytes = HeaderBytes(1, "Star", 70000, 4);
    for (uint32_t i = 0; i < 70000; ++i) bytes += test::Le32(i * 2654435761u);
    home.WriteFile("data/stars.ppc", bytes + "AB");
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/stars.ppc", kRead, handle));
    for (uint32_t i : {0u, 65536u, 69999u}) {
        const uint8_t* record = nullptr;
        ASSERT_TRUE(RecordFileRead(handle.get(), i, record)) << i;
        EXPECT_EQ(ReadU32(record), i * 2654435761u) << i;
    }
    EXPECT_EQ(RecordFileCount(handle.get()), uint16_t(70000 - 65536));
    // Half a record past the end: a failure, and the buffer keeps no earlier record.
    EXPECT_EQ(Read(70000), "failed");
    EXPECT_EQ(AsString(RecordFileRead(handle.get(), 70000), 4), std::string("AB\0\0", 4));
}

TEST_F(RecordFileTest, OffsetsBeyondTwoGigabytes) {
    // Record 65536 of 32768-byte records starts past 2^31: 32-bit offsets would wrap.
    home.WriteFile("data/wide.ppc", HeaderBytes(1, "Wide", 65537, 32768));
    const off_t last = off_t(16) + off_t(65536) * 32768;
    std::FILE* f = std::fopen(home.Path("data/wide.ppc").c_str(), "rb+");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(::ftruncate(::fileno(f), last + 32768), 0);  // sparse
    ASSERT_EQ(::fseeko(f, last, SEEK_SET), 0);
    std::fwrite("last", 1, 4, f);
    std::fclose(f);
    ASSERT_TRUE(RecordFileOpen(home.Dir(), "data/wide.ppc", kRead, handle));
    EXPECT_EQ(Read(65536).substr(0, 4), "last");
}

}  // namespace
}  // namespace vsp
