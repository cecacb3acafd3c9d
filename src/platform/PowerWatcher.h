#pragma once
// The power watcher: a worker thread that tells the user-interface thread when the machine has
// come back from suspend. It waits on its stop event and on the resume detector; it shares
// nothing with the rest of the program except the callback it was given, so it needs no lock.

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace vsp {

// Source of the time the machine has spent suspended. A resume shows up as a jump of the total.
class ResumeDetector {
public:
    virtual ~ResumeDetector() = default;
    // Total milliseconds spent suspended since boot (only differences matter).
    virtual int64_t SuspendedMs() = 0;
    // How long the watcher sleeps between two looks, in milliseconds.
    virtual int PollPeriodMs() const = 0;
};

// CLOCK_BOOTTIME keeps running while suspended and CLOCK_MONOTONIC does not, so their
// difference grows by exactly the time spent asleep. Needs no D-Bus and no privileges.
class ClockResumeDetector : public ResumeDetector {
public:
    int64_t SuspendedMs() override;
    int PollPeriodMs() const override { return 2000; }
};

class PowerWatcher {
public:
    // A growth of the suspended total above this between two looks counts as a resume;
    // smaller steps are scheduling noise.
    static constexpr int64_t kResumeThresholdMs = 1000;

    // `onResume` runs on the worker thread. A null detector means ClockResumeDetector.
    explicit PowerWatcher(std::function<void()> onResume,
                          std::unique_ptr<ResumeDetector> detector = nullptr);
    ~PowerWatcher();
    PowerWatcher(const PowerWatcher&) = delete;
    PowerWatcher& operator=(const PowerWatcher&) = delete;

    // Creates the stop event and starts the thread. True when running afterwards (a second
    // Start while running does nothing and answers true).
    bool Start();
    // Signals the stop event, waits for the thread without a time limit, closes the event.
    // Safe when not running.
    void Stop();
    bool Running() const { return worker_.joinable(); }

private:
    void Watch();

    std::function<void()> onResume_;
    std::unique_ptr<ResumeDetector> detector_;
    std::thread worker_;
    int stopFd_ = -1;
};

}  // namespace vsp
