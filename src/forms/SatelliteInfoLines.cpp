#include "forms/SatelliteInfoLines.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "platform/FormatText.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

constexpr char kNearEarthFormulasNote[] = "(near-Earth formulas)";

// "48.86°N" / "2.35°W": the size of the angle and its side.
std::string Signed(double degrees, char positive, char negative) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f\xB0%c", std::fabs(degrees), degrees < 0.0 ? negative : positive);
    return text;
}

}  // namespace

std::vector<SatelliteInfoLine> SatelliteInfoLines(const SatelliteElements& e, double ageDays,
                                                  const TextFormats& formats, bool roomForAll) {
    const double speed = std::sqrt(e.velocity.x * e.velocity.x + e.velocity.y * e.velocity.y +
                                   e.velocity.z * e.velocity.z);
    std::vector<SatelliteInfoLine> lines = {
        {"Earth Location", "", true},
        {"Lat", Signed(e.subLatitudeDeg, 'N', 'S')},
        {"Lon", Signed(e.subLongitudeDeg, 'E', 'W')},
        {"Alt", FormatText("%.0fkm", e.heightKm)},
        // Where the heading leaves room: the positions below are the near-Earth formulas'.
        {"Sky Location", DeepSpaceByNearEarthFormulas(e) ? kNearEarthFormulasNote : "", true},
        {"Az", FormatText("%.1f\xB0", e.azimuthDeg)},
        {"Alt", FormatText("%.1f\xB0", e.elevationDeg)},
        {"RA", HMSToStr(e.raHours, formats)},
        {"Dec", DmsToStr(e.decDeg, formats)},
        {"Informations", "", true},
        {"Velocity", FormatText("%.2fkm/s", speed)},
        {"Range", FormatText("%.0fkm", e.rangeKm)},
        {"Orbit period", FormatText("%.0fmin", std::floor(e.periodMin + 0.5))},
    };
    if (roomForAll) {
        lines.push_back({"Inclination", FormatText("%.2f\xB0", e.inclination / kDegToRad)});
        lines.push_back({std::string(kSatelliteAgeLabel), FormatText("%.1f days", ageDays)});
    }
    return lines;
}

}  // namespace vsp
