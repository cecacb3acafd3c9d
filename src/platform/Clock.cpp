#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace vsp {

int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

CalendarDateTime LocalClockTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalendarDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                            local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
}

void SteadyClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                            int64_t deadlineMs, const std::function<bool()>& wake) {
    if (deadlineMs < 0) {
        cv.wait(lock, wake);
        return;
    }
    using namespace std::chrono;
    const auto deadline = steady_clock::time_point(milliseconds(deadlineMs));
    cv.wait_until(lock, deadline, wake);
}

}  // namespace vsp
