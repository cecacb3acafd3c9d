#include "scope/GpsLocation.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "format/AngleParse.h"
#include "platform/SystemError.h"
#include "scope/GpsdClient.h"
#include "scope/SerialLink.h"
#include "settings/Preferences.h"

namespace vsp {

namespace {

constexpr size_t kLatitudeChars = 10;
constexpr size_t kLongitudeChars = 12;

// The degree value of a field's first `chars` characters, negative when it ends in `negative`.
double FieldDegrees(std::string_view text, size_t chars, char negative) {
    const double value = ParseSexagesimalDeclination(text.substr(0, chars));
    return std::toupper(static_cast<unsigned char>(text.back())) == negative ? -value : value;
}

// A receiver that gpsd holds: read through gpsd; a daemon out of reach or without a receiver
// is told, a fix that does not come within the wait leaves the site as a silent receiver does.
GpsFix GpsdToLocation(SerialLink& link, const std::string& path, int localHour, Site& site) {
    GpsFix fix;
    const GpsdEnd end = ReadGpsdFix(path, localHour, kGpsdWaitMs, fix);
    if (end == GpsdEnd::Unreachable || end == GpsdEnd::BadAddress) {
        const std::string why = end == GpsdEnd::BadAddress ? "not an address" : SystemErrorText(LastSystemErrorCode());
        link.Messages().InfoBox("Can't reach gpsd", path + " (" + why + ")");
    } else if (end == GpsdEnd::NoDevice) {
        link.Messages().InfoBox("gpsd has no GPS receiver", path);
    }
    ApplyGpsTexts(fix.latitudeText, fix.longitudeText, site);
    return fix;
}

}  // namespace

bool ApplyGpsTexts(const std::string& latitudeText, const std::string& longitudeText, Site& site) {
    if (latitudeText.empty() || longitudeText.empty()) return false;
    site.latitude = float(FieldDegrees(latitudeText, kLatitudeChars, 'S'));
    site.longitude = float(FieldDegrees(longitudeText, kLongitudeChars, 'E'));
    return true;
}

GpsFix GpsToLocation(const GpsReadBytes& port, int localHour, Site& site) {
    GpsFix fix;
    if (port) ReadGpsFix(port, localHour, fix);
    ApplyGpsTexts(fix.latitudeText, fix.longitudeText, site);
    return fix;
}

GpsFix GpsToLocation(SerialLink& link, int gpsPort, int localHour, Site& site) {
    const std::string name = link.PortName(gpsPort);
    if (IsGpsdPath(name)) return GpsdToLocation(link, name, localHour, site);
    GpsReadBytes port;
    // The link keeps its own read time-outs.
    if (gpsPort != 0 && link.SerialOpen(gpsPort, kGpsBaud))
        port = [&link](char* into, size_t most, int) { return size_t(std::max(0, link.SerialRead(into, int(most)))); };
    const GpsFix fix = GpsToLocation(port, localHour, site);
    if (gpsPort != 0) link.SerialClose();
    return fix;
}

}  // namespace vsp
