#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "records/HandMadeFiles.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::HeaderBytes;
using test::PatternFile;
using test::PatternRecord;
using test::TempHome;

std::string AsString(const uint8_t* p, size_t size) { return std::string(reinterpret_cast<const char*>(p), size); }

// A shipped file opened for writing; the test then looks at the working copy's bytes.
class EditFixture : public ::testing::Test {
protected:
    void OpenShipped(const std::string& bytes) {
        home.WriteFile("data/f.ppc", bytes);
        ASSERT_EQ(RecordFileOpen(home.Dir(), "data/f.ppc", 1, handle), 0);
    }
    std::string Disk() const { return home.ReadFile("usercatalogs/data/f.ppc"); }
    std::string DiskRecord(int index, int size) const { return Disk().substr(size_t(16 + index * size), size_t(size)); }

    TempHome home;
    RecordFileHandle handle;
};

TEST_F(EditFixture, CreateWritesAnEmptyHeaderAndReplacesAnOldFile) {
    home.WriteFile("usercatalogs/mine.ppc", PatternFile(40, 10));
    ASSERT_EQ(RecordFileCreate(home.Dir(), "mine.ppc", FourCharCode("Pref")), 0);
    EXPECT_EQ(home.ReadFile("usercatalogs/mine.ppc"),
              std::string("\0\0\0\0Pref\0\0\0\0\0\0\0\0", 16));

    // Created files are opened by name alone: the writable open adds usercatalogs/ itself.
    ASSERT_EQ(RecordFileOpen(home.Dir(), "mine.ppc", 1, handle), 0);
    EXPECT_EQ(handle->path, home.Path("usercatalogs/mine.ppc"));
    EXPECT_EQ(handle->recordSize, 0);
    EXPECT_EQ(handle->recordCount, 0);
}

TEST_F(EditFixture, CreateIntoAFreshHomeMakesItsFolder) {
    ASSERT_EQ(RecordFileCreate(home.Dir(), "fresh.ppc", FourCharCode("Vsp1")), 0);
    EXPECT_EQ(home.ReadFile("usercatalogs/fresh.ppc").size(), 16u);
}

TEST_F(EditFixture, FirstAppendSetsTheSizeInHandleAndHeader) {
    ASSERT_EQ(RecordFileCreate(home.Dir(), "log.ppc", FourCharCode("Logs")), 0);
    ASSERT_EQ(RecordFileOpen(home.Dir(), "log.ppc", 1, handle), 0);

    uint16_t index = 99;
    uint8_t* record = RecordFileAppend(handle.get(), index, 12);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(handle->recordSize, 12);
    EXPECT_EQ(handle->recordCount, 1);
    EXPECT_EQ(AsString(record, 12), std::string(12, '\0'));
    EXPECT_EQ(home.ReadFile("usercatalogs/log.ppc"), HeaderBytes(0, "Logs", 1, 12) + std::string(12, '\0'));

    std::memcpy(record, "first record", 12);
    ASSERT_EQ(RecordFileWrite(handle.get(), index, record, 12), 0);
    // The size given to a later append does not change the file's record size.
    ASSERT_NE(RecordFileAppend(handle.get(), index, 99), nullptr);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(RecordFileWrite(handle.get(), index, "second recor", 12), 0);
    EXPECT_EQ(home.ReadFile("usercatalogs/log.ppc"),
              HeaderBytes(0, "Logs", 2, 12) + "first record" + "second recor");
}

TEST_F(EditFixture, AppendWithoutSizeOnEmptyFileFails) {
    ASSERT_EQ(RecordFileCreate(home.Dir(), "e.ppc", FourCharCode("Logs")), 0);
    ASSERT_EQ(RecordFileOpen(home.Dir(), "e.ppc", 1, handle), 0);
    uint16_t index = 7;
    EXPECT_EQ(RecordFileAppend(handle.get(), index, 0), nullptr);
    EXPECT_EQ(handle->recordCount, 0);
    EXPECT_EQ(handle->recordSize, 0);
    EXPECT_EQ(RecordFileAppend(nullptr, index, 4), nullptr);
}

