#include "scope/Lx200Server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "ephemeris/Constants.h"
#include "platform/TcpSocket.h"
#include "scope/Lx200Emulator.h"

namespace vsp {

namespace {

// A reading that moved more than this since the last one is taken as a mount in motion.
constexpr double kStillDegrees = 1.0 / 3600;
constexpr int kReplyTimeoutMs = 1000;
// The mount is read at most this often; a serial mount takes longer for one reading.
constexpr auto kReadPeriod = std::chrono::milliseconds(250);

// The dispatcher's mount, worked by a thread of its own: a reading through a serial mount takes
// longer than an LX200 client waits for a reply, so the client's reads are answered from the
// latest reading, which the thread renews between the operations the clients queue.
class MountWorker {
public:
    explicit MountWorker(ScopeDispatcher& dispatcher) : dispatcher_(dispatcher), thread_([this] { Run(); }) {}
    // The operations queued are done before the thread ends.
    ~MountWorker() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void Queue(std::function<void(ScopeDispatcher&)> operation) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(operation));
        }
        wake_.notify_all();
    }
    EquatorialPosition Position() {
        std::lock_guard lock(mutex_);
        return position_;
    }
    bool Moving() {
        std::lock_guard lock(mutex_);
        return moving_;
    }
    // Until the next reading: the place the mount was synced to.
    void Synced(EquatorialPosition position) {
        std::lock_guard lock(mutex_);
        position_ = position;
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        auto nextRead = std::chrono::steady_clock::now();
        for (;;) {
            if (!queue_.empty()) {
                auto operation = std::move(queue_.front());
                queue_.pop_front();
                lock.unlock();
                operation(dispatcher_);
                lock.lock();
                continue;
            }
            if (quit_) return;
            if (std::chrono::steady_clock::now() < nextRead) {
                wake_.wait_until(lock, nextRead);
                continue;
            }
            nextRead = std::chrono::steady_clock::now() + kReadPeriod;
            lock.unlock();
            EquatorialPosition now;
            const bool read = dispatcher_.ScopeGetPosition(now);  // a failure is told through the messages
            lock.lock();
            if (read) Take(now);
        }
    }
    void Take(EquatorialPosition now) {
        const double raDegrees = std::remainder((now.raHours - position_.raHours) * 15, 360.0);
        moving_ = std::hypot(raDegrees * std::cos(now.decDegrees * kDegToRad), now.decDegrees - position_.decDegrees) >
                  kStillDegrees;
        position_ = now;
    }

    ScopeDispatcher& dispatcher_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(ScopeDispatcher&)>> queue_;
    EquatorialPosition position_;
    bool moving_ = false;
    bool quit_ = false;
    std::thread thread_;  // last: started once the rest is there
};

// The commands of the clients, sent to the worker's mount. A goto is taken at once ("0"): the
// mount's own answer comes later than a client waits, and a refusal is told through the
// messages.
class DispatchedMount : public Lx200Mount {
public:
    explicit DispatchedMount(MountWorker& worker) : worker_(worker) {}

    EquatorialPosition Position() override { return worker_.Position(); }
    bool Moving() override { return worker_.Moving(); }
    void Goto(EquatorialPosition target) override {
        // A negative mode takes the place as given: it is already of date.
        worker_.Queue([target](ScopeDispatcher& d) { d.ScopeGoto(target, -1); });
    }
    void Sync(EquatorialPosition position) override {
        worker_.Synced(position);
        worker_.Queue([position](ScopeDispatcher& d) { d.ScopeSync(position); });
    }
    void SetRate(ScopeRate rate) override {
        worker_.Queue([rate](ScopeDispatcher& d) { d.ScopeSetRate(rate); });
    }
    void Move(ScopeDirection direction) override {
        moving_ = true;
        worker_.Queue([direction](ScopeDispatcher& d) { d.ScopeMove(direction); });
    }
    void StopAxis(ScopeDirection direction) override {
        worker_.Queue([direction](ScopeDispatcher& d) { d.ScopeStopAxis(direction); });
    }
    void Stop() override {
        moving_ = false;
        worker_.Queue([](ScopeDispatcher& d) { d.ScopeStop(); });
    }
    // A client gone in the middle of a command, or while a motion it started (which, unlike a
    // goto, has no end of its own) runs, leaves no mount moving.
    void ClientGone(bool midCommand) {
        if (moving_ || midCommand) Stop();
    }

private:
    MountWorker& worker_;
    bool moving_ = false;  // a motion since the last stop
};

using Clock = std::chrono::steady_clock;

// The milliseconds left before `end` (none: a step), at most a step.
int StepMs(std::optional<Clock::time_point> end) {
    if (!end) return kServeStepMs;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*end - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, kServeStepMs));
}

// Serves one client until it goes or the serving ends; false when the serving ends.
bool ServeClient(int client, DispatchedMount& mount, Lx200Precision& precision,
                 std::optional<Clock::time_point> end, const std::function<bool()>& stop) {
    Lx200Emulator commands(precision, &mount);
    bool serving = true;
    for (;;) {
        if (stop() || (end && Clock::now() >= *end)) {
            serving = false;
            break;
        }
        if (!WaitReadable(client, StepMs(end))) continue;
        char bytes[512];
        const ssize_t n = recv(client, bytes, sizeof bytes, MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) break;  // the client went
        const std::string reply = commands.Receive(std::string_view(bytes, size_t(n)));
        if (!reply.empty() && !SendAll(client, reply, kReplyTimeoutMs)) break;
    }
    precision = commands.Precision();  // the next client finds the mount as this one left it
    mount.ClientGone(commands.MidCommand());
    return serving;
}

}  // namespace

ServeEnd ServeLx200(int listenFd, ScopeDispatcher& dispatcher, std::optional<double> seconds,
                    const std::function<bool()>& stop) {
    std::optional<Clock::time_point> end;
    if (seconds) end = Clock::now() + std::chrono::milliseconds(std::llround(*seconds * 1000));
    MountWorker worker(dispatcher);
    DispatchedMount mount(worker);
    Lx200Precision precision = Lx200Precision::Short;
    while (!stop()) {
        if (end && Clock::now() >= *end) return ServeEnd::TimeUp;
        const int client = TcpAccept(listenFd, StepMs(end));
        if (client < 0) continue;
        const bool serving = ServeClient(client, mount, precision, end, stop);
        close(client);
        if (!serving) return stop() ? ServeEnd::Stopped : ServeEnd::TimeUp;
    }
    return ServeEnd::Stopped;
}

}  // namespace vsp
