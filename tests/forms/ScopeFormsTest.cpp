// The scope control and two-star forms in a whole shell: holding a direction key or button
// moves the mount until it is let go, the rate keys, what closing sends (a real LX200 mount
// emulated on a pseudo-terminal), and the two-star form's Align, Reset and restore offer.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "catalog/CatalogSession.h"
#include "forms/ScopeForms.h"
#include "platform/PseudoTerminal.h"
#include "platform/TcpSocket.h"
#include "scope/EmulatorLoop.h"
#include "scope/Lx200Emulator.h"
#include "scope/ScopeMessages.h"
#include "settings/PreferenceStore.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/EphemerisCsv.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kRateTrigger = 2401, kNorthButton = 2398, kCloseButton = 2403;
constexpr int kReference = 1301, kAlign = 1321, kReset = 1320;
constexpr int kHoldTimer = 2;
constexpr double kFastStepHours = 2.0 / 15;  // the emulated mount's step at the fast rate

// A device served on a pseudo-terminal, every byte it was sent and answered kept.
class PtyDevice {
public:
    PtyDevice(const std::string& path, EmulatedDevice device) {
        EXPECT_TRUE(port_.Open(path));
        device_ = {[this, receive = std::move(device.receive)](std::string_view bytes) {
                       std::lock_guard lock(mutex_);
                       wire_ += bytes;
                       std::string reply = receive(bytes);
                       answered_ += reply;
                       return reply;
                   },
                   std::move(device.tick)};
        thread_ = std::thread([this] { ServeEmulatedDevice(port_, device_, std::nullopt, [this] { return stop_.load(); }); });
    }
    ~PtyDevice() {
        stop_ = true;
        thread_.join();
    }
    // The bytes received once `expected` is among them (bounded, for a broken build only).
    std::string WireHolding(std::string_view expected) {
        for (int wait = 0; wait < 300; ++wait) {
            if (std::lock_guard lock(mutex_); wire_.find(expected) != std::string::npos) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard lock(mutex_);
        return wire_;
    }
    std::string Answered() {
        std::lock_guard lock(mutex_);
        return answered_;
    }

private:

    PseudoTerminal port_;
    EmulatedDevice device_;
    std::mutex mutex_;
    std::string wire_, answered_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

class ScopeForms : public ShellTest {
protected:
    ScopeForms() {
        state.dir = home_.Dir();
        prefs.scopeDrive = 5;  // LX200
        RegisterScopeForms(state, sky_, telescope_);
        EXPECT_EQ(StartApplication(state), StartResult::Started);
        Pump();
    }
    static ScopeMoment Moment() { return {{2024, 4, 8, 22, 0, 0}, {}, {}}; }
    EmulatedMount& Mount() { return telescope_.Dispatcher().Emulated(); }
    void Key(int code, bool down) {
        if (down) loop.PostKey(KeyPress{code});
        else loop.PostKeyUp(KeyPress{code});
        Pump();
    }
    size_t BoxCount(std::string_view first) const {
        return size_t(std::ranges::count_if(BoxTexts(), [first](const std::string& box) { return box.starts_with(first); }));
    }

    TempHome home_;
    CatalogSession sky_{state.dir, state.info};
    Telescope telescope_{prefs, state.info, Moment, [](int) {}};
};

TEST_F(ScopeForms, HeldKeyOrPenMovesUntilReleasedAndRefreshesMeanwhile) {
    Open(2400);  // no port: the emulated mount answers
    EXPECT_EQ(BoxCount(scope_text::kActivatingEmulation), 1u);
    ASSERT_TRUE(telescope_.Link().Emulating());
    const FormWindow& form = *state.currentFormWindow;

    Key(kKeyLeft, true);
    EXPECT_TRUE(Mount().Moving());
    const double start = Mount().Current().raHours;
    Wait(125);
    Wait(125);
    EXPECT_NEAR(Mount().Current().raHours - start, 2 * kFastStepHours, 1e-9);  // two refreshes, west
    Key(kKeyRight, false);  // another key's release does not end the hold
    EXPECT_TRUE(Mount().Moving());
    Key(kKeyLeft, false);
    EXPECT_FALSE(Mount().Moving());
    EXPECT_FALSE(loop.HasTimer(form.Handle(), kHoldTimer));

    const Rect north = C(kNorthButton).Bounds();
    loop.PostTap(north.left + 2, north.top + 2, TapPhase::Down);
    Pump();
    const double dec = Mount().Current().decDegrees;
    Wait(125);
    EXPECT_NEAR(Mount().Current().decDegrees - dec, -2.0, 1e-9);
    const Rect label = C(2410).Bounds();  // the pen slid off the button onto the RA
    loop.PostTap(label.left + 2, label.top + 2, TapPhase::Up);
    Pump();
    EXPECT_FALSE(Mount().Moving());
}

TEST_F(ScopeForms, RateKeysCycleAndToggleTheSlewRate) {
    Open(2400);
    struct Step { int key; const char* label; double decStep; };  // degrees per refresh, North held
    for (const Step& s : {Step{194, "Find", 0.5}, Step{194, "Center", 0.1}, Step{194, "Guide", 0.05},
                          Step{194, "Fast", 2.0}, Step{41, "Center", 0.1}, Step{41, "Fast", 2.0}}) {
        SCOPED_TRACE(s.label);
        Key(s.key, true);
        EXPECT_EQ(C(kRateTrigger).Text(), s.label);
        Key(kKeyUp, true);
        const double dec = Mount().Current().decDegrees;
        Wait(125);
        EXPECT_NEAR(dec - Mount().Current().decDegrees, s.decStep, 1e-9);
        Key(kKeyUp, false);
    }
}

TEST_F(ScopeForms, ClosingStopsTheMountExceptTheSkyScan) {
    auto lx200 = std::make_shared<Lx200Emulator>();
    PtyDevice mount(home_.Path("mount"), {[lx200](std::string_view bytes) { return lx200->Receive(bytes); },
                                          [](double, double) { return std::string(); }});
    prefs.scopePort = telescope_.Link().Ports().Add(home_.Path("mount"));
    Open(2400);
    ASSERT_FALSE(telescope_.Link().Emulating());
    Key(kKeyDown, true);
    EXPECT_NE(mount.WireHolding(":Ms#").find(":Ms#"), std::string::npos);
    Key(kKeyDown, false);
    EXPECT_NE(mount.WireHolding(":Qs#").find(":Qs#"), std::string::npos);
    Tap(kCloseButton);
    EXPECT_NE(mount.WireHolding("#:Q#").find("#:Q#"), std::string::npos);
    EXPECT_FALSE(telescope_.Link().SerialIsOpen());  // "Upon need" gives the port back
}

// The Monitor shows what went over the line to a real (emulated) mount: each command with the
// reply that followed it, newest first, the port by name; its setting off, the form says so.
TEST_F(ScopeForms, MonitorShowsTheLinesTrafficWhenItsSettingIsOn) {
    auto lx200 = std::make_shared<Lx200Emulator>();
    PtyDevice mount(home_.Path("mount"), {[lx200](std::string_view bytes) { return lx200->Receive(bytes); },
                                          [](double, double) { return std::string(); }});
    prefs.scopePort = telescope_.Link().Ports().Add(home_.Path("mount"));
    prefs.linkMode = 1;  // "Persistant": the port stays open for the Monitor to show
    Open(2400);
    ASSERT_FALSE(telescope_.Link().Emulating());
    Open(2300);
    EXPECT_EQ(LastBox(), "MonitorForm not done\n");
    ASSERT_NE(OpenFormId(), 2300);

    prefs.monitorForm = true;
    Open(2300);
    ASSERT_EQ(OpenFormId(), 2300);
    EXPECT_EQ(C(2302).Text(), "Port (open): " + home_.Path("mount"));
    const Control& rows = C(2304);
    ASSERT_GE(rows.RowCount(), 2);
    int asked = -1;  // the newest question for the right ascension
    for (int i = rows.RowCount() - 1; i >= 0; --i)
        if (rows.Row(i)->text.ends_with(" > " + std::string(lx200::kGetRa))) asked = i;
    ASSERT_GE(asked, 1) << rows.Row(0)->text;
    const std::string& reply = rows.Row(asked - 1)->text;
    ASSERT_EQ(reply.substr(8, 3), " < ") << reply;
    EXPECT_TRUE(reply.ends_with("#")) << reply;
    EXPECT_NE(mount.Answered().find(reply.substr(11)), std::string::npos) << reply;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(reply[0])) && reply[2] == ':' && reply[5] == ':') << reply;
}

