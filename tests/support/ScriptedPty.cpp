#include "support/ScriptedPty.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>

namespace vsp::test {

ScriptedPty::ScriptedPty(Answer answer) : answer_(std::move(answer)) {
    char name[256];
    EXPECT_EQ(openpty(&device_, &held_, name, nullptr, nullptr), 0);
    path_ = name;
    thread_ = std::thread([this] { Serve(); });
}

ScriptedPty::~ScriptedPty() {
    stop_ = true;
    thread_.join();
    close(device_);
    close(held_);
}

std::string ScriptedPty::Wire(size_t bytes) {
    for (int wait = 0;; ++wait) {
        std::unique_lock lock(mutex_);
        if (wire_.size() >= bytes || wait == 200) return wire_;
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ScriptedPty::Serve() {
    std::string command;
    while (!stop_) {
        pollfd p{device_, POLLIN, 0};
        char byte;
        if (poll(&p, 1, 20) != 1 || read(device_, &byte, 1) != 1) continue;
        {
            std::lock_guard lock(mutex_);
            wire_ += byte;
        }
        command += byte;
        const std::string reply = answer_(command);
        if (!reply.empty()) {
            EXPECT_EQ(write(device_, reply.data(), reply.size()), ssize_t(reply.size()));
        }
    }
}

ScriptedController::ScriptedController(Script script)
    : ScriptedPty([script = std::move(script), next = size_t(0)](std::string& command) mutable {
          if (next == script.size() || !command.ends_with(script[next].first)) return std::string();
          command.clear();
          return script[next++].second;
      }) {}

}  // namespace vsp::test
