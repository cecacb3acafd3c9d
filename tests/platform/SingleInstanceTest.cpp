#include "platform/SingleInstance.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace vsp {
namespace {

namespace fs = std::filesystem;

class SingleInstanceTest : public ::testing::Test {
protected:
    const ProgramDir& Dir() const { return home_.Dir(); }
    fs::path SocketFile() const { return root_ / "vespertar.sock"; }

    test::TempHome home_;
    fs::path root_{home_.Root()};
};

// Waits (bounded, for a broken build only) until a request is readable, then takes it.
bool ReceiveRaise(SingleInstance& instance) {
    pollfd p{instance.RaiseRequestFd(), POLLIN, 0};
    if (p.fd < 0 || poll(&p, 1, 20000) != 1) return false;
    return instance.TakeRaiseRequest();
}

TEST_F(SingleInstanceTest, SecondCopyRaisesTheFirstOnce) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);
    EXPECT_TRUE(fs::exists(root_ / "vespertar.lock"));
    EXPECT_TRUE(fs::is_socket(SocketFile()));
    ASSERT_GE(first.RaiseRequestFd(), 0);
    EXPECT_FALSE(first.TakeRaiseRequest());  // nothing asked yet, and it must not block

    SingleInstance second;  // its own open of the lock file: flock conflicts even in-process
    EXPECT_EQ(second.Acquire(Dir()), InstanceResult::AnotherRunning);
    EXPECT_LT(second.RaiseRequestFd(), 0);
    EXPECT_TRUE(ReceiveRaise(first));
    EXPECT_FALSE(first.TakeRaiseRequest());

    // Several copies started before the first looks give one raise.
    SingleInstance third, fourth;
    EXPECT_EQ(third.Acquire(Dir()), InstanceResult::AnotherRunning);
    EXPECT_EQ(fourth.Acquire(Dir()), InstanceResult::AnotherRunning);
    EXPECT_TRUE(ReceiveRaise(first));
    EXPECT_FALSE(first.TakeRaiseRequest());

    EXPECT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);  // asking again is harmless
}

TEST_F(SingleInstanceTest, ReleasedOnDestructionAndSpellingOfTheDirectoryDoesNotMatter) {
    {
        SingleInstance first;
        ASSERT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);
        fs::create_directory(root_ / "sub");
        SingleInstance viaOtherSpelling;
        EXPECT_EQ(viaOtherSpelling.Acquire(ProgramDir((root_ / "sub" / "..").string())),
                  InstanceResult::AnotherRunning);
        EXPECT_TRUE(ReceiveRaise(first));
    }
    EXPECT_FALSE(fs::exists(SocketFile()));
    SingleInstance next;
    EXPECT_EQ(next.Acquire(Dir()), InstanceResult::Acquired);
}

TEST_F(SingleInstanceTest, IgnoresUnknownRequests) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);
    int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::string path = SocketFile().string();
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(sendto(fd, "quit\n", 5, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 5);
    close(fd);
    pollfd p{first.RaiseRequestFd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 20000), 1);
    EXPECT_FALSE(first.TakeRaiseRequest());
}

TEST_F(SingleInstanceTest, MissingDirectoryFails) {
    SingleInstance instance;
    EXPECT_EQ(instance.Acquire(ProgramDir((root_ / "absent").string())), InstanceResult::Failed);
    EXPECT_LT(instance.RaiseRequestFd(), 0);
    EXPECT_FALSE(instance.TakeRaiseRequest());
}

// A directory path too long for a socket file name still gets a working raise channel.
TEST_F(SingleInstanceTest, LongDirectoryUsesAnAbstractName) {
    fs::path deep = root_;
    while (deep.string().size() < 150) deep /= "a-rather-long-folder-name";
    fs::create_directories(deep);
    ProgramDir dir(deep.string());

    std::string address = SingleInstanceAddress(dir.Root());
    ASSERT_FALSE(address.empty());
    EXPECT_EQ(address[0], '\0');
    EXPECT_LT(address.size(), sizeof(sockaddr_un::sun_path));
    EXPECT_NE(SingleInstanceAddress(root_.string() + "/other/"), address);

    SingleInstance first;
    ASSERT_EQ(first.Acquire(dir), InstanceResult::Acquired);
    EXPECT_FALSE(fs::exists(deep / "vespertar.sock"));
    SingleInstance second;
    EXPECT_EQ(second.Acquire(dir), InstanceResult::AnotherRunning);
    EXPECT_TRUE(ReceiveRaise(first));

    // A copy in a sibling folder with an equally long name is independent.
    fs::path sibling = deep.parent_path() / "b-rather-long-folder-name";
    fs::create_directories(sibling);
    SingleInstance elsewhere;
    EXPECT_EQ(elsewhere.Acquire(ProgramDir(sibling.string())), InstanceResult::Acquired);
    EXPECT_FALSE(first.TakeRaiseRequest());
}

TEST_F(SingleInstanceTest, SecondProcessRaisesTheFirst) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance second;
        _exit(second.Acquire(Dir()) == InstanceResult::AnotherRunning ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(ReceiveRaise(first));
}

// A copy that dies without cleaning up leaves its socket file; the lock dies with it, and the
// next first copy takes over the address.
TEST_F(SingleInstanceTest, CrashedHolderLeavesAStaleSocketThatDoesNotBlock) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        SingleInstance holder;
        char result = holder.Acquire(Dir()) == InstanceResult::Acquired ? 'A' : 'x';
        (void)!write(ready[1], &result, 1);
        for (;;) pause();
    }
    close(ready[1]);
    char result = 0;
    ASSERT_EQ(read(ready[0], &result, 1), 1);
    close(ready[0]);
    EXPECT_EQ(result, 'A');
    {
        SingleInstance whileAlive;
        EXPECT_EQ(whileAlive.Acquire(Dir()), InstanceResult::AnotherRunning);
    }
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(fs::is_socket(SocketFile()));  // left behind

    SingleInstance next;
    ASSERT_EQ(next.Acquire(Dir()), InstanceResult::Acquired);
    SingleInstance later;
    EXPECT_EQ(later.Acquire(Dir()), InstanceResult::AnotherRunning);
    EXPECT_TRUE(ReceiveRaise(next));
}

}  // namespace
}  // namespace vsp
