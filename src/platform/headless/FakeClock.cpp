#include "platform/headless/FakeClock.h"

namespace vsp {

void FakeClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          int64_t deadlineMs, const std::function<bool()>& wake) {
    if (wake()) return;
    if (deadlineMs >= 0) {
        if (deadlineMs > now_.load()) now_ = deadlineMs;
        return;
    }
    cv.wait(lock, wake);
}

}  // namespace vsp
