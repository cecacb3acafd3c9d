// GPS fixes from receiver captures of the gpsd project, checked against gpsd's own decoding,
// and from hand-made bursts for what a receiver rarely shows.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "scope/GpsLocation.h"
#include "settings/Preferences.h"

namespace vsp {
namespace {

const std::string kGga = "$GPGGA,101500,4530.500,N,00215.250,W,1,08,0.9,120.0,M,47.0,M,,*52\r\n";

GpsReadBytes Repeating(std::string bytes) {
    return [bytes, at = size_t(0)](char* into, size_t most, int) mutable {
        for (size_t i = 0; i < most; ++i, at = (at + 1) % bytes.size()) into[i] = bytes[at];
        return most;
    };
}

// `bytes` once, after `silentReads` empty reads.
GpsReadBytes Sending(std::string bytes, int silentReads = 0) {
    return [bytes, silentReads](char* into, size_t most, int) mutable {
        if (silentReads-- > 0) return size_t(0);
        const size_t count = bytes.copy(into, most);
        bytes.erase(0, count);
        return count;
    };
}

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/gps/" + name);
    std::string line, lines;
    while (std::getline(in, line)) lines += line[0] == '#' ? "" : line + "\n";  // a capture's comments
    return lines;
}

// The number after "name": in gpsd's first report that has `key`.
double Reported(const std::string& report, const std::string& key, const std::string& name) {
    const size_t line = report.rfind('\n', report.find("\"" + key + "\":")) + 1;
    return std::stod(report.substr(report.find("\"" + name + "\":", line) + name.size() + 3));
}

TEST(Gps, CapturesReadAsGpsdDecodedThem) {
    // Whole seconds from hundredths of a minute lose under 0.6" of decimals and 0.8" truncated.
    constexpr double kTextDegrees = 1.4 / 3600;
    for (const std::string name : {"april6_2019.log", "magellan315.log", "gr8013-w.log", "ch-4711.log"}) {
        SCOPED_TRACE(name);
        const std::string report = ReadData(name + ".chk");
        const bool hasGga = name != "april6_2019.log";  // RMC sentences alone
        const std::string key = hasGga ? "alt" : "lat";
        GpsFix fix;
        EXPECT_EQ(ReadGpsFix(Repeating(ReadData(name)), 0, fix), hasGga);
        Site site;
        ASSERT_TRUE(ApplyGpsTexts(fix.latitudeText, fix.longitudeText, site));
        EXPECT_NEAR(site.latitude, Reported(report, key, "lat"), kTextDegrees);
        EXPECT_NEAR(-site.longitude, Reported(report, key, "lon"), kTextDegrees);
        if (!hasGga) continue;
        EXPECT_EQ(fix.altitude, std::trunc(Reported(report, key, "altMSL")));
    }
}

TEST(Gps, RmcAloneGivesThePlaceAndTheHourDifference) {
    const std::string rmc = "$GPRMC,093802,A,4507.038,S,17307.038,E,000.0,226.0,160305,004.2,E,A*03\r\n";
    Site site;
    const GpsFix fix = GpsToLocation(Repeating(rmc), 11, site);
    EXPECT_EQ(fix.latitudeText + fix.longitudeText, "45\xB0" "07'01 S" "173\xB0" "07'01 E");
    EXPECT_EQ(fix.hourDifference, 9 - 11);
    EXPECT_NEAR(site.latitude, -45.11694, 1e-5);
    EXPECT_NEAR(site.longitude, -173.11694, 1e-5);
}

// Each is followed by a good sentence of another talker, without a checksum, which gives the fix.
TEST(Gps, SentencesWithoutAValidFixArePassedBy) {
    for (const std::string passed : {
             "$GPGGA,101500,1000.000,N,01000.000,W,1,08,0.9,9.0,M,47.0,M,,*52\r\n",  // wrong checksum
             "$GPGGA,101500,1000.000,N,01000.000,W,0,00,,,M,,M,,\r\n",                // no fix
             "$GPGGA,,,,,,1,08,0.9,,M,,M,,\r\n",                                      // empty fields
             "$GPGGA,101500,1000.000,N,01000.000,W,1,08$GPGSV,4,1,14\r\n"}) {         // cut off
        SCOPED_TRACE(passed);
        GpsFix fix;
        EXPECT_TRUE(ReadGpsFix(Repeating(passed + "$BDGGA,1,4530.500,N,00215.250,W,1,8,1,120,M,,M,,\n"), 0, fix));
        EXPECT_EQ(fix.latitudeText + fix.longitudeText, "45\xB0" "30'30 N" "002\xB0" "15'15 W");
        EXPECT_EQ(fix.altitude, 120);
    }
}

TEST(Gps, SilenceAndGarbageKeepThePreviousPlace) {
    std::string burst;
    while (burst.size() < 800) burst += kGga;
    std::mt19937 random(7);
    std::string garbage(2000, ' ');
    for (char& c : garbage) c = "$GPGA,.*0123456789NSEW\r\n\xB5\x62"[random() % 26];
    GpsFix fix;
    EXPECT_TRUE(ReadGpsFix(Repeating(garbage.substr(0, 500) + "\n" + kGga), 0, fix));
    EXPECT_TRUE(ReadGpsFix(Sending(burst, 10), 0, fix));  // ten empty reads are borne
    EXPECT_FALSE(ReadGpsFix(Repeating(garbage), 0, fix));
    EXPECT_EQ(fix.latitudeText, "");  // nothing left of the reading before

    Site site{.latitude = -33.9f};
    const Site before = site;
    const std::string voidRmc = "$GPRMC,093802,V,1000.000,N,01000.000,W,,,160305,,\r\n";
    for (const GpsReadBytes& port : {GpsReadBytes{}, Sending(kGga), Sending(burst, 11),
                                     Repeating(voidRmc), Repeating(std::string(720, '\n') + kGga)}) {
        EXPECT_EQ(GpsToLocation(port, 0, site).latitudeText, "");
        EXPECT_EQ(site, before);
    }
}

}  // namespace
}  // namespace vsp