// The independent fixture's alt-azimuth case: two measured stars and stars to check.
struct AlignmentCase {
    std::string reference;
    std::vector<AlignStar> stars, checks;
};
AlignmentCase AltAzCase() {
    AlignmentCase c;
    const auto table = bodies::ReadEphemerisCsv("../scope/alignment.csv");
    for (const bodies::CsvRow& row : table->rows) {
        if (row.Text("case") != "altaz") continue;
        c.reference = row.Text("reference");
        const AlignStar star{1, row.Text("star"), row.Number("clock_deg"), row.Number("ra_deg"),
                             row.Number("dec_deg"), row.Number("axis1_deg"), row.Number("axis2_deg")};
        (row.Text("role") == "check" ? c.checks : c.stars).push_back(star);
    }
    return c;
}

constexpr double kJdNow = 2460408.5 + 22 / 24.0;  // 2024-04-08 22:00, the zone UT+0

TEST_F(ScopeForms, AlignFromTypedFieldsIsComputedSavedAndReset) {
    prefs.scopeOutputType = 1;
    const AlignmentCase c = AltAzCase();
    ASSERT_EQ(c.stars.size(), 2u);
    Open(1300);
    C(kReference).SetText(c.reference);
    const int fields[2][5] = {{1305, 1307, 1309, 1315, 1313}, {1306, 1308, 1310, 1316, 1314}};
    for (int i = 0; i < 2; ++i) {
        const AlignStar& s = c.stars[size_t(i)];
        for (const auto& [id, value] : {std::pair{0, s.clockDeg / 15}, {1, s.raDeg / 15}, {2, s.decDeg},
                                        {3, s.axis1Deg}, {4, s.axis2Deg}})
            C(fields[i][id]).SetText(std::to_string(value));
    }
    Tap(kAlign);
    ASSERT_TRUE(telescope_.TwoStar().IsActive()) << LastBox();
    EXPECT_NE(OpenFormId(), 1300);
    for (const AlignStar& check : c.checks) {
        const auto sky = telescope_.TwoStar().MountToSky(check.clockDeg, check.axis1Deg, check.axis2Deg);
        ASSERT_TRUE(sky);
        EXPECT_NEAR(sky->raHours * 15, check.raDeg, 1e-3);
        EXPECT_NEAR(sky->decDegrees, check.decDeg, 1e-3);
    }
    Preferences saved;
    ASSERT_EQ(ReadPreferences(settings, home_.Dir(), saved).status, PreferenceFileStatus::Loaded);
    EXPECT_NEAR(saved.alignment.julianDate, kJdNow, 1e-6);
    EXPECT_EQ(saved.alignment, prefs.alignment);

    Open(1300);
    EXPECT_FALSE(C(1307).Text().empty());
    Tap(kReset);
    EXPECT_FALSE(telescope_.TwoStar().IsActive());
    EXPECT_TRUE(C(1307).Text().empty() && C(1316).Text().empty() && C(kReference).Text().empty());
    EXPECT_EQ(telescope_.Stars().star1.raDeg, 0.0);  // the records too, not only the fields
}

