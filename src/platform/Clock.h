#pragma once
// The time base of the event loop (tests replace it with a clock they move themselves), and the
// one reader of the local civil clock.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "ephemeris/Time.h"

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

// The system's local date and time to the whole second, in the zone of the environment (TZ). A
// leap second reads as :59 of its minute, so the fields are always a clock the program shows.
CalendarDateTime LocalClockTime();

class SteadyClock : public Clock {
public:
    int64_t NowMs() const override;
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   int64_t deadlineMs, const std::function<bool()>& wake) override;
};

}  // namespace vsp
