// The cities of the Location form from kstars-data's citydb.sqlite, table `city`: name,
// province (often empty), country, latitude and longitude as text ("-121° 17' 00\"", east
// positive; a few rows in decimal degrees), zone offset in hours, summer-time rule ("--" for
// none) and elevation in metres.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "databuild/DataBuild.h"
#include "databuild/DataFileWriter.h"
#include "databuild/InputFiles.h"
#include "databuild/PackageProvenance.h"
#include "databuild/SqliteInput.h"
#include "platform/ProgramDir.h"
#include "catalog/CityList.h"
#include "platform/Text.h"

namespace vsp::databuild {
namespace {

constexpr const char* kQuery =
    "SELECT id, Name, Province, Country, Latitude, Longitude, TZ, TZRule, Elevation FROM city";
enum Column { kId, kName, kProvince, kCountry, kLatitude, kLongitude, kZone, kRule, kElevation };

constexpr int kMaxZoneMinutes = 720;  // a site takes -12 h .. +12 h
constexpr double kMaxElevation = 9000.0;

// "D° M' S\"" with the sign in front of the degrees standing for the whole angle ("-0° 10'
// 01\""), or decimal degrees.
bool ParseAngle(std::string_view text, double& degrees) {
    text = TrimBlanks(text);
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const size_t degreeSign = text.find("°");
    if (degreeSign == std::string_view::npos) {
        if (!ParseWhole(text, degrees) || !std::isfinite(degrees) || degrees < 0.0) return false;
    } else {
        const size_t minuteSign = text.find('\'', degreeSign);
        const size_t secondSign = text.find('"', minuteSign);
        if (secondSign == std::string_view::npos || secondSign + 1 != text.size()) return false;
        const size_t minutesAt = degreeSign + std::string_view("°").size();
        int whole = 0, minutes = 0, seconds = 0;
        if (!ParseWhole(text.substr(0, degreeSign), whole) ||
            !ParseWhole(TrimBlanks(text.substr(minutesAt, minuteSign - minutesAt)), minutes) ||
            !ParseWhole(TrimBlanks(text.substr(minuteSign + 1, secondSign - minuteSign - 1)), seconds) || whole < 0 ||
            minutes < 0 || minutes >= 60 || seconds < 0 || seconds >= 60)
            return false;
        degrees = whole + minutes / 60.0 + seconds / 3600.0;
    }
    if (negative) degrees = -degrees;
    return true;
}

// "City, Province, Country", the province left out where the row has none.
std::string JoinName(sqlite3_stmt* row) {
    std::string name;
    for (int column : {kName, kProvince, kCountry}) {
        const std::string part(TrimBlanks(SqliteText(row, column)));
        if (part.empty()) continue;
        if (!name.empty()) name += ", ";
        name += part;
    }
    return name;
}

struct CityRows {
    std::vector<CityEntry> cities;
    int32_t farZones = 0;  // rows whose zone offset no site can hold
};

// One row into `rows`; false with `why` when a field cannot be read.
bool TakeRow(sqlite3_stmt* row, CityRows& rows, std::string& why) {
    const std::string id = "city id " + SqliteText(row, kId);
    double latitude = 0.0, eastLongitude = 0.0;
    if (SqliteText(row, kName).empty() || SqliteIsNull(row, kZone) ||
        !ParseAngle(SqliteText(row, kLatitude), latitude) || !ParseAngle(SqliteText(row, kLongitude), eastLongitude) ||
        std::fabs(latitude) > 90.0 || std::fabs(eastLongitude) > 180.0) {
        why = id + ": no name, zone or position in range";
        return false;
    }
    const long zoneMinutes = std::lround(sqlite3_column_double(row, kZone) * 60.0);
    if (std::labs(zoneMinutes) > kMaxZoneMinutes) {
        ++rows.farZones;
        return true;
    }
    uint8_t name[kCityNameSize];
    PutText(name, sizeof name, JoinName(row));
    CityEntry city;
    city.name.assign(reinterpret_cast<const char*>(name), strnlen(reinterpret_cast<const char*>(name), sizeof name));
    city.latitude = float(latitude);
    city.longitude = float(-eastLongitude);
    city.elevation = int16_t(std::lround(std::clamp(sqlite3_column_double(row, kElevation), 0.0, kMaxElevation)));
    city.tzOffset = int16_t(zoneMinutes);
    const std::string rule = SqliteText(row, kRule);
    city.daylight = !rule.empty() && rule != "--";
    rows.cities.push_back(std::move(city));
    return true;
}

// Case ignored as the list's search ignores it; equal names (two Lusakas) by position, so the
// same database always gives the same bytes.
bool CityOrder(const CityEntry& a, const CityEntry& b) {
    if (const int c = CompareCityNames(a.name, b.name); c != 0) return c < 0;
    if (a.name != b.name) return a.name < b.name;
    if (a.latitude != b.latitude) return a.latitude < b.latitude;
    return a.longitude < b.longitude;
}

}  // namespace

bool BuildCityFile(const BuildOptions& options, BuildReport& report) {
    const std::string name(kCityFileName);
    const std::string path = PathBelow(options.kstarsDir, "citydb.sqlite");
    if (!FileExists(path)) {
        report.notes.push_back(name + " not built: no city database " + path + " (Debian kstars-data)");
        return true;
    }
    report.Progress("cities from " + path);
    CityRows rows;
    const auto onRow = [&rows](sqlite3_stmt* row, std::string& why) { return TakeRow(row, rows, why); };
    if (!ReadSqliteRows(path, kQuery, "a KStars city database", onRow, report.problem)) return false;
    if (rows.farZones > 0) {
        report.notes.push_back("cities: " + std::to_string(rows.farZones) +
                               " left out, their zone lies more than 12 hours from UT");
    }
    std::sort(rows.cities.begin(), rows.cities.end(), CityOrder);
    DataFileWriter file{name, kCityTypeCode, kCityFileVersion, kCityRecordSize};
    for (const CityEntry& city : rows.cities) CityEntryWrite(city, file.Append());
    return file.Commit(options.dataDir, DebianFileProvenance("kstars-data", path), report);
}

}  // namespace vsp::databuild