TEST_F(EditFixture, AppendGoesBehindTheLastValidRecordAndKeepsVersionAndTagOnDisk) {
    // Two valid records followed by leftover bytes that the append must overwrite.
    OpenShipped(HeaderBytes(26, "Objs", 2, 4) + "AAAABBBB" + "junkjunk");
    // Stamp a different version behind the handle's back: the append must re-read it.
    {
        std::FILE* f = std::fopen(home.Path("usercatalogs/data/f.ppc").c_str(), "rb+");
        ASSERT_NE(f, nullptr);
        std::fwrite("\x1B\0\0\0", 1, 4, f);
        std::fclose(f);
    }
    uint16_t index = 0;
    ASSERT_NE(RecordFileAppend(handle.get(), index, 4), nullptr);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(Disk(), HeaderBytes(27, "Objs", 3, 4) + "AAAABBBB" + std::string(4, '\0') + "junk");
}

TEST_F(EditFixture, WriteStoresAtMostOneRecordAndLeavesTheCount) {
    OpenShipped(PatternFile(3, 4));
    const std::string before = Disk();
    ASSERT_EQ(RecordFileWrite(handle.get(), 1, "0123456789", 10), 0);
    EXPECT_EQ(DiskRecord(1, 4), "0123");
    EXPECT_EQ(DiskRecord(2, 4), PatternRecord(2, 4));
    EXPECT_EQ(Disk().size(), before.size());
    EXPECT_EQ(Disk().substr(0, 16), before.substr(0, 16));
    EXPECT_EQ(handle->recordCount, 3);

    // A short write changes only its own bytes.
    ASSERT_EQ(RecordFileWrite(handle.get(), 0, "xy", 2), 0);
    EXPECT_EQ(DiskRecord(0, 4), "xy" + PatternRecord(0, 4).substr(2));

    // Writing outside the valid records would grow the file unseen by the header.
    EXPECT_EQ(RecordFileWrite(handle.get(), 3, "abcd", 4), 1);
    EXPECT_EQ(Disk().size(), before.size());
    EXPECT_EQ(RecordFileWrite(nullptr, 0, "abcd", 4), 1);
}

TEST_F(EditFixture, DeleteLastOnlyClearsItAndDecrements) {
    OpenShipped(PatternFile(3, 5));
    const size_t length = Disk().size();
    ASSERT_EQ(RecordFileDelete(handle.get(), 2), 0);
    EXPECT_EQ(handle->recordCount, 2);
    EXPECT_EQ(Disk(), HeaderBytes(1, "Test", 2, 5) + PatternRecord(0, 5) + PatternRecord(1, 5) +
                          std::string(5, '\0'));
    EXPECT_EQ(Disk().size(), length);
}

TEST_F(EditFixture, DeleteFirstOfThreeClosesUp) {
    OpenShipped(PatternFile(3, 5));
    ASSERT_EQ(RecordFileDelete(handle.get(), 0), 0);
    EXPECT_EQ(Disk(), HeaderBytes(1, "Test", 2, 5) + PatternRecord(1, 5) + PatternRecord(2, 5) +
                          std::string(5, '\0'));
    // The handle follows the file: reading the new record 0 gives the old record 1.
    const uint8_t* record = nullptr;
    ASSERT_EQ(RecordFileRead(handle.get(), 0, record), 0);
    EXPECT_EQ(AsString(record, 5), PatternRecord(1, 5));
}

TEST_F(EditFixture, DeleteMovesLongTailsInPiecesWithoutLosingAByte) {
    // 96 records of 400 bytes behind the deleted one: several 16384-byte pieces and a rest.
    OpenShipped(PatternFile(100, 400) + "trailer");
    ASSERT_EQ(RecordFileDelete(handle.get(), 3), 0);
    std::string expected = HeaderBytes(1, "Test", 99, 400);
    for (int i = 0; i < 100; ++i)
        if (i != 3) expected += PatternRecord(i, 400);
    expected += std::string(400, '\0') + "trailer";
    EXPECT_EQ(Disk(), expected);

    // A tail of 41 records: one full piece plus 16 bytes. Slot p (p > 3) holds record p + 1.
    ASSERT_EQ(RecordFileDelete(handle.get(), 57), 0);
    EXPECT_EQ(handle->recordCount, 98);
    EXPECT_EQ(DiskRecord(56, 400), PatternRecord(57, 400));
    EXPECT_EQ(DiskRecord(57, 400), PatternRecord(59, 400));
    EXPECT_EQ(DiskRecord(97, 400), PatternRecord(99, 400));
    EXPECT_EQ(DiskRecord(98, 400), std::string(400, '\0'));
}

