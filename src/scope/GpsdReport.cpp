#include "scope/GpsdReport.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/FormatText.h"
#include "scope/GpsSentence.h"

namespace vsp {

namespace {

using Json = nlohmann::json;

// |degrees| as the "ddmm.mmmm" (or "dddmm.mmmm") field of a sentence, which the location
// form's texts are made from.
std::string NmeaField(double degrees, bool longitude) {
    const long long units = std::llround(std::fabs(degrees) * 600000.0);  // 1e-4 minutes
    return FormatText(longitude ? "%03lld%02lld.%04lld" : "%02lld%02lld.%04lld", units / 600000,
                      units % 600000 / 10000, units % 10000);
}

std::optional<double> Number(const Json& report, const char* key) {
    const auto at = report.find(key);
    if (at == report.end() || !at->is_number()) return std::nullopt;
    const double value = at->get<double>();
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

bool TakeFix(const Json& report, int localHour, GpsFix& fix) {
    const std::optional<double> mode = Number(report, "mode");
    const std::optional<double> lat = Number(report, "lat"), lon = Number(report, "lon");
    if (!mode || (*mode != 2 && *mode != 3) || !lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180)
        return false;
    const std::optional<std::string> latText = GpsLatitudeText(NmeaField(*lat, false), *lat < 0 ? "S" : "N");
    const std::optional<std::string> lonText = GpsLongitudeText(NmeaField(*lon, true), *lon < 0 ? "W" : "E");
    if (!latText || !lonText) return false;
    fix.latitudeText = *latText;
    fix.longitudeText = *lonText;
    fix.latitudeDegrees = *lat;
    fix.longitudeEastDegrees = *lon;
    fix.talker = "gpsd";
    // "2026-12-08T07:10:00.000Z"
    const auto time = report.find("time");
    if (time != report.end() && time->is_string()) {
        const std::string& text = time->get_ref<const std::string&>();
        if (text.size() >= 19 && text[10] == 'T') {
            fix.utc = text.substr(11, 8);
            fix.hourDifference = std::atoi(fix.utc.c_str()) - localHour;
        }
    }
    std::optional<double> altitude = Number(report, "altMSL");
    if (!altitude) altitude = Number(report, "alt");
    if (*mode == 3 && altitude) {
        fix.altitude = std::trunc(*altitude);
        fix.hasAltitude = true;
    }
    return true;
}

}  // namespace

GpsdReport ParseGpsdReport(std::string_view line, int localHour) {
    GpsdReport out;
    const Json report = Json::parse(line, nullptr, false);
    if (!report.is_object()) return out;
    const auto kind = report.find("class");
    if (kind == report.end() || !kind->is_string()) return out;
    if (*kind == "DEVICES") {
        const auto devices = report.find("devices");
        if (devices != report.end() && devices->is_array() && devices->empty()) out.kind = GpsdReportKind::NoDevice;
    } else if (*kind == "TPV" && TakeFix(report, localHour, out.fix)) {
        out.kind = GpsdReportKind::Fix;
    }
    return out;
}

}  // namespace vsp
