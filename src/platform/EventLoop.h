#pragma once
// The message loop of the user-interface thread: posted commands, quit, stylus and key input,
// "come forward" requests and window timers. Posting is safe from any thread (the power
// watcher posts from its own); timers and running belong to the user-interface thread.
//
// Order of delivery: posted events and input in arrival order; a pending quit ends the loop
// once they are all handled; timers come last, and a timer that fell behind fires once.

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <condition_variable>
#include <vector>

#include "platform/Clock.h"
#include "platform/FormWindow.h"
#include "platform/Input.h"

namespace vsp {

// Paint: the backend lost the main window's picture and wants it drawn again. KeyUp: a key
// was let go (forms that act while a key is held end the action on it). ScreenChanged: the
// display's capabilities changed (a window resized to another scale); forms are laid out again.
enum class EventKind { Command, Timer, Tap, Key, KeyUp, Raise, Paint, ScreenChanged };

struct Event {
    EventKind kind = EventKind::Command;
    int command = 0;
    int64_t param = 0;
    WindowHandle window = kNoWindow;  // timer owner
    int timerId = 0;
    int x = 0;
    int y = 0;
    TapPhase phase = TapPhase::Down;
    KeyPress key;
};

class EventHandler {
public:
    virtual ~EventHandler() = default;
    virtual void HandleEvent(const Event& event) = 0;
};

class EventLoop {
public:
    explicit EventLoop(Clock& clock) : clock_(clock) {}
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    Clock& GetClock() { return clock_; }

    // Any thread.
    void PostCommand(int command, int64_t param = 0);
    void PostQuit(int code);
    void PostRaise();
    void PostPaint();
    void PostScreenChanged();
    void PostTap(int x, int y, TapPhase phase);
    void PostKey(const KeyPress& key);
    void PostKeyUp(const KeyPress& key);
    // Delivers `event` once the clock has advanced by `delayMs` (scripted input).
    void PostAfter(int64_t delayMs, const Event& event);

    // User-interface thread. Setting an existing (window, id) timer restarts it.
    void SetTimer(WindowHandle window, int id, uint32_t periodMs);
    bool KillTimer(WindowHandle window, int id);
    void KillTimers(WindowHandle window);
    bool HasTimer(WindowHandle window, int id) const;

    // True when a tap or a key waits (long computations poll this to stop early). A window
    // backend whose input can only be read on its own thread sets a pump that moves waiting
    // input into the loop; InputPending runs it first.
    bool InputPending() const;
    void SetInputPump(std::function<void()> pump) { inputPump_ = std::move(pump); }
    bool QuitPending() const;

    // Runs until the quit request; answers its code.
    int Run(EventHandler& handler);
    // Runs until quit (answers the code) or until the clock reaches `untilMs` with nothing
    // left to do before it (answers nothing).
    std::optional<int> RunUntil(EventHandler& handler, int64_t untilMs);
    // Handles what is ready now without waiting.
    std::optional<int> RunPending(EventHandler& handler) { return RunUntil(handler, clock_.NowMs()); }

private:
    struct Timer {
        WindowHandle window;
        int id;
        uint32_t periodMs;
        int64_t dueMs;
    };
    struct Delayed {
        int64_t dueMs;
        uint64_t order;
        Event event;
    };

    void Post(const Event& event);
    std::optional<int> Loop(EventHandler& handler, std::optional<int64_t> untilMs);
    // With the lock held: the next thing to do, if anything is ready at `now`.
    bool TakeReady(int64_t now, Event& out);
    int64_t NextDeadline() const;

    Clock& clock_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<Event> queue_;
    std::vector<Delayed> delayed_;
    uint64_t delayedOrder_ = 0;
    std::vector<Timer> timers_;
    bool quit_ = false;
    int quitCode_ = 0;
    std::function<void()> inputPump_;
};

}  // namespace vsp
