#include "platform/EventLoop.h"

#include <algorithm>
#include <limits>

namespace vsp {

void EventLoop::Post(const Event& event) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(event);
    }
    cv_.notify_all();
}

void EventLoop::PostCommand(int command, int64_t param) {
    Event e;
    e.kind = EventKind::Command;
    e.command = command;
    e.param = param;
    Post(e);
}

void EventLoop::PostQuit(int code) {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        quitCode_ = code;
    }
    cv_.notify_all();
}

void EventLoop::PostRaise() {
    Event e;
    e.kind = EventKind::Raise;
    Post(e);
}

void EventLoop::PostPaint() {
    Event e;
    e.kind = EventKind::Paint;
    Post(e);
}

void EventLoop::PostScreenChanged() {
    Event e;
    e.kind = EventKind::ScreenChanged;
    Post(e);
}

void EventLoop::PostTap(int x, int y, TapPhase phase) {
    Event e;
    e.kind = EventKind::Tap;
    e.x = x;
    e.y = y;
    e.phase = phase;
    Post(e);
}

void EventLoop::PostKey(const KeyPress& key) {
    Event e;
    e.kind = EventKind::Key;
    e.key = key;
    Post(e);
}

void EventLoop::PostKeyUp(const KeyPress& key) {
    Event e;
    e.kind = EventKind::KeyUp;
    e.key = key;
    Post(e);
}

void EventLoop::PostAfter(int64_t delayMs, const Event& event) {
    {
        std::lock_guard lock(mutex_);
        delayed_.push_back(Delayed{clock_.NowMs() + std::max<int64_t>(0, delayMs), delayedOrder_++, event});
    }
    cv_.notify_all();
}

void EventLoop::SetTimer(WindowHandle window, int id, uint32_t periodMs) {
    std::lock_guard lock(mutex_);
    const int64_t due = clock_.NowMs() + periodMs;
    for (Timer& t : timers_) {
        if (t.window == window && t.id == id) {
            t.periodMs = periodMs;
            t.dueMs = due;
            return;
        }
    }
    timers_.push_back(Timer{window, id, periodMs, due});
}

bool EventLoop::KillTimer(WindowHandle window, int id) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    return true;
}

void EventLoop::KillTimers(WindowHandle window) {
    std::lock_guard lock(mutex_);
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

bool EventLoop::HasTimer(WindowHandle window, int id) const {
    std::lock_guard lock(mutex_);
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.window == window && t.id == id; });
}

static bool IsInput(const Event& e) { return e.kind == EventKind::Tap || e.kind == EventKind::Key; }

bool EventLoop::InputPending() const {
    if (inputPump_) inputPump_();
    std::lock_guard lock(mutex_);
    if (std::any_of(queue_.begin(), queue_.end(), IsInput)) return true;
    const int64_t now = clock_.NowMs();
    return std::any_of(delayed_.begin(), delayed_.end(),
                       [&](const Delayed& d) { return d.dueMs <= now && IsInput(d.event); });
}

bool EventLoop::QuitPending() const {
    std::lock_guard lock(mutex_);
    return quit_;
}

bool EventLoop::TakeReady(int64_t now, Event& out) {
    // Scripted input whose time has come joins the queue in the order it was scheduled.
    std::vector<Delayed> due;
    for (auto it = delayed_.begin(); it != delayed_.end();) {
        if (it->dueMs <= now) {
            due.push_back(*it);
            it = delayed_.erase(it);
        } else {
            ++it;
        }
    }
    std::sort(due.begin(), due.end(), [](const Delayed& a, const Delayed& b) {
        return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.order < b.order;
    });
    for (const Delayed& d : due) queue_.push_back(d.event);

    if (!queue_.empty()) {
        out = queue_.front();
        queue_.pop_front();
        return true;
    }
    if (quit_) return false;
    Timer* next = nullptr;
    for (Timer& t : timers_) {
        if (t.dueMs <= now && (!next || t.dueMs < next->dueMs)) next = &t;
    }
    if (!next) return false;
    next->dueMs = now + std::max<uint32_t>(1, next->periodMs);
    out = Event{};
    out.kind = EventKind::Timer;
    out.window = next->window;
    out.timerId = next->id;
    return true;
}

int64_t EventLoop::NextDeadline() const {
    int64_t next = std::numeric_limits<int64_t>::max();
    for (const Timer& t : timers_) next = std::min(next, t.dueMs);
    for (const Delayed& d : delayed_) next = std::min(next, d.dueMs);
    return next == std::numeric_limits<int64_t>::max() ? -1 : next;
}

std::optional<int> EventLoop::Loop(EventHandler& handler, std::optional<int64_t> untilMs) {
    std::unique_lock lock(mutex_);
    for (;;) {
        Event event;
        if (TakeReady(clock_.NowMs(), event)) {
            lock.unlock();
            handler.HandleEvent(event);
            lock.lock();
            continue;
        }
        if (quit_) {
            quit_ = false;
            return quitCode_;
        }
        int64_t deadline = NextDeadline();
        if (untilMs) {
            if (clock_.NowMs() >= *untilMs) return std::nullopt;
            deadline = deadline < 0 ? *untilMs : std::min(deadline, *untilMs);
        }
        clock_.WaitUntil(lock, cv_, deadline, [this] { return !queue_.empty() || quit_; });
    }
}

int EventLoop::Run(EventHandler& handler) { return *Loop(handler, std::nullopt); }

std::optional<int> EventLoop::RunUntil(EventHandler& handler, int64_t untilMs) {
    return Loop(handler, untilMs);
}

}  // namespace vsp
