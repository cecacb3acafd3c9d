// The device end of an emulator: a pseudo-terminal behind a symlink, or a terminal device
// served in its place, with the test as the client.

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/PseudoTerminal.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

namespace fs = std::filesystem;

// Reads until something other than a quiet line comes, for at most a few seconds.
PortRead Next(PseudoTerminal& port, std::string& into) {
    PortRead read = PortRead::Quiet;
    for (int i = 0; i < 100 && read == PortRead::Quiet; ++i) read = port.Read(into, 50);
    return read;
}

TEST(PseudoTerminal, ServesClientsOfItsSymlinkRawBothWaysAgainAfterAClose) {
    test::TempHome dir;
    const std::string link = dir.Path("mount");
    PseudoTerminal port;
    ASSERT_TRUE(port.Open(link));
    EXPECT_EQ(fs::read_symlink(link), port.DevicePath());
    std::string got;
    EXPECT_EQ(port.Read(got, 20), PortRead::NoClient);
    for (int client = 0; client < 2; ++client) {
        const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(port.Read(got, 50), PortRead::Quiet);  // a silent client: the wait ends
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        ASSERT_EQ(write(fd, ":GR#\n", 5), 5);
        EXPECT_EQ(Next(port, got), PortRead::Bytes);
        EXPECT_TRUE(port.Write("12:34:56#\r\n", 100));
        char reply[16] = {};
        EXPECT_EQ(read(fd, reply, sizeof reply), 11);  // no echo came first, no line end changed
        EXPECT_STREQ(reply, "12:34:56#\r\n");
        close(fd);
        EXPECT_EQ(Next(port, got), PortRead::NoClient);
    }
    EXPECT_EQ(got, ":GR#\n:GR#\n");
    port.Close();
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(PseudoTerminal, ReplacesOnlyADanglingSymlinkAndServesAnExistingTerminal) {
    test::TempHome dir;
    dir.WriteFile("notes.txt", "keep");
    PseudoTerminal port;
    EXPECT_FALSE(port.Open(dir.Path("notes.txt")));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(dir.ReadFile("notes.txt"), "keep");
    fs::create_symlink("/dev/pts/no-such-device", dir.Path("stale"));
    EXPECT_TRUE(port.Open(dir.Path("stale")));

    int other = -1, device = -1;
    char name[256];
    ASSERT_EQ(openpty(&other, &device, name, nullptr, nullptr), 0);
    ASSERT_TRUE(port.Open(name));
    EXPECT_FALSE(fs::exists(dir.Path("stale")));  // the first one's link went with it
    ASSERT_EQ(write(other, "$GP", 3), 3);
    std::string got;
    EXPECT_EQ(Next(port, got), PortRead::Bytes);
    EXPECT_EQ(got, "$GP");
    close(other);
    EXPECT_EQ(Next(port, got), PortRead::Failed);  // the line hung up
    close(device);
}

}  // namespace
}  // namespace vsp
