#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/headless/FakeClock.h"

namespace vsp {
namespace {

struct Recorder : EventHandler {
    void HandleEvent(const Event& e) override {
        events.push_back(e);
        if (onEvent) onEvent(e);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const Event& e : events)
            out.push_back(e.kind == EventKind::Timer     ? "timer " + std::to_string(e.window) + "/" + std::to_string(e.timerId)
                          : e.kind == EventKind::Command ? "cmd " + std::to_string(e.command)
                          : e.kind == EventKind::Tap     ? "tap"
                          : e.kind == EventKind::Key     ? "key"
                                                         : "raise");
        return out;
    }
    std::vector<Event> events;
    std::function<void(const Event&)> onEvent;
};

struct EventLoopTest : ::testing::Test {
    FakeClock clock{1000};
    EventLoop loop{clock};
    Recorder rec;
};

TEST_F(EventLoopTest, PostedEventsComeInOrderBeforeTimersAndQuitWaitsForThem) {
    loop.SetTimer(5, 1, 10);
    clock.Advance(10);
    loop.PostCommand(9900, 1950);
    loop.PostQuit(7);
    loop.PostTap(3, 4, TapPhase::Down);
    loop.PostRaise();
    EXPECT_EQ(loop.Run(rec), 7);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 9900", "tap", "raise"}));
    EXPECT_EQ(std::pair(rec.events[0].param, rec.events[1].x), std::pair(int64_t(1950), 3));
    rec.events.clear();
    loop.PostCommand(1);
    loop.RunPending(rec);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 1", "timer 5/1"}));
}

TEST_F(EventLoopTest, TimersFireOnTheirPeriodPerWindowAndOnceWhenBehind) {
    loop.SetTimer(5, 1, 250);
    loop.SetTimer(6, 1, 1000);
    loop.SetTimer(5, 2, 100);
    EXPECT_TRUE(loop.KillTimer(5, 2));
    EXPECT_FALSE(loop.KillTimer(5, 2));
    EXPECT_FALSE(loop.RunUntil(rec, 1249).has_value());
    EXPECT_TRUE(rec.events.empty());
    loop.RunUntil(rec, 2000);
    // At 2000 both are due; the tie goes to the older timer.
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"timer 5/1", "timer 5/1", "timer 5/1", "timer 5/1", "timer 6/1"}));
    loop.SetTimer(5, 1, 300);  // same id: restarted with the new period
    loop.KillTimers(6);
    clock.Advance(1000);
    rec.events.clear();
    loop.RunPending(rec);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"timer 5/1"}));
    rec.onEvent = [&](const Event& e) { loop.KillTimer(e.window, e.timerId); };  // a handler stops its own timer
    loop.RunUntil(rec, clock.NowMs() + 10000);
    EXPECT_EQ(rec.events.size(), 2u);
    EXPECT_FALSE(loop.HasTimer(5, 1));
}

TEST_F(EventLoopTest, ScriptedInputArrivesAtItsTimeAndStopsALongComputation) {
    Event key;
    key.kind = EventKind::Key;
    loop.PostAfter(500, key);
    loop.PostCommand(42);
    EXPECT_FALSE(loop.InputPending());  // a command is not input, nor input not yet due
    clock.Advance(500);
    EXPECT_TRUE(loop.InputPending());
    loop.RunPending(rec);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 42", "key"}));

    int steps = 0;  // a handler that works in steps and polls for input between them
    rec.onEvent = [&](const Event& e) {
        while (e.kind == EventKind::Command && !loop.InputPending() && steps < 1000)
            if (++steps == 10) loop.PostTap(1, 1, TapPhase::Down);
    };
    loop.PostCommand(1);
    loop.RunPending(rec);
    EXPECT_EQ(steps, 10);
}

// Run blocks for real while the queue is empty: only the other threads' posts can wake it.
TEST_F(EventLoopTest, PostsAndQuitFromOtherThreadsArriveInOrder) {
    constexpr int kThreads = 4, kEach = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] { for (int i = 0; i < kEach; ++i) loop.PostCommand(t, i); });
    std::thread quitter([&] {
        for (auto& th : threads) th.join();
        loop.PostQuit(3);
    });
    EXPECT_EQ(loop.Run(rec), 3);
    quitter.join();
    ASSERT_EQ(rec.events.size(), size_t(kThreads * kEach));
    std::vector<int64_t> last(kThreads, -1);
    for (const Event& e : rec.events) {
        EXPECT_EQ(e.param, last[size_t(e.command)] + 1);
        last[size_t(e.command)] = e.param;
    }
}

}  // namespace
}  // namespace vsp
