#include "platform/PowerWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vsp {

namespace {

int64_t ClockMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

int64_t ClockResumeDetector::SuspendedMs() {
    return ClockMs(CLOCK_BOOTTIME) - ClockMs(CLOCK_MONOTONIC);
}

PowerWatcher::PowerWatcher(std::function<void()> onResume,
                           std::unique_ptr<ResumeDetector> detector)
    : onResume_(std::move(onResume)), detector_(std::move(detector)) {
    if (!detector_) detector_ = std::make_unique<ClockResumeDetector>();
}

PowerWatcher::~PowerWatcher() { Stop(); }

bool PowerWatcher::Start() {
    if (Running()) return true;
    stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd_ < 0) return false;
    try {
        worker_ = std::thread(&PowerWatcher::Watch, this);
    } catch (const std::system_error&) {
        close(stopFd_);
        stopFd_ = -1;
        return false;
    }
    return true;
}

void PowerWatcher::Stop() {
    if (!Running()) return;
    const uint64_t one = 1;
    // An eventfd write of 1 can only fail on counter overflow, which a single signal cannot
    // reach; retry on interruption so the join below cannot wait forever.
    while (write(stopFd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    worker_.join();
    close(stopFd_);
    stopFd_ = -1;
}

void PowerWatcher::Watch() {
    int64_t last = detector_->SuspendedMs();
    pollfd stop{stopFd_, POLLIN, 0};
    for (;;) {
        stop.revents = 0;
        int ready = poll(&stop, 1, detector_->PollPeriodMs());
        if (ready < 0 && errno != EINTR) return;  // the event is gone: nothing left to wait on
        if (ready > 0) return;                    // stop signalled
        int64_t now = detector_->SuspendedMs();
        if (now - last > kResumeThresholdMs && onResume_) onResume_();
        last = now;
    }
}

}  // namespace vsp
