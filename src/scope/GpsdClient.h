#pragma once
// One reading of a GPS receiver that gpsd holds ("gpsd://HOST[:PORT]", port 2947 by default):
// the program asks gpsd to report in JSON and takes the first 2D or 3D fix, instead of opening
// a port that gpsd owns.

#include <string_view>

#include "scope/GpsFix.h"

namespace vsp {

inline constexpr std::string_view kGpsdScheme = "gpsd://";
inline constexpr int kGpsdDefaultPort = 2947;
// The daemon of this machine, as `gps --gpsd` and the GPS port's "gpsd" row choose it.
inline constexpr std::string_view kLocalGpsd = "gpsd://127.0.0.1";
// As long as a receiver on a serial port may stay silent before its reading fails.
inline constexpr int kGpsdWaitMs = 5300;

bool IsGpsdPath(std::string_view path);

enum class GpsdEnd { Fix, BadAddress, Unreachable, NoDevice, NoFix };

// Reads the first fix gpsd reports within `waitMs` (connection included) into `fix`; any
// other end leaves `fix` without a position. LastSystemErrorCode() tells why for Unreachable.
GpsdEnd ReadGpsdFix(std::string_view path, int localHour, int waitMs, GpsFix& fix);

}  // namespace vsp
