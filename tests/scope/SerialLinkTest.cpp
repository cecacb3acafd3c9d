// The serial link over a pseudo-terminal: the link opens the device end by name, the test
// plays the device on the other end.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <tuple>

#include "scope/SerialLink.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

struct SerialLinkTest : ::testing::Test {
    SerialLinkTest() {
        char name[256];
        EXPECT_EQ(openpty(&device_, &held_, name, nullptr, nullptr), 0);
        path_ = name;
        port_ = link_.Ports().Add(path_);
    }
    ~SerialLinkTest() override {
        if (device_ >= 0) close(device_);
        close(held_);
    }
    // What the link sent, waiting (bounded, for a broken build only) for it.
    std::string Sent() {
        char bytes[64];
        pollfd p{device_, POLLIN, 0};
        const ssize_t n = poll(&p, 1, 5000) == 1 ? read(device_, bytes, sizeof bytes) : 0;
        return std::string(bytes, size_t(std::max<ssize_t>(n, 0)));
    }
    void Reply(std::string_view bytes) {
        ASSERT_EQ(write(device_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    termios Line() const {
        termios t{};
        tcgetattr(held_, &t);
        return t;
    }

    Preferences prefs_;
    RecordingInfoSink sink_;
    std::vector<int> pauses_;
    SerialLink link_{prefs_, sink_, PortList(), [this](int ms) { pauses_.push_back(ms); }};
    int device_ = -1, held_ = -1, port_ = 0;
    std::string path_;
};

TEST_F(SerialLinkTest, OpensOnceThenSendsAfterDiscardingStaleInputAndPausesForTheDrive) {
    ASSERT_EQ(link_.SerialOpen(port_, 19200), 1);
    EXPECT_EQ(link_.SerialOpen(port_, 9600), 1);  // already open: no second settle
    const termios line = Line();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B19200));
    EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));

    Reply("stale#");
    prefs_.scopeDrive = 8;
    const auto start = steady_clock::now();
    ASSERT_EQ(link_.SerialSend(":GR#"), 1);
    // The line counts as quiet only after a read has waited its time-out in vain.
    EXPECT_GE(steady_clock::now() - start, milliseconds(400));
    EXPECT_EQ(Sent(), ":GR#");
    Reply("12:34:56#");
    char reply[9];
    EXPECT_EQ(std::string(reply, size_t(link_.SerialRead(reply, 9))), "12:34:56#");

    for (auto [drive, delay] : {std::pair{19, 0}, {2, 0}, {20, 3}}) {
        prefs_.scopeDrive = drive;
        prefs_.sendDelay = delay;
        EXPECT_EQ(link_.SerialSend("#"), 1);
    }
    EXPECT_EQ(pauses_, (std::vector<int>{3500, 250, 166, 125, 300}));
}

TEST_F(SerialLinkTest, ASilentDeviceCostsNoMoreThanTheReadTimeOut) {
    ASSERT_EQ(link_.SerialOpen(port_, 9600), 1);
    // Silence costs the total time-out; a short reply ends one interval after its last byte.
    using Case = std::tuple<std::string_view, int, int>;  // sent, bytes asked for, time-out
    for (auto [sent, maximum, timeOutMs] : {Case{"", 8, 408}, Case{"AB", 1200, 400}}) {
        Reply(sent);
        std::string reply(size_t(maximum), '\0');
        const auto start = steady_clock::now();
        EXPECT_EQ(link_.SerialRead(reply.data(), maximum), int(sent.size()));
        const auto spent = steady_clock::now() - start;
        EXPECT_GE(spent, milliseconds(400));
        EXPECT_LE(spent, milliseconds(timeOutMs + 1000));
    }
}

// A device that never falls quiet: the send still goes out (a hang here ends in ctest's
// time-out).
TEST_F(SerialLinkTest, ABabblingDeviceDoesNotHoldTheSend) {
    ASSERT_EQ(link_.SerialOpen(port_, 19200), 1);
    std::atomic<bool> stop = false;
    std::thread babbler([&] {
        const std::string burst(64, 'x');
        while (!stop) {
            pollfd p{device_, POLLOUT, 0};
            if (poll(&p, 1, 50) == 1 && write(device_, burst.data(), burst.size()) < 0) break;
        }
    });
    EXPECT_EQ(link_.SerialSend(":GR#"), 1);
    stop = true;
    babbler.join();
}