TEST_F(EditFixture, DeleteOutsideTheRecordsChangesNothing) {
    OpenShipped(PatternFile(2, 4));
    const std::string before = Disk();
    EXPECT_EQ(RecordFileDelete(handle.get(), 2), 1);
    EXPECT_EQ(RecordFileDelete(nullptr, 0), 1);
    EXPECT_EQ(Disk(), before);
    EXPECT_EQ(handle->recordCount, 2);
}

TEST_F(EditFixture, DeleteFromTruncatedFileFailsBeforeWriting) {
    // The header promises four records, the file holds two and a half.
    OpenShipped(HeaderBytes(1, "Test", 4, 4) + "AAAABBBBCC");
    const std::string before = Disk();
    EXPECT_EQ(RecordFileDelete(handle.get(), 0), 1);
    EXPECT_EQ(Disk(), before);
}

TEST_F(EditFixture, SetVersionRewritesOnlyTheFirstWord) {
    OpenShipped(PatternFile(2, 4, 3));
    const std::string before = Disk();
    ASSERT_EQ(RecordFileSetVersion(handle.get(), 0x0102001Au), 0);
    EXPECT_EQ(handle->version, 0x0102001Au);
    EXPECT_EQ(Disk(), std::string("\x1A\x00\x02\x01", 4) + before.substr(4));
    EXPECT_EQ(RecordFileSetVersion(nullptr, 1), 1);
}

TEST(RecordFileReadOnly, ChangesFailAndLeaveTheFile) {
    TempHome home;
    const std::string bytes = PatternFile(3, 4);
    home.WriteFile("data/ro.ppc", bytes);
    RecordFileHandle handle;
    ASSERT_EQ(RecordFileOpen(home.Dir(), "data/ro.ppc", 0, handle), 0);
    uint16_t index = 0;
    EXPECT_EQ(RecordFileWrite(handle.get(), 0, "abcd", 4), 1);
    EXPECT_EQ(RecordFileAppend(handle.get(), index, 4), nullptr);
    EXPECT_EQ(handle->recordCount, 3);
    EXPECT_EQ(RecordFileDelete(handle.get(), 0), 1);
    EXPECT_EQ(RecordFileSetVersion(handle.get(), 9), 1);
    EXPECT_EQ(home.ReadFile("data/ro.ppc"), bytes);
    // The stream stays usable for reading after the refused changes.
    const uint8_t* record = nullptr;
    ASSERT_EQ(RecordFileRead(handle.get(), 2, record), 0);
    EXPECT_EQ(AsString(record, 4), PatternRecord(2, 4));
}

TEST(RecordFileRead, IndexesAbove65535AndPastTheEnd) {
    TempHome home;
    std::string bytes = HeaderBytes(1, "Star", 70000, 4);
    for (uint32_t i = 0; i < 70000; ++i) test::PutLe32(bytes, i * 2654435761u);
    home.WriteFile("data/stars.ppc", bytes);
    RecordFileHandle handle;
    ASSERT_EQ(RecordFileOpen(home.Dir(), "data/stars.ppc", 0, handle), 0);

    const uint8_t* record = nullptr;
    for (uint32_t i : {0u, 65535u, 65536u, 69999u}) {
        ASSERT_EQ(RecordFileRead(handle.get(), i, record), 0) << i;
        EXPECT_EQ(record, handle->buffer.data());
        EXPECT_EQ(ReadU32(record), i * 2654435761u) << i;
        EXPECT_EQ(ReadU32(RecordFileRead(handle.get(), i)), i * 2654435761u) << i;
    }
    EXPECT_EQ(RecordFileCount(handle.get()), uint16_t(70000 - 65536));

    // Past the end: a failure, and the buffer does not keep the previous record.
    ASSERT_EQ(RecordFileRead(handle.get(), 69999, record), 0);
    EXPECT_EQ(RecordFileRead(handle.get(), 70000, record), 1);
    EXPECT_EQ(ReadU32(handle->buffer.data()), 0u);
    EXPECT_EQ(RecordFileRead(handle.get(), 1000000, record), 1);
    EXPECT_EQ(RecordFileRead(nullptr, 0, record), 1);
    EXPECT_EQ(RecordFileRead(nullptr, 0), nullptr);
}

