#pragma once
// The time base of the event loop. Tests replace it with a clock they move themselves.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace vsp {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale (only differences matter).
    virtual int64_t NowMs() const = 0;
    // Called with `lock` held on the mutex that guards `wake`. Returns when `wake()` is true,
    // when the clock reaches `deadlineMs` (a negative deadline means none), or spuriously.
    virtual void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           int64_t deadlineMs, const std::function<bool()>& wake) = 0;
};

class SteadyClock : public Clock {
public:
    int64_t NowMs() const override;
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   int64_t deadlineMs, const std::function<bool()>& wake) override;
};

}  // namespace vsp
