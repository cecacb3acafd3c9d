// The gps command on a pseudo-terminal standing in for the receiver: a gpsd capture read as
// gpsd decoded it, and a receiver that says nothing.

#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class Gps : public ProgramHomeTest {
protected:
    Gps() { EXPECT_EQ(openpty(&receiver_, &held_, port_, nullptr, nullptr), 0); }
    ~Gps() override { close(receiver_), close(held_); }
    int receiver_ = -1, held_ = -1;
    char port_[256] = {};
};

TEST_F(Gps, CaptureGivesGpsdsFixAndBecomesTheSite) {
    const std::string path = std::string(VESPERTAR_TEST_DATA) + "/gps/gr8013-w.log";
    std::ifstream capture(path), checked(path + ".chk");
    std::string line, sentences, report;
    while (std::getline(capture, line)) sentences += line[0] == '#' ? "" : line + "\n";
    ASSERT_EQ(write(receiver_, sentences.data(), sentences.size()), ssize_t(sentences.size()));
    // gpsd's report of the first GGA sentence, "$GNGGA,181141.00,...".
    while (std::getline(checked, report) && report.find("\"altMSL\"") == std::string::npos) {}
    const nlohmann::json gpsd = nlohmann::json::parse(report);

    const nlohmann::json fix = Json({"gps", "--port", port_, "--save"});
    EXPECT_NEAR(fix.value("latitude_deg", 0.0), gpsd["lat"].get<double>(), 1e-8);  // every decimal kept
    EXPECT_NEAR(fix.value("longitude_deg", 0.0), gpsd["lon"].get<double>(), 1e-8);
    EXPECT_EQ(fix["altitude_m"], std::trunc(gpsd["altMSL"].get<double>()));
    EXPECT_EQ(fix["utc"], gpsd["time"].get<std::string>().substr(11, 8));
    EXPECT_EQ(fix["talker"], "GN");
    EXPECT_EQ(fix.value("latitude_text", "").substr(0, 4), "52\u00b0");
    // The site takes the texts, whole seconds truncated.
    const nlohmann::json prefs = Json({"prefs", "show"});
    EXPECT_NEAR(prefs["latitude_deg"].get<double>(), gpsd["lat"].get<double>(), 1.4 / 3600);
    EXPECT_NEAR(-prefs["longitude_west_deg"].get<double>(), gpsd["lon"].get<double>(), 1.4 / 3600);
}

TEST_F(Gps, SilentOrMissingReceiverFailsWithoutHanging) {
    const auto start = std::chrono::steady_clock::now();
    ProgramResult r = Run({"gps", "--port", port_});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));  // a bound against a hang
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No position from the GPS receiver on " + std::string(port_) + "\n");
    r = Run({"gps", "--port", "/nonexistent/gps"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Can't open serial port\n/nonexistent/gps\n");
    EXPECT_EQ(Run({"gps"}).status, 1);  // no GPS port in the settings
}

}  // namespace
}  // namespace vsp::test
