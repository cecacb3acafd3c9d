#include "platform/TcpSocket.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

namespace vsp {
namespace {

TEST(TcpSocketTest, AddressesAsUsersTypeThem) {
    struct Case {
        const char* text;
        const char* host;
        int port;
    };
    for (const Case& c : {Case{"192.168.0.10:4030", "192.168.0.10", 4030}, Case{"skyfi.local", "skyfi.local", 7624},
                          Case{"[::1]:11880", "::1", 11880}, Case{":2947", "", 2947}, Case{"fe80::1", "fe80::1", 7624}}) {
        const auto address = ParseTcpAddress(c.text, 7624);
        ASSERT_TRUE(address) << c.text;
        EXPECT_EQ(address->host, c.host) << c.text;
        EXPECT_EQ(address->port, c.port) << c.text;
    }
    for (const char* bad : {"", "host:", "host:0", "host:65536", "host:40x", "[::1", "a b:1", "host:-1"})
        EXPECT_FALSE(ParseTcpAddress(bad, 7624)) << bad;
}

TEST(TcpSocketTest, ConnectsSendsAndTellsARefusal) {
    const int server = TcpListen({"127.0.0.1", 0});
    ASSERT_GE(server, 0);
    const int port = TcpLocalPort(server);
    const int client = TcpConnect({"127.0.0.1", port}, 1000);
    ASSERT_GE(client, 0);
    const int accepted = TcpAccept(server, 1000);
    ASSERT_GE(accepted, 0);
    ASSERT_TRUE(SendAll(client, ":GR#", 1000));
    ASSERT_TRUE(WaitReadable(accepted, 1000));
    char got[8] = {};
    EXPECT_EQ(read(accepted, got, sizeof got), 4);
    EXPECT_STREQ(got, ":GR#");
    EXPECT_FALSE(WaitReadable(accepted, 50));  // nothing more came
    close(accepted);
    close(client);
    close(server);
    // The port is free again: nobody listens there.
    EXPECT_EQ(TcpConnect({"127.0.0.1", port}, 1000), -1);
    EXPECT_EQ(errno, ECONNREFUSED);
    const int idle = TcpListen({"127.0.0.1", 0});
    EXPECT_EQ(TcpAccept(idle, 20), -1);
    close(idle);
}

}  // namespace
}  // namespace vsp