TEST_F(ScopeForms, RestoreOfferAnsweredYesRealignsAndNoForgets) {
    prefs.scopeOutputType = 1;
    const AlignmentCase c = AltAzCase();
    prefs.alignment.star1 = EncodeAlignStar(c.stars.at(0));
    prefs.alignment.star2 = EncodeAlignStar(c.stars.at(1));
    prefs.alignment.julianDate = kJdNow - 0.45;  // computed 10.8 hours ago

    windows.Boxes().QueueAnswer(MessageBoxAnswer::Yes);
    Open(1300);
    EXPECT_EQ(BoxCount(kRestoreQuestion), 1u);
    EXPECT_TRUE(telescope_.TwoStar().IsActive());
    EXPECT_EQ(telescope_.Stars().referenceTime, "20:10:00");  // star 1's clock

    telescope_.TwoStar().ResetAlignment();
    windows.Boxes().QueueAnswer(MessageBoxAnswer::No);
    Open(1300);
    EXPECT_FALSE(telescope_.TwoStar().IsActive());
    EXPECT_EQ(prefs.alignment.julianDate, 0.0);
    const size_t asked = BoxTexts().size();
    Open(1300);  // the offer has ended
    EXPECT_EQ(BoxTexts().size(), asked);
}

TEST_F(ScopeForms, GpsButtonMakesTheFixTheSiteAndSaysWhenNoPortIsChosen) {
    // The receiver repeats one position: 45°30.500' N, 2°15.250' W.
    const std::string sentence = "$GPGGA,120000,4530.500,N,00215.250,W,1,08,0.9,120.0,M,,,,*04\r\n";
    PtyDevice receiver(home_.Path("gps"), {[](std::string_view) { return std::string(); },
                                           [sentence](double, double) { return sentence + sentence; }});
    const Site before = prefs.site;
    Open(1200);
    Tap(1212);  // no GPS port chosen: told so, nothing read, the site kept
    EXPECT_EQ(LastBox(), "No GPS port is selected.\nPlease select the GPS Port in Preference 1/7.");
    EXPECT_EQ(prefs.site, before);
    prefs.gpsPort = telescope_.Link().Ports().Add(home_.Path("gps"));
    Tap(1212);
    EXPECT_NEAR(prefs.site.latitude, 45.5083, 1e-4);
    EXPECT_NEAR(prefs.site.longitude, 2.2542, 1e-4);  // west positive
    Preferences saved;
    ASSERT_EQ(ReadPreferences(settings, home_.Dir(), saved).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(saved.site, prefs.site);

    // Through gpsd: its first fix, a report as gpsd 3.22 writes it (33°51.407' S, 70°40.159' W);
    // a daemon that has gone is told, the site kept.
    const int listener = TcpListen({"127.0.0.1", 0});
    ASSERT_GE(listener, 0);
    const int port = TcpLocalPort(listener);
    std::thread gpsd([listener] {
        const int client = TcpAccept(listener, 5000);
        SendAll(client, "{\"class\":\"TPV\",\"mode\":1}\n{\"class\":\"TPV\",\"mode\":3,\"lat\":-33.856784000,"
                        "\"lon\":-70.669312000,\"altMSL\":520.4000}\n", 1000);
        WaitReadable(client, 5000);  // until the reading has hung up
        ::close(client);
    });
    prefs.gpsPort = telescope_.Link().Ports().Add("gpsd://127.0.0.1:" + std::to_string(port));
    Tap(1212);
    gpsd.join();
    ::close(listener);
    EXPECT_NEAR(prefs.site.latitude, -33.8567, 1e-4);
    EXPECT_NEAR(prefs.site.longitude, 70.6692, 1e-4);
    const Site read = prefs.site;
    Tap(1212);
    EXPECT_EQ(LastBox().substr(0, 16), "Can't reach gpsd");
    EXPECT_EQ(prefs.site, read);
}

}  // namespace
}  // namespace vsp::test
