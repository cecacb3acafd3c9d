// The emulated receiver read back by our reader (gpsd reads it in tests/indi), and an emulated
// mount served on a pseudo-terminal to a client that comes, goes and comes back.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>

#include <gtest/gtest.h>

#include "platform/PseudoTerminal.h"
#include "scope/EmulatorLoop.h"
#include "scope/GpsEmulator.h"
#include "scope/GpsFix.h"
#include "scope/Lx200Emulator.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

TEST(GpsEmulator, SendsOnePairEachSecondThatTheGpsCommandReads) {
    constexpr double kInstant = 1700000000;  // 2023-11-14 22:13:20 UTC
    GpsEmulator gps({-33.856784, -70.669312, 520.4}, "GN");
    std::string sent = gps.Advance(kInstant + 0.25);
    EXPECT_EQ(gps.Advance(kInstant + 0.9), "");
    EXPECT_NE(gps.Advance(kInstant + 1).find("$GNRMC,221321.00,A,"), std::string::npos);
    while (sent.size() < 1000) sent += sent;
    GpsFix fix;
    ASSERT_TRUE(ReadGpsFix([&](char* into, size_t most, int) { return sent.copy(into, most); }, 0, fix));
    EXPECT_NEAR(fix.latitudeDegrees, -33.856784, 1e-6);
    EXPECT_NEAR(fix.longitudeEastDegrees, -70.669312, 1e-6);
    EXPECT_EQ(fix.altitude, 520);
    EXPECT_EQ(fix.utc, "22:13:20");
    // Minutes that round up to a whole degree carry into it; a tiny longitude keeps its digits.
    EXPECT_EQ(GpsEmulator({45.99999999, 0.000001, 0}).Advance(0).substr(0, 43),
              "$GPGGA,000000.00,4600.00000,N,00000.00006,E");
}

// Sends a command and gives the reply, waiting (bounded, for a broken build only) for it.
std::string Ask(int fd, std::string_view command) {
    EXPECT_EQ(write(fd, command.data(), command.size()), ssize_t(command.size()));
    char reply[64];
    pollfd p{fd, POLLIN, 0};
    const ssize_t n = poll(&p, 1, 5000) == 1 ? read(fd, reply, sizeof reply) : 0;
    return std::string(reply, size_t(std::max<ssize_t>(n, 0)));
}

TEST(EmulatorLoop, SlewsInRealTimeServesAClientThatReopensAndEnds) {
    test::TempHome dir;
    const std::string link = dir.Path("lx200");
    PseudoTerminal port;
    ASSERT_TRUE(port.Open(link));
    Lx200Emulator mount;
    mount.PlaceAt({1.0, 10.0});
    const EmulatedDevice device{[&](std::string_view bytes) { return mount.Receive(bytes); },
                                [&](double, double elapsed) { return mount.Advance(elapsed), std::string(); }};
    std::atomic<bool> stop = false;
    auto served = std::async(std::launch::async, [&] {
        return ServeEmulatedDevice(port, device, std::nullopt, [&] { return stop.load(); });
    });
    int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    EXPECT_EQ(Ask(fd, "#:GR#"), "01:00.0#");
    for (const char* command : {":Sr 01:03.0#", ":Sd +10*30#"}) EXPECT_EQ(Ask(fd, command), "1");
    EXPECT_EQ(Ask(fd, "#:MS#"), "0");
    close(fd);
    fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    // One step of the mount's own time takes it there, once that much real time has passed.
    std::string ra;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ra != "01:03.0#" && std::chrono::steady_clock::now() < deadline) ra = Ask(fd, "#:GR#");
    EXPECT_EQ(ra + Ask(fd, ":GD#"), "01:03.0#+10*30#");
    close(fd);
    stop = true;
    EXPECT_EQ(served.get(), ServeEnd::Stopped);
    EXPECT_EQ(ServeEmulatedDevice(port, device, 0.2, [] { return false; }), ServeEnd::TimeUp);
}

}  // namespace
}  // namespace vsp
