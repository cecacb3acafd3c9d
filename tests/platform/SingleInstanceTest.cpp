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

namespace vsp {
namespace {

namespace fs = std::filesystem;

struct SingleInstanceTest : ::testing::Test {
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

TEST_F(SingleInstanceTest, LaterCopiesRaiseTheFirstOnceHoweverTheDirectoryIsSpelled) {
    {
        SingleInstance first;
        ASSERT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);
        EXPECT_TRUE(fs::is_socket(SocketFile()));
        EXPECT_FALSE(first.TakeRaiseRequest());  // nothing asked yet, and it must not block
        fs::create_directory(root_ / "sub");
        // Each its own open of the lock file: flock conflicts even in-process.
        SingleInstance second, third;
        EXPECT_EQ(second.Acquire(ProgramDir(root_ / "sub" / "..")), InstanceResult::AnotherRunning);
        EXPECT_EQ(third.Acquire(Dir()), InstanceResult::AnotherRunning);
        EXPECT_LT(second.RaiseRequestFd(), 0);
        EXPECT_TRUE(ReceiveRaise(first));
        EXPECT_FALSE(first.TakeRaiseRequest());  // two requests, one raise

        // Requests other than a raise are ignored.
        const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strcpy(addr.sun_path, SocketFile().c_str());
        ASSERT_EQ(sendto(fd, "quit\n", 5, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 5);
        close(fd);
        EXPECT_FALSE(ReceiveRaise(first));
        EXPECT_EQ(first.Acquire(Dir()), InstanceResult::Acquired);  // asking again is harmless
    }
    EXPECT_FALSE(fs::exists(SocketFile()));  // released on destruction
    SingleInstance next;
    EXPECT_EQ(next.Acquire(Dir()), InstanceResult::Acquired);
    SingleInstance absent;
    EXPECT_EQ(absent.Acquire(ProgramDir(root_ / "absent")), InstanceResult::Failed);
    EXPECT_FALSE(absent.TakeRaiseRequest());
}

// A directory path too long for a socket file name still gets a working raise channel.
TEST_F(SingleInstanceTest, LongDirectoryUsesAnAbstractName) {
    fs::path deep = root_;
    while (deep.string().size() < 150) deep /= "a-rather-long-folder-name";
    fs::create_directories(deep);
    const ProgramDir dir(deep);
    const std::string address = SingleInstanceAddress(dir.Root());
    ASSERT_EQ(address.substr(0, 1), std::string(1, '\0'));
    EXPECT_LT(address.size(), sizeof(sockaddr_un::sun_path));

    SingleInstance first, second;
    ASSERT_EQ(first.Acquire(dir), InstanceResult::Acquired);
    EXPECT_FALSE(fs::exists(deep / "vespertar.sock"));
    EXPECT_EQ(second.Acquire(dir), InstanceResult::AnotherRunning);
    EXPECT_TRUE(ReceiveRaise(first));
    // A sibling folder with an equally long name gets an address of its own.
    EXPECT_NE(SingleInstanceAddress((deep.parent_path() / "b-rather-long-folder-name/").string()), address);
}

// A copy in another process that dies without cleaning up leaves its socket file; the lock
// dies with it, and the next first copy takes over the address.
TEST_F(SingleInstanceTest, CrashedHolderLeavesAStaleSocketThatDoesNotBlock) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance holder;
        (void)!write(ready[1], holder.Acquire(Dir()) == InstanceResult::Acquired ? "A" : "x", 1);
        for (;;) pause();
    }
    char result = 0;
    ASSERT_EQ(read(ready[0], &result, 1), 1);
    EXPECT_EQ(result, 'A');
    {
        SingleInstance whileAlive;
        EXPECT_EQ(whileAlive.Acquire(Dir()), InstanceResult::AnotherRunning);
    }
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    ASSERT_TRUE(fs::is_socket(SocketFile()));  // left behind

    SingleInstance next, later;
    ASSERT_EQ(next.Acquire(Dir()), InstanceResult::Acquired);
    EXPECT_EQ(later.Acquire(Dir()), InstanceResult::AnotherRunning);
    EXPECT_TRUE(ReceiveRaise(next));
}

}  // namespace
}  // namespace vsp
