#pragma once
// A dispatcher on a link whose pauses are skipped, at a fixed moment, telling its messages to a
// recording sink: the drive and port are chosen per test.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "scope/ScopeDispatcher.h"

namespace vsp::test {

using Messages = std::vector<std::pair<std::string, std::string>>;

struct DispatcherFixture : ::testing::Test {
    ScopeDispatcher& Dispatcher(const std::string& path, int drive) {
        prefs_.scopeDrive = drive;
        prefs_.scopePort = link_.Ports().Add(path);
        return dispatcher_;
    }
    static ScopeMoment Moment() { return {{2024, 4, 8, 22, 0, 0}, {}, {0, 0, nullptr}}; }
    // Lets the port go, as the end of a run does, so that the next case opens it afresh.
    void Release() {
        link_.SetKeepOpen(0);
        link_.SerialClose();
    }

    Preferences prefs_;
    RecordingInfoSink sink_;
    SerialLink link_{prefs_, sink_, PortList(), [](int) {}};
    Alignment alignment_;
    ScopeDispatcher dispatcher_{prefs_, sink_, link_, alignment_, Moment};
};

}  // namespace vsp::test
