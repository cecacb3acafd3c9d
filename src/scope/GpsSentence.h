#pragma once
// One NMEA 0183 sentence of a GPS receiver, cut from a burst of bytes: its fields, its
// checksum, and the position fields turned into the location form's texts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsp {

// A whole sentence ("$GNGGA,...*hh" up to its line end), split at ',' after the name.
// fields[0] is the name without '$' ("GNGGA"). Empty when the sentence is cut short by the
// end of the bytes or carries a checksum that does not match.
std::vector<std::string_view> SplitGpsSentence(std::string_view bytes);

// "GGA" of "GPGGA", "GNGGA", "BDGGA": the sentence type whatever the talker; empty when the
// name is not a talker's two letters and three more.
std::string_view GpsSentenceType(std::string_view name);

// "ddmm.mm" and "N"/"S" as "dd°mm'ss N" (0xB0), "dddmm.mm" and "E"/"W" as "ddd°mm'ss W":
// whole seconds from the first two decimals of the minutes. Nothing when the fields do not
// hold a position (a receiver without a fix sends them empty).
std::optional<std::string> GpsLatitudeText(std::string_view value, std::string_view hemisphere);
std::optional<std::string> GpsLongitudeText(std::string_view value, std::string_view hemisphere);

}  // namespace vsp
