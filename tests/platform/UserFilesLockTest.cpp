#include "platform/UserFilesLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/TempHome.h"

namespace vsp {
namespace {

using namespace std::chrono_literals;

// A child process that takes the lock, says so through a pipe, keeps it for `hold` and ends;
// -1 (the child reaped) when it could not take it.
pid_t HoldInChild(const ProgramDir& dir, std::chrono::milliseconds hold) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        UserFilesLock lock;
        std::string why;
        const bool held = lock.Acquire(dir, why, 0ms);
        (void)!write(ready[1], held ? "y" : "n", 1);
        std::this_thread::sleep_for(hold);
        _exit(held ? 0 : 1);
    }
    char answer = 0;
    (void)!read(ready[0], &answer, 1);
    close(ready[0]);
    close(ready[1]);
    if (answer == 'y') return pid;
    // Gone before the next try: the child shares this process's lock file while it lives.
    waitpid(pid, nullptr, 0);
    return -1;
}

int ExitOf(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(UserFilesLock, OneHolderAtATimeAcrossProcessesNestedWithinOne) {
    test::TempHome home;
    {
        UserFilesLock outer, inner;
        std::string why;
        ASSERT_TRUE(outer.Acquire(home.Dir(), why)) << why;
        EXPECT_TRUE(inner.Acquire(home.Dir(), why, 0ms));  // the same process: no wait on itself
        inner.Release();
        // Still held by `outer`: another process cannot have it.
        EXPECT_EQ(HoldInChild(home.Dir(), 0ms), -1);
    }
    // Released: a child takes it; while it holds it a bounded wait here fails, naming it.
    const pid_t holder = HoldInChild(home.Dir(), 1500ms);
    ASSERT_GT(holder, 0);
    UserFilesLock lock;
    std::string why;
    EXPECT_FALSE(lock.Acquire(home.Dir(), why, 100ms));
    EXPECT_NE(why.find("held by pid " + std::to_string(holder)), std::string::npos) << why;
    EXPECT_NE(why.find("nothing was changed"), std::string::npos) << why;
    // A longer wait outlasts the holder instead of failing at once.
    EXPECT_TRUE(lock.Acquire(home.Dir(), why, 10000ms)) << why;
    EXPECT_EQ(ExitOf(holder), 0);
}

}  // namespace
}  // namespace vsp
