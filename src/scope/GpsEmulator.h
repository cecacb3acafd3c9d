#pragma once
// A GPS receiver with a fix, for trying the program without one: like a real receiver it talks
// without being asked, a GGA and an RMC sentence (NMEA 0183, checksummed, CR LF) at the start
// of every UTC second. The clock is the caller's; no I/O here.

#include <string>

namespace vsp {

struct GpsEmulatorPlace {
    double latitudeDegrees = 0;       // north positive
    double longitudeEastDegrees = 0;  // east positive
    double altitudeMetres = 0;        // above mean sea level
};

class GpsEmulator {
public:
    // `talker`: the two letters before the sentence type ("GP" GPS, "GN" several systems).
    explicit GpsEmulator(GpsEmulatorPlace place, std::string talker = "GP");

    // The sentences due when the UTC clock reads `unixSeconds` (seconds since 1970): the pair
    // of the second that began since the last call, nothing within the same second.
    std::string Advance(double unixSeconds);

private:
    std::string Sentences(long long unixSeconds) const;
    std::string Sentence(const std::string& body) const;

    GpsEmulatorPlace place_;
    std::string talker_;
    long long lastSecond_ = -1;
};

}  // namespace vsp
