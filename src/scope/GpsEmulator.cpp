#include "scope/GpsEmulator.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "platform/FormatText.h"


namespace vsp {
namespace {

constexpr long long kMinuteUnits = 100000;  // minutes are sent with five decimals

// "ddmm.mmmmm,N" (degreeDigits 2) or "dddmm.mmmmm,E" (3), rounded to the last decimal sent.
std::string NmeaAngle(double degrees, int degreeDigits, char positive, char negative) {
    const long long units = std::llround(std::fabs(degrees) * 60 * kMinuteUnits);
    const long long minuteUnits = units % (60 * kMinuteUnits);
    return FormatText("%0*lld%02lld.%05lld,%c", degreeDigits, units / (60 * kMinuteUnits),
                      minuteUnits / kMinuteUnits, minuteUnits % kMinuteUnits,
                      degrees < 0 && units > 0 ? negative : positive);
}

}  // namespace

GpsEmulator::GpsEmulator(GpsEmulatorPlace place, std::string talker)
    : place_(place), talker_(std::move(talker)) {}

std::string GpsEmulator::Advance(double unixSeconds) {
    const long long second = (long long)std::floor(unixSeconds);
    if (second == lastSecond_) return "";
    lastSecond_ = second;
    return Sentences(second);
}

std::string GpsEmulator::Sentences(long long unixSeconds) const {
    using namespace std::chrono;
    const sys_seconds instant{seconds{unixSeconds}};
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss clock{instant - day};
    const std::string time = FormatText("%02d%02d%02d.00", int(clock.hours().count()),
                                        int(clock.minutes().count()), int(clock.seconds().count()));
    const std::string latitude = NmeaAngle(place_.latitudeDegrees, 2, 'N', 'S');
    const std::string longitude = NmeaAngle(place_.longitudeEastDegrees, 3, 'E', 'W');
    // Fix quality 1 (GPS), eight satellites, dilution 0.9; geoid separation left at zero.
    const std::string gga = FormatText("GGA,%s,%s,%s,1,08,0.9,%.1f,M,0.0,M,,", time.c_str(), latitude.c_str(),
                                       longitude.c_str(), place_.altitudeMetres);
    // Status A (valid), standing still, mode A (autonomous).
    const std::string rmc = FormatText("RMC,%s,A,%s,%s,0.00,0.00,%02u%02u%02d,,,A", time.c_str(), latitude.c_str(),
                                       longitude.c_str(), unsigned(date.day()), unsigned(date.month()),
                                       int(date.year()) % 100);
    return Sentence(gga) + Sentence(rmc);
}

std::string GpsEmulator::Sentence(const std::string& body) const {
    const std::string text = talker_ + body;
    unsigned char sum = 0;
    for (char c : text) sum ^= static_cast<unsigned char>(c);
    return FormatText("$%s*%02X\r\n", text.c_str(), unsigned(sum));
}

}  // namespace vsp
