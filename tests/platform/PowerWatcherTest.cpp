#include "platform/PowerWatcher.h"

#include <gtest/gtest.h>
#include <time.h>

#include <condition_variable>
#include <fstream>
#include <future>
#include <mutex>

namespace vsp {
namespace {

using namespace std::chrono_literals;

constexpr auto kPatience = 20s;  // reached only when the code under test is broken

// What the worker sees and does, under one lock; each look and resume wakes the waiting test.
struct Watch {
    std::mutex m;
    std::condition_variable changed;
    int64_t suspendedMs = 0;
    int looks = 0, resumes = 0, periodMs = 1;

    void Add(int64_t ms) {
        std::lock_guard lock(m);
        suspendedMs += ms;
    }
    // Waits until the worker has looked and reported resumes at least this often.
    bool Wait(int minLooks, int minResumes) {
        std::unique_lock lock(m);
        return changed.wait_for(lock, kPatience, [&] { return looks >= minLooks && resumes >= minResumes; });
    }
    // Waits for `more` looks of the worker; answers how many resumes it has reported by then.
    int ResumesAfterLooks(int more) {
        std::unique_lock lock(m);
        const int target = looks + more;
        return changed.wait_for(lock, kPatience, [&] { return looks >= target; }) ? resumes : -1;
    }
};

struct FakeDetector : ResumeDetector {
    explicit FakeDetector(Watch& watch) : watch(watch) {}
    int64_t SuspendedMs() override {
        std::lock_guard lock(watch.m);
        ++watch.looks;
        watch.changed.notify_all();
        return watch.suspendedMs;
    }
    int PollPeriodMs() const override { return watch.periodMs; }
    Watch& watch;
};

struct Watched {
    Watch watch;
    void Resumed() {
        std::lock_guard lock(watch.m);
        ++watch.resumes;
        watch.changed.notify_all();
    }
    PowerWatcher watcher{[this] { Resumed(); }, std::make_unique<FakeDetector>(watch)};
};

TEST(PowerWatcher, AJumpAboveTheThresholdIsOneResumeAndARestartTakesTheTotalAsItsStart) {
    Watched w;
    w.watcher.Stop();  // before any Start: harmless
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(w.watcher.Start());  // a second Start runs no second worker
    EXPECT_EQ(w.watch.ResumesAfterLooks(2), 0);
    w.watch.Add(400);  // scheduling noise
    EXPECT_EQ(w.watch.ResumesAfterLooks(2), 0);
    w.watch.Add(PowerWatcher::kResumeThresholdMs);  // exactly the threshold
    EXPECT_EQ(w.watch.ResumesAfterLooks(2), 0);

    w.watch.Add(45 * 60 * 1000);
    ASSERT_TRUE(w.watch.Wait(0, 1));
    // Later looks see no new growth; a second worker would have reported the jump too.
    EXPECT_EQ(w.watch.ResumesAfterLooks(4), 1);
    w.watch.Add(5000);
    ASSERT_TRUE(w.watch.Wait(0, 2));
    w.watcher.Stop();
    EXPECT_FALSE(w.watcher.Running());
    w.watcher.Stop();  // twice is harmless
    w.watch.Add(60000);  // while stopped
    ASSERT_TRUE(w.watcher.Start());
    EXPECT_EQ(w.watch.ResumesAfterLooks(2), 2);
    w.watch.Add(60000);
    EXPECT_TRUE(w.watch.Wait(0, 3));
}

// With an hour between looks, only the stop event can end the worker's wait.
TEST(PowerWatcher, StopWakesAWorkerInALongWait) {
    Watched w;
    w.watch.periodMs = 3600 * 1000;
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(w.watch.Wait(1, 0));  // the worker now waits an hour for its next
    auto stopped = std::async(std::launch::async, [&] { w.watcher.Stop(); });
    ASSERT_EQ(stopped.wait_for(kPatience), std::future_status::ready);
    EXPECT_FALSE(w.watcher.Running());
}

// Stop joins: a callback already running finishes before Stop returns.
TEST(PowerWatcher, StopWaitsForARunningCallback) {
    Watch watch;
    std::promise<void> entered, release;
    std::atomic<int> finished{0};
    PowerWatcher watcher(
        [&, releasedFuture = release.get_future().share()] {
            entered.set_value();
            releasedFuture.wait();
            finished.fetch_add(1);
        },
        std::make_unique<FakeDetector>(watch));
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(watch.Wait(1, 0));
    watch.Add(10000);
    ASSERT_EQ(entered.get_future().wait_for(kPatience), std::future_status::ready);
    auto releaser = std::async(std::launch::async, [&] { release.set_value(); });
    watcher.Stop();
    EXPECT_EQ(finished.load(), 1);
}

// The real detector agrees with the kernel's own uptime (which counts suspended time) minus
// the monotonic clock (which does not).
TEST(ClockResumeDetector, MatchesUptimeMinusMonotonic) {
    ClockResumeDetector detector;
    double uptimeSeconds = 0;
    ASSERT_TRUE(std::ifstream("/proc/uptime") >> uptimeSeconds);
    timespec mono{};
    clock_gettime(CLOCK_MONOTONIC, &mono);
    const double expectedMs = uptimeSeconds * 1000.0 - (mono.tv_sec * 1000.0 + mono.tv_nsec / 1e6);
    const int64_t suspended = detector.SuspendedMs();
    // /proc/uptime has 10 ms steps; allow for them and for the time between the reads.
    EXPECT_NEAR(double(suspended), expectedMs, 100.0);
    EXPECT_LE(detector.SuspendedMs() - suspended, PowerWatcher::kResumeThresholdMs);
}

}  // namespace
}  // namespace vsp
