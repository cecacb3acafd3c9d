#pragma once
// The location form's GPS button: one reading of the receiver made the observer's place.

#include "scope/GpsFix.h"

namespace vsp {

class SerialLink;
struct Site;

// GPS receivers speak NMEA 0183 at 9600 baud.
inline constexpr int kGpsBaud = 9600;

// Reads one fix from the opened GPS port (an empty `port`: no GPS chosen or the port did not
// open, nothing is read) and returns it for the latitude and longitude fields. When it gave a
// position, the site takes it as if the texts had been typed there; otherwise the site keeps
// its place rather than falling to latitude 0, longitude 0.
GpsFix GpsToLocation(const GpsReadBytes& port, int localHour, Site& site);
// The same on the receiver's port of the port list (0: no GPS), opened for the reading and
// closed after it; a port that will not open has told the user why. A "gpsd://HOST[:PORT]"
// port is read through gpsd.
GpsFix GpsToLocation(SerialLink& link, int gpsPort, int localHour, Site& site);

// The latitude and longitude texts read as typed, "45°30'30 N" and "002°15'15 W", into the
// site (longitude west-positive); false, and the site unchanged, when either text is empty.
bool ApplyGpsTexts(const std::string& latitudeText, const std::string& longitudeText, Site& site);

}  // namespace vsp
