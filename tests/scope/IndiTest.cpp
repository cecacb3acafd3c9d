// The INDI client against servers that misbehave: each connect must fail within its time-outs
// with the message that tells what went wrong, never hang.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "platform/TcpSocket.h"
#include "scope/IndiProtocol.h"

namespace vsp {
namespace {

using std::chrono::steady_clock;

// Serves one client: sends `reply` once it asked for the properties of "A&B" (escaped), then
// closes at once when
// `close` is set, else holds the connection until the client goes.
struct FakeServer {
    FakeServer(std::string reply, bool close) {
        listener = TcpListen({"127.0.0.1", 0});
        port = TcpLocalPort(listener);
        thread = std::thread([this, reply = std::move(reply), close] {
            const int client = TcpAccept(listener, 5000);
            char buffer[4096];
            if (client < 0 || !WaitReadable(client, 5000)) return;
            const ssize_t got = read(client, buffer, sizeof buffer);
            const std::string asked(buffer, size_t(std::max<ssize_t>(got, 0)));
            if (asked.find("<getProperties version=\"1.7\" device=\"A&amp;B\"/>") != std::string::npos)
                SendAll(client, reply, 1000);
            if (!close)
                while (WaitReadable(client, 20000) && read(client, buffer, sizeof buffer) > 0) {}
            ::close(client);
        });
    }
    ~FakeServer() {
        thread.join();
        ::close(listener);
    }
    int listener = -1, port = 0;
    std::thread thread;
};

struct Outcome {
    bool connected;
    double seconds;
    RecordingInfoSink sink;
};

Outcome ConnectTo(const std::string& reply, bool close) {
    FakeServer server(reply, close);
    Outcome outcome{};
    IndiConnection connection;
    const auto start = steady_clock::now();
    outcome.connected = ConnectIndiDevice(connection, "indi://127.0.0.1:" + std::to_string(server.port) + "/A%26B",
                                          "EQUATORIAL_EOD_COORD", outcome.sink);
    outcome.seconds = std::chrono::duration<double>(steady_clock::now() - start).count();
    connection.Close();
    return outcome;
}

TEST(IndiClient, MisbehavingServersFailInBoundedTimeWithTheirMessage) {
    // The device "A&B" is escaped on the way out and read back from the server's own escapes.
    const std::string connected =
        "<defSwitchVector device=\"A&amp;B\" name=\"CONNECTION\" state=\"Ok\" rule=\"OneOfMany\">"
        "<defSwitch name=\"CONNECT\">On</defSwitch><defSwitch name=\"DISCONNECT\">Off</defSwitch>"
        "</defSwitchVector>\n<message device=\"A&amp;B\" message=\"2026-12-08T08:20:01: [INFO] online\"/>"
        "<message device=\"A&amp;B\" message=\"2026-12-08T08:20:02: [WARNING] mount &lt;1&gt; slow\"/>";
    struct Case {
        const char* what;
        std::string reply;
        bool close;
        std::string message;
        double most;  // seconds
    };
    const Case cases[] = {
        {"silent", "", false, std::string(indi_text::kNoAnswer), indi_time::kPropertiesMs / 1000.0 + 1},
        {"closes mid-reply", "<defSwitchVector device=\"A&amp;B\" name=\"CONNECTION\"><defSw", true,
         std::string(indi_text::kLost), 1},
        {"never defines the mount", connected, false, std::string(indi_text::kNoProperties),
         indi_time::kDeviceMs / 1000.0 + 1},
    };
    std::vector<std::future<Outcome>> runs;
    for (const Case& c : cases) runs.push_back(std::async(std::launch::async, ConnectTo, c.reply, c.close));
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome outcome = runs[i].get();
        const Case& c = cases[i];
        EXPECT_FALSE(outcome.connected) << c.what;
        EXPECT_LE(outcome.seconds, c.most) << c.what;
        ASSERT_FALSE(outcome.sink.messages.empty()) << c.what;
        EXPECT_EQ(outcome.sink.messages.back(), std::make_pair(c.message, std::string("A&B"))) << c.what;
        if (c.reply == connected) {
            // The driver's warning is a box, its news only progress.
            EXPECT_EQ(outcome.sink.messages.front().first, "[WARNING] mount <1> slow");
            ASSERT_FALSE(outcome.sink.progress.empty());
            EXPECT_EQ(outcome.sink.progress.front().second, "[INFO] online");
        }
    }
}

}  // namespace
}  // namespace vsp
