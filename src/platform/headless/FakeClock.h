#pragma once
// A clock that moves only when told, or when the event loop waits for its next deadline (the
// wait then jumps straight to it). A wait without a deadline blocks until something is
// posted, so posts from other threads still work.

#include <atomic>

#include "platform/Clock.h"

namespace vsp {

class FakeClock : public Clock {
public:
    explicit FakeClock(int64_t startMs = 0) : now_(startMs) {}
    int64_t NowMs() const override { return now_.load(); }
    void Advance(int64_t ms) { now_ += ms; }
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   int64_t deadlineMs, const std::function<bool()>& wake) override;

private:
    std::atomic<int64_t> now_;
};

}  // namespace vsp
