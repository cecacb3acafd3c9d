#include "platform/PowerWatcher.h"

#include <gtest/gtest.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <future>
#include <mutex>

namespace vsp {
namespace {

using namespace std::chrono_literals;

// Generous bound for waiting on the worker; only reached when the code under test is broken.
constexpr auto kPatience = 20s;

// Reports whatever suspended total the test sets, and counts how often it was asked so the
// test can wait for the worker to have looked again without sleeping blindly.
class FakeDetector : public ResumeDetector {
public:
    struct Shared {
        std::atomic<int64_t> suspendedMs{0};
        std::atomic<int> reads{0};
        int periodMs = 5;
    };
    explicit FakeDetector(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    int64_t SuspendedMs() override {
        shared_->reads.fetch_add(1);
        return shared_->suspendedMs.load();
    }
    int PollPeriodMs() const override { return shared_->periodMs; }

private:
    std::shared_ptr<Shared> shared_;
};

template <typename Predicate>
bool WaitFor(Predicate done) {
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Waits until the worker has taken `count` more looks than it had when called.
bool WaitForMoreReads(const FakeDetector::Shared& shared, int count) {
    int target = shared.reads.load() + count;
    return WaitFor([&] { return shared.reads.load() >= target; });
}

struct Watched {
    std::shared_ptr<FakeDetector::Shared> shared = std::make_shared<FakeDetector::Shared>();
    std::atomic<int> resumes{0};
    PowerWatcher watcher{[this] { resumes.fetch_add(1); },
                         std::make_unique<FakeDetector>(shared)};
};

TEST(PowerWatcher, ResumeJumpCallsBackOnceAndSmallStepsDoNot) {
    Watched w;
    ASSERT_TRUE(w.watcher.Start());
    EXPECT_TRUE(w.watcher.Running());
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 2));

    // Below the threshold: ordinary jitter, not a resume.
    w.shared->suspendedMs += 400;
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 3));
    w.shared->suspendedMs += PowerWatcher::kResumeThresholdMs;  // exactly the threshold
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 3));
    EXPECT_EQ(w.resumes.load(), 0);

    // A 45-minute sleep.
    w.shared->suspendedMs += 45 * 60 * 1000;
    ASSERT_TRUE(WaitFor([&] { return w.resumes.load() >= 1; }));
    // Later looks see no new growth: the same resume is not reported again.
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 5));
    EXPECT_EQ(w.resumes.load(), 1);

    // A second suspend is a second resume.
    w.shared->suspendedMs += 5000;
    ASSERT_TRUE(WaitFor([&] { return w.resumes.load() >= 2; }));
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 3));
    EXPECT_EQ(w.resumes.load(), 2);
    w.watcher.Stop();
    EXPECT_FALSE(w.watcher.Running());
}

TEST(PowerWatcher, StartTwiceRunsOneWorker) {
    Watched w;
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 4));
    w.shared->suspendedMs += 10000;
    ASSERT_TRUE(WaitFor([&] { return w.resumes.load() >= 1; }));
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 6));
    // A second worker would have seen the same jump and reported it too.
    EXPECT_EQ(w.resumes.load(), 1);
}

TEST(PowerWatcher, StopWithoutStartAndTwiceIsHarmless) {
    Watched w;
    w.watcher.Stop();
    EXPECT_FALSE(w.watcher.Running());
    ASSERT_TRUE(w.watcher.Start());
    w.watcher.Stop();
    w.watcher.Stop();
    EXPECT_FALSE(w.watcher.Running());
}

TEST(PowerWatcher, RestartsAfterStop) {
    Watched w;
    ASSERT_TRUE(w.watcher.Start());
    w.watcher.Stop();
    // The jump happens while stopped; the new worker takes it as its starting point.
    w.shared->suspendedMs += 60000;
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(WaitForMoreReads(*w.shared, 3));
    EXPECT_EQ(w.resumes.load(), 0);
    w.shared->suspendedMs += 60000;
    ASSERT_TRUE(WaitFor([&] { return w.resumes.load() >= 1; }));
}

// The stop event must wake the worker: with an hour between looks, only the event can end it.
TEST(PowerWatcher, StopWakesAWorkerInALongWait) {
    Watched w;
    w.shared->periodMs = 3600 * 1000;
    ASSERT_TRUE(w.watcher.Start());
    ASSERT_TRUE(WaitFor([&] { return w.shared->reads.load() >= 1; }));
    auto stopped = std::async(std::launch::async, [&] { w.watcher.Stop(); });
    ASSERT_EQ(stopped.wait_for(kPatience), std::future_status::ready);
    EXPECT_FALSE(w.watcher.Running());
}

// Stop joins: a callback already running finishes before Stop returns, and none starts after.
TEST(PowerWatcher, NoCallbackRunsAfterStopReturns) {
    auto shared = std::make_shared<FakeDetector::Shared>();
    std::mutex m;
    std::condition_variable cv;
    bool entered = false, release = false;
    std::atomic<int> finished{0};
    PowerWatcher watcher(
        [&] {
            std::unique_lock lock(m);
            entered = true;
            cv.notify_all();
            cv.wait(lock, [&] { return release; });
            finished.fetch_add(1);
        },
        std::make_unique<FakeDetector>(shared));
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(WaitForMoreReads(*shared, 2));  // past the worker's starting look
    shared->suspendedMs += 10000;
    {
        std::unique_lock lock(m);
        ASSERT_TRUE(cv.wait_for(lock, kPatience, [&] { return entered; }));
    }
    auto releaser = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(50ms);
        std::lock_guard lock(m);
        release = true;
        cv.notify_all();
    });
    watcher.Stop();
    EXPECT_EQ(finished.load(), 1);
    int readsAtStop = shared->reads.load();
    shared->suspendedMs += 10000;
    releaser.wait();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(shared->reads.load(), readsAtStop);
    EXPECT_EQ(finished.load(), 1);
}

TEST(PowerWatcher, DestructorStopsTheWorker) {
    auto shared = std::make_shared<FakeDetector::Shared>();
    std::atomic<int> resumes{0};
    {
        PowerWatcher watcher([&] { resumes.fetch_add(1); }, std::make_unique<FakeDetector>(shared));
        ASSERT_TRUE(watcher.Start());
        ASSERT_TRUE(WaitForMoreReads(*shared, 1));
    }
    // Had the thread outlived the watcher, the next look would use a dead detector.
    int reads = shared->reads.load();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(shared->reads.load(), reads);
}

// The real detector agrees with the kernel's own uptime (which counts suspended time) minus
// the monotonic clock (which does not).
TEST(ClockResumeDetector, MatchesUptimeMinusMonotonic) {
    ClockResumeDetector detector;
    std::ifstream uptimeFile("/proc/uptime");
    double uptimeSeconds = 0;
    ASSERT_TRUE(uptimeFile >> uptimeSeconds);
    timespec mono{};
    clock_gettime(CLOCK_MONOTONIC, &mono);
    double expectedMs = uptimeSeconds * 1000.0 - (mono.tv_sec * 1000.0 + mono.tv_nsec / 1e6);
    int64_t suspended = detector.SuspendedMs();
    EXPECT_GE(suspended, 0);
    // /proc/uptime has 10 ms steps; allow for them and for the time between the reads.
    EXPECT_NEAR(double(suspended), expectedMs, 100.0);
    EXPECT_LE(detector.SuspendedMs() - suspended, PowerWatcher::kResumeThresholdMs);
    EXPECT_GT(detector.PollPeriodMs(), 0);
}

}  // namespace
}  // namespace vsp
