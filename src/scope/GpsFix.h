#pragma once
// One reading of a GPS receiver: a burst of NMEA 0183 sentences taken from the port and
// scanned for the position of a GGA or RMC sentence of any talker (GP, GN, GL, GA, BD, ...).

#include <cstddef>
#include <functional>
#include <string>

namespace vsp {

// Reads up to `most` bytes into `into`, waiting at most `timeoutMs`; gives the count read, 0
// when nothing came. A serial port in the program, a byte buffer in tests.
using GpsReadBytes = std::function<size_t(char* into, size_t most, int timeoutMs)>;

// A position as the location form shows it, "45°30'30 N" and "002°15'15 W" with the byte 0xB0
// for the degree sign; both texts empty when no sentence gave a position. The other fields
// describe the sentence that gave the position.
struct GpsFix {
    std::string latitudeText;
    std::string longitudeText;
    double latitudeDegrees = 0.0;       // north positive, every decimal the receiver sent
    double longitudeEastDegrees = 0.0;  // east positive
    std::string utc;                    // "hh:mm:ss"; empty when the sentence had no time
    std::string talker;                 // "GP", "GN", "GL", ...
    int hourDifference = 0;  // UTC hour of an RMC sentence less the local hour
    double altitude = 0.0;   // metres above sea level of a GGA sentence, whole metres
    bool hasAltitude = false;  // a GGA sentence gave the position
};

// Reads a burst of at least 800 bytes and takes the position of the first valid GGA sentence
// that begins in its first 720 bytes: true then. False when the receiver fell silent (more
// than 10 empty reads) or no GGA sentence was found; a valid RMC sentence before that still
// leaves its position in `fix`. Sentences with a wrong checksum or without a fix are passed by.
bool ReadGpsFix(const GpsReadBytes& read, int localHour, GpsFix& fix);

}  // namespace vsp