TEST(RecordFileRead, HalfRecordAtTheEndIsNotAValidRead) {
    TempHome home;
    home.WriteFile("data/cut.ppc", HeaderBytes(1, "Test", 2, 4) + "AAAABB");
    RecordFileHandle handle;
    ASSERT_EQ(RecordFileOpen(home.Dir(), "data/cut.ppc", 0, handle), 0);
    const uint8_t* record = nullptr;
    EXPECT_EQ(RecordFileRead(handle.get(), 1, record), 1);
    // The second form hands back the buffer regardless, but never the previous record.
    const uint8_t* direct = RecordFileRead(handle.get(), 1);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(AsString(direct, 4), std::string("BB\0\0", 4));
}

TEST(RecordFileRead, OffsetsBeyondTwoGigabytes) {
    // Record 65536 of 32768-byte records starts past 2^31: 32-bit offsets would wrap.
    TempHome home;
    const std::string path = home.Path("data/wide.ppc");
    home.WriteFile("data/wide.ppc", HeaderBytes(1, "Wide", 65537, 32768));
    const off_t last = off_t(16) + off_t(65536) * 32768;
    {
        std::FILE* f = std::fopen(path.c_str(), "rb+");
        ASSERT_NE(f, nullptr);
        // Sparse: only the header and the last record take room on disk.
        ASSERT_EQ(::ftruncate(::fileno(f), last + 32768), 0);
        ASSERT_EQ(::fseeko(f, last, SEEK_SET), 0);
        std::fwrite("last", 1, 4, f);
        std::fclose(f);
    }
    RecordFileHandle handle;
    ASSERT_EQ(RecordFileOpen(home.Dir(), "data/wide.ppc", 0, handle), 0);
    const uint8_t* record = nullptr;
    ASSERT_EQ(RecordFileRead(handle.get(), 65536, record), 0);
    EXPECT_EQ(AsString(record, 4), "last");
    ASSERT_EQ(RecordFileRead(handle.get(), 0, record), 0);
    EXPECT_EQ(AsString(record, 4), std::string(4, '\0'));
}

TEST(RecordFields, LittleEndianHelpers) {
    uint8_t b[8];
    WriteU16(b, 0xBEEF);
    EXPECT_EQ(AsString(b, 2), "\xEF\xBE");
    WriteI16(b, -2);
    EXPECT_EQ(AsString(b, 2), "\xFE\xFF");
    EXPECT_EQ(ReadI16(b), -2);
    WriteI32(b, -123456789);  // 0xF8A432EB
    EXPECT_EQ(AsString(b, 4), "\xEB\x32\xA4\xF8");
    EXPECT_EQ(ReadU32(b), 0xF8A432EBu);
    WriteF32(b, 1.5f);  // 0x3FC00000
    EXPECT_EQ(AsString(b, 4), std::string("\x00\x00\xC0\x3F", 4));
    WriteF64(b, -2.25);  // 0xC002000000000000
    EXPECT_EQ(AsString(b, 8), std::string("\0\0\0\0\0\0\x02\xC0", 8));
    EXPECT_EQ(ReadF64(b), -2.25);
    const uint8_t pi[4] = {0xDB, 0x0F, 0x49, 0x40};  // 3.14159274f
    EXPECT_FLOAT_EQ(ReadF32(pi), 3.14159274f);
}

}  // namespace
}  // namespace vsp
