// Whole-file writes side by side and whole-file reads of inputs that are not regular files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

size_t FilesIn(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(ReplaceFile, WritersAtOnceEachPutTheirWholeFile) {
    test::TempHome home;
    const std::string path = home.Path("target.bin");
    std::vector<pid_t> writers;
    for (char fill : {'a', 'b', 'c', 'd'}) {
        const pid_t pid = fork();
        if (pid == 0) {
            const std::string block(8192, fill);
            bool ok = true;
            for (int round = 0; round < 50; ++round)
                ok = ReplaceFile(path, [&](std::FILE* f) {
                         // Two halves, so that a shared temporary file would come out spliced.
                         return std::fwrite(block.data(), 1, 4096, f) == 4096 && std::fflush(f) == 0 &&
                                std::fwrite(block.data(), 1, 4096, f) == 4096;
                     }) && ok;
            _exit(ok ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string content = home.ReadFile("target.bin");
    ASSERT_EQ(content.size(), 8192u);
    EXPECT_EQ(content, std::string(8192, content[0]));
    EXPECT_EQ(FilesIn(home.Root()), 1u);  // no temporary file left behind

    // A failed write leaves the earlier file and no temporary one.
    EXPECT_FALSE(ReplaceFile(path, [](std::FILE*) { return false; }));
    EXPECT_EQ(home.ReadFile("target.bin"), content);
    EXPECT_EQ(FilesIn(home.Root()), 1u);
}

TEST(ReplaceFile, CopyOnceKeepsAFileAlreadyThere) {
    test::TempHome home;
    home.WriteFile("shipped", "shipped");
    home.WriteFile("copies/changed", "the user's");
    EXPECT_TRUE(CopyFileOnce(home.Path("shipped"), home.Path("copies/changed")));
    EXPECT_EQ(home.ReadFile("copies/changed"), "the user's");
    EXPECT_TRUE(CopyFileOnce(home.Path("shipped"), home.Path("copies/new")));
    EXPECT_EQ(home.ReadFile("copies/new"), "shipped");
    EXPECT_FALSE(CopyFileOnce(home.Path("missing"), home.Path("copies/other")));
    EXPECT_EQ(FilesIn(home.Path("copies")), 2u);
}

TEST(ReadWholeFile, ReadsRegularFilesWithinTheLimitAndRefusesTheRestAtOnce) {
    test::TempHome home;
    home.WriteFile("five", "12345");
    std::string text;
    EXPECT_EQ(ReadWholeFile(home.Path("five"), 5, text), FileReadResult::Read);
    EXPECT_EQ(text, "12345");
    EXPECT_EQ(ReadWholeFile(home.Path("five"), 3, text), FileReadResult::TooLarge);
    EXPECT_EQ(text, "123");
    EXPECT_EQ(ReadWholeFile(home.Path("missing"), 5, text), FileReadResult::Unreadable);

    // A FIFO without a writer would block a plain read for ever; /dev/zero never ends.
    ASSERT_EQ(mkfifo(home.Path("fifo").c_str(), 0600), 0);
    for (const std::string& path : {home.Root(), home.Path("fifo"), std::string("/dev/zero")}) {
        EXPECT_EQ(ReadWholeFile(path, 1 << 20, text), FileReadResult::NotRegular) << path;
        EXPECT_TRUE(text.empty());
    }
}

}  // namespace
}  // namespace vsp
