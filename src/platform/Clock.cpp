#include "platform/Clock.h"

#include <chrono>

namespace vsp {

int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
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
