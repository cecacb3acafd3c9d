#include <gtest/gtest.h>

#include <atomic>
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
        for (const Event& e : events) {
            switch (e.kind) {
                case EventKind::Command: out.push_back("cmd " + std::to_string(e.command)); break;
                case EventKind::Timer:
                    out.push_back("timer " + std::to_string(e.window) + "/" + std::to_string(e.timerId));
                    break;
                case EventKind::Tap: out.push_back("tap"); break;
                case EventKind::Key: out.push_back("key"); break;
                case EventKind::Raise: out.push_back("raise"); break;
                case EventKind::Paint: out.push_back("paint"); break;
            }
        }
        return out;
    }
    std::vector<Event> events;
    std::function<void(const Event&)> onEvent;
};

class EventLoopTest : public ::testing::Test {
protected:
    FakeClock clock{1000};
    EventLoop loop{clock};
    Recorder rec;
};

TEST_F(EventLoopTest, PostedEventsComeInOrderAndQuitWaitsForThem) {
    loop.PostCommand(9900, 1950);
    loop.PostQuit(7);
    loop.PostTap(3, 4, TapPhase::Down);
    loop.PostRaise();
    EXPECT_EQ(loop.Run(rec), 7);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 9900", "tap", "raise"}));
    EXPECT_EQ(rec.events[0].param, 1950);
    EXPECT_EQ(rec.events[1].x, 3);
    EXPECT_FALSE(loop.QuitPending());
}

TEST_F(EventLoopTest, TimersFireOnTheirPeriodAndPerWindow) {
    loop.SetTimer(5, 1, 250);
    loop.SetTimer(6, 1, 1000);
    EXPECT_FALSE(loop.RunUntil(rec, 1249).has_value());
    EXPECT_TRUE(rec.events.empty());
    loop.RunUntil(rec, 2000);
    // At 2000 both are due; the tie goes to the older timer.
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"timer 5/1", "timer 5/1", "timer 5/1", "timer 5/1",
                                                     "timer 6/1"}));
    EXPECT_EQ(clock.NowMs(), 2000);
}

TEST_F(EventLoopTest, KilledAndReplacedTimers) {
    loop.SetTimer(5, 1, 100);
    loop.SetTimer(5, 2, 100);
    EXPECT_TRUE(loop.KillTimer(5, 2));
    EXPECT_FALSE(loop.KillTimer(5, 2));
    loop.SetTimer(5, 1, 300);  // same id: restarted with the new period
    loop.RunUntil(rec, 1650);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"timer 5/1", "timer 5/1"}));
    loop.KillTimers(5);
    EXPECT_FALSE(loop.HasTimer(5, 1));
    loop.RunUntil(rec, 5000);
    EXPECT_EQ(rec.events.size(), 2u);
}

TEST_F(EventLoopTest, ATimerThatFellBehindFiresOnce) {
    loop.SetTimer(5, 1, 100);
    clock.Advance(1000);
    loop.RunPending(rec);
    EXPECT_EQ(rec.events.size(), 1u);
    loop.RunUntil(rec, 2100);
    EXPECT_EQ(rec.events.size(), 2u);
}

TEST_F(EventLoopTest, PostedWorkGoesBeforeDueTimers) {
    loop.SetTimer(5, 1, 10);
    clock.Advance(10);
    loop.PostCommand(1);
    loop.RunPending(rec);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 1", "timer 5/1"}));
}

TEST_F(EventLoopTest, HandlerMayStopItsOwnTimer) {
    loop.SetTimer(5, 1, 100);
    rec.onEvent = [&](const Event& e) {
        if (e.kind == EventKind::Timer) loop.KillTimer(e.window, e.timerId);
    };
    loop.RunUntil(rec, 10000);
    EXPECT_EQ(rec.events.size(), 1u);
}

TEST_F(EventLoopTest, ScriptedInputArrivesAtItsTimeAndIsSeenByThePoll) {
    Event key;
    key.kind = EventKind::Key;
    key.key = KeyPress{kKeyDown};
    loop.PostAfter(500, key);
    EXPECT_FALSE(loop.InputPending());
    loop.PostCommand(42);
    EXPECT_FALSE(loop.InputPending());  // a command is not input
    clock.Advance(500);
    EXPECT_TRUE(loop.InputPending());
    loop.RunPending(rec);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 42", "key"}));
    EXPECT_FALSE(loop.InputPending());
}

TEST_F(EventLoopTest, LongComputationStopsOnATap) {
    // A handler that works in steps and polls for input between them.
    int steps = 0;
    rec.onEvent = [&](const Event& e) {
        if (e.kind != EventKind::Command) return;
        while (!loop.InputPending() && steps < 1000) {
            ++steps;
            if (steps == 10) loop.PostTap(1, 1, TapPhase::Down);
        }
    };
    loop.PostCommand(1);
    loop.RunPending(rec);
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"cmd 1", "tap"}));
}

TEST_F(EventLoopTest, PostsFromOtherThreadsAllArriveAndWakeTheLoop) {
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::atomic<int> received{0};
    rec.onEvent = [&](const Event&) {
        if (++received == kThreads * kEach) loop.PostQuit(3);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) loop.PostCommand(t, i);
        });
    }
    // Run blocks for real when the queue is empty: nothing else would end it.
    EXPECT_EQ(loop.Run(rec), 3);
    for (auto& th : threads) th.join();
    // Each thread's posts keep their order.
    std::vector<int64_t> last(kThreads, -1);
    for (const Event& e : rec.events) {
        EXPECT_EQ(e.param, last[size_t(e.command)] + 1);
        last[size_t(e.command)] = e.param;
    }
}

TEST_F(EventLoopTest, QuitFromAnotherThreadEndsABlockedRun) {
    std::thread quitter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        loop.PostQuit(9);
    });
    EXPECT_EQ(loop.Run(rec), 9);
    quitter.join();
}

}  // namespace
}  // namespace vsp