// A session killed outright (kill -9) leaves nothing held: the lock goes with the process, and a
// pseudo-terminal, which its other end keeps alive, is never put in exclusive mode (that would
// outlast the process and turn every other user away with EBUSY).
TEST_F(SerialLinkTest, AKilledSessionLeavesThePortFree) {
    const pid_t session = fork();
    if (session == 0) {
        SerialPort port;
        if (port.Open(path_)) raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(session, &status, 0), session);
    ASSERT_TRUE(WIFSIGNALED(status));
    int exclusive = -1;
    ASSERT_EQ(ioctl(held_, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(link_.SerialOpen(port_, 9600), 1);
}

TEST_F(SerialLinkTest, AMissingOrBusyPortIsToldAndReleasedOnlyAfterAFailure) {
    RecordingInfoSink otherSink;
    SerialLink other(prefs_, otherSink, PortList(), [](int) {});
    EXPECT_EQ(other.SerialOpen(other.Ports().Add("/dev/vespertar-none"), 9600), 0);
    ASSERT_EQ(link_.SerialOpen(port_, 9600), 1);
    const int busy = other.Ports().Add(path_);
    EXPECT_EQ(other.SerialOpen(busy, 9600), 0);
    const std::string holder = " (in use by process " + std::to_string(getpid()) + " (test_scope))";
    EXPECT_EQ(otherSink.messages, (Messages{{"Can't open serial port", "/dev/vespertar-none"},
                                            {"Can't open serial port", path_ + holder}}));

    link_.SerialClose();  // kept open after a good open
    EXPECT_TRUE(link_.SerialIsOpen());
    link_.SetKeepOpen(0);
    link_.SerialClose();
    EXPECT_EQ(other.SerialOpen(busy, 9600), 1);

    other.SerialClose();  // kept open until its write fails
    close(device_);
    device_ = -1;
    EXPECT_EQ(other.SerialSend(":Q#"), 0);
    other.SerialClose();
    EXPECT_FALSE(other.SerialIsOpen());
}

TEST_F(SerialLinkTest, PortZeroTellsOnceAndTurnsToEmulation) {
    EXPECT_EQ(link_.SerialOpen(link_.Ports().Size(), 9600), 0);  // past the list: silent
    EXPECT_EQ(link_.SerialOpen(0, 9600), 0);
    EXPECT_EQ(link_.SerialOpen(0, 9600), 0);
    EXPECT_TRUE(link_.Emulating());
    EXPECT_EQ(sink_.messages, (Messages{{"No communication port is selected.\n",
                                         "Please select one using Preference 1/6."}}));
}

TEST_F(SerialLinkTest, ReconfigureSetsStopBitsParityCheckAndHandshake) {
    ASSERT_EQ(link_.SerialOpen(port_, 9600), 1);
    const tcflag_t kFlags = CSTOPB | CRTSCTS;  // a pseudo-terminal keeps no parity bit
    ASSERT_EQ(link_.SerialReconfigure(0xD1), 1);  // an RTS handshake alone waits on no CTS
    EXPECT_EQ(Line().c_cflag & kFlags, tcflag_t(CSTOPB));
    EXPECT_EQ(Line().c_iflag & INPCK, 0u);
    ASSERT_EQ(link_.SerialReconfigure(246), 1);
    EXPECT_EQ(Line().c_cflag & kFlags, tcflag_t(CSTOPB | CRTSCTS));
    EXPECT_EQ(Line().c_iflag & INPCK, tcflag_t(INPCK));
}

TEST(PortListTest, ListsByIdNamesThenNumberedDevicesOnce) {
    test::TempHome dev;
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB1", "ttyACM0", "ttyS1", "ttyS0", "tty0"})
        dev.WriteFile(name, "");
    std::filesystem::create_directories(dev.Path("serial/by-id"));
    std::filesystem::create_symlink("../../ttyUSB1", dev.Path("serial/by-id/usb-FTDI-if00"));
    std::vector<std::string> expected;
    for (const char* name :
         {"serial/by-id/usb-FTDI-if00", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS1"})
        expected.push_back(dev.Path(name));
    EXPECT_EQ(FindSerialDevices(dev.Root()), expected);

    PortList ports(dev.Root());
    EXPECT_EQ(ports.Add(expected[1]), 2);
    EXPECT_EQ(ports.Add(dev.Path("ttyUSB1")), 1);  // a node typed by hand is kept by its by-id name
    EXPECT_EQ(ports.Add("/dev/pts/7"), 7);
    EXPECT_EQ(ports.Label(1), (PortLabel{"usb-FTDI-if00", "ttyUSB1"}));
    EXPECT_EQ(ports.Label(7), (PortLabel{"/dev/pts/7", ""}));
    std::filesystem::remove(dev.Path("ttyUSB2"));
    ports.Refresh();  // unplugged: the others move up, the typed path stays
    EXPECT_EQ(ports.Name(2), dev.Path("ttyUSB10"));
    EXPECT_EQ(ports.Name(6), "/dev/pts/7");
    EXPECT_EQ(ports.Size(), 7);
}

// Two receivers' sockets as pseudo-terminals behind ttyUSB0 and ttyUSB1: the GPS port kept by
// its by-id name is the one that name reaches, also after the receiver moved to the other.
TEST(PortListTest, ByIdNameFollowsAReceiverMovedToAnotherSocket) {
    test::TempHome dev;
    int device[2], held[2];
    for (int n = 0; n < 2; ++n) {
        char name[256];
        ASSERT_EQ(openpty(&device[n], &held[n], name, nullptr, nullptr), 0);
        std::filesystem::create_symlink(name, dev.Path("ttyUSB" + std::to_string(n)));
    }
    std::filesystem::create_directories(dev.Path("serial/by-id"));
    const std::string byId = dev.Path("serial/by-id/usb-u-blox_GNSS_receiver-if00");
    std::filesystem::create_symlink("../../ttyUSB0", byId);
    Preferences prefs;
    prefs.gpsPort = 1;
    prefs.gpsPortPath = byId;
    RecordingInfoSink sink;
    SerialLink link(prefs, sink, PortList(dev.Root()), [](int) {});
    auto sentTo = [&](int n) {
        EXPECT_EQ(link.SerialOpen(link.GpsPort(), 9600), 1);
        EXPECT_EQ(link.SerialSend("$"), 1);
        link.SetKeepOpen(0);
        link.SerialClose();
        char byte = 0;
        pollfd p{device[n], POLLIN, 0};
        return poll(&p, 1, 5000) == 1 && read(device[n], &byte, 1) == 1 && byte == '$';
    };
    EXPECT_TRUE(sentTo(0));
    std::filesystem::remove(byId);
    std::filesystem::create_symlink("../../ttyUSB1", byId);
    EXPECT_TRUE(sentTo(1));
    pollfd first{device[0], POLLIN, 0};
    EXPECT_EQ(poll(&first, 1, 0), 0);  // nothing went to the socket it left
    EXPECT_TRUE(sink.messages.empty());
    for (int n = 0; n < 2; ++n) close(device[n]), close(held[n]);
}

}  // namespace
}  // namespace vsp
