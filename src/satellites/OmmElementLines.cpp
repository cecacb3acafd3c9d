#include "satellites/OmmElementLines.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/Time.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"
#include "satellites/CatalogNumber.h"
#include "satellites/ElementSetText.h"

namespace vsp {
namespace {

// The first fault met while the lines are written; the writing goes on so the code reads as
// the lines do, and the fault is reported at the end.
struct LineWriter {
    const OmmFields& fields;
    std::optional<std::string> fault;

    void Fail(std::string reason) {
        if (!fault) fault = std::move(reason);
    }
    const std::string* Find(const char* key) const {
        const auto it = fields.find(key);
        return it == fields.end() || it->second.empty() ? nullptr : &it->second;
    }
    // The key's number; `fallback` when the key is absent and one is allowed.
    double Number(const char* key, std::optional<double> fallback = std::nullopt) {
        const std::string* text = Find(key);
        double value = 0.0;
        if (!text) {
            if (!fallback) Fail(std::string(key) + " is missing");
            return fallback.value_or(0.0);
        }
        // from_chars takes no leading '+'; the format's writers sometimes put one.
        std::string_view digits = *text;
        if (digits.starts_with('+')) digits.remove_prefix(1);
        if (ParseWhole(digits, value) && std::isfinite(value)) return value;
        Fail(std::string(key) + " \"" + *text + "\" is not a number");
        return 0.0;
    }
    // `value` with `decimals` in exactly `width` characters, right-aligned.
    std::string Fixed(const char* key, double value, int width, int decimals) {
        char text[64];
        std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
        if (std::string(text).size() != size_t(width)) {
            Fail(std::string(key) + " " + Find(key)->c_str() + " does not fit the two-line format");
            return std::string(size_t(width), '0');
        }
        return text;
    }
    // Five digits with an assumed leading point and a signed exponent digit: " 12345-4".
    std::string Exponent(const char* key, double value) {
        if (std::fabs(value) < 0.5e-14) return " 00000-0";  // below what the field can write: nothing
        if (std::fabs(value) >= 0.999995e9) {
            Fail(std::string(key) + " " + Find(key)->c_str() + " does not fit the two-line format");
            return " 00000-0";
        }
        int exponent = int(std::floor(std::log10(std::fabs(value)))) + 1;
        long mantissa = std::lround(std::fabs(value) / std::pow(10.0, exponent) * 1e5);
        if (mantissa >= 100000) {
            mantissa /= 10;
            ++exponent;
        }
        if (exponent < -9) {  // the smallest exponent, with leading zeros in the mantissa
            mantissa = std::lround(std::fabs(value) * 1e14);
            exponent = -9;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%c%05ld%c%d", value < 0.0 ? '-' : ' ', mantissa, exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return text;
    }
};

bool IsCalendarDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// "2020-10-13T04:52:48.472320" (seconds' fraction and a final 'Z' optional) as the two-line
// epoch "20287.20333880"; nothing for another form or a year outside 1957..2056.
std::optional<std::string> TwoLineEpoch(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, consumed = 0;
    const int read = std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[T ]%2d:%2d:%n", &year, &month, &day, &hour, &minute,
                                 &consumed);
    if (read != 5 || consumed == 0) return std::nullopt;
    std::string_view rest = std::string_view(text).substr(size_t(consumed));
    if (rest.ends_with('Z')) rest.remove_suffix(1);
    double seconds = 0.0;
    const bool secondsRead = rest.size() >= 2 && rest[0] >= '0' && rest[0] <= '9' && ParseWhole(rest, seconds) &&
                             seconds >= 0.0 && seconds < 61.0;
    if (!secondsRead || year < 1957 || year > 2056 || !IsCalendarDate(year, month, day) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59)
        return std::nullopt;
    const double dayOfYear =
        JulianDay(year, month, day) - JulianDay(year, 1, 0) + (hour * 3600.0 + minute * 60.0 + seconds) / 86400.0;
    char epoch[32];
    std::snprintf(epoch, sizeof epoch, "%02d%012.8f", year % 100, dayOfYear);
    return epoch;
}

// OBJECT_ID "1998-067A" as the two-line designator "98067A  "; blanks for any other form.
std::string Designator(const std::string* id) {
    std::string out(8, ' ');
    if (!id || id->size() < 9 || id->size() > 11 || (*id)[4] != '-') return out;
    const std::string piece = id->substr(8);
    for (const char c : id->substr(0, 4) + id->substr(5, 3))
        if (c < '0' || c > '9') return out;
    for (const char c : piece)
        if (c < 'A' || c > 'Z') return out;
    return (id->substr(2, 2) + id->substr(5, 3) + piece).append(8 - 5 - piece.size(), ' ');
}

std::string WithChecksum(const std::string& line) { return line + char('0' + ElementLineChecksum(line)); }

}  // namespace

std::optional<std::string> OmmToRecord(const OmmFields& fields, SatelliteRecord& record) {
    LineWriter w{fields, std::nullopt};
    const double type = w.Number("EPHEMERIS_TYPE", 0.0);
    if (type != 0.0) {
        const std::string text = w.Find("EPHEMERIS_TYPE") ? *w.Find("EPHEMERIS_TYPE") : "";
        return "EPHEMERIS_TYPE " + text + (type == 4.0 ? " (SGP4-XP)" : "") + " is not 0 (SGP4), the only theory read";
    }
    const std::string* numberText = w.Find("NORAD_CAT_ID");
    int64_t number = -1;
    if (!numberText) return std::string("NORAD_CAT_ID is missing");
    if (!ParseWhole(*numberText, number) || number < 0 || number > kLargestCatalogNumber)
        return "NORAD_CAT_ID \"" + *numberText + "\" is not a catalog number of up to nine digits";
    const std::string* epochText = w.Find("EPOCH");
    if (!epochText) return std::string("EPOCH is missing");
    const std::optional<std::string> epoch = TwoLineEpoch(*epochText);
    if (!epoch) return "EPOCH \"" + *epochText + "\" is not a date and time from 1957 to 2056";

    const std::string columns = std::string(Alpha5Text(number).value_or(std::string(kLargeNumberPlaceholder)));
    const std::string* classification = w.Find("CLASSIFICATION_TYPE");
    const double ndot = w.Number("MEAN_MOTION_DOT", 0.0);
    if (!(std::fabs(ndot) < 0.999999995))
        w.Fail("MEAN_MOTION_DOT " + *w.Find("MEAN_MOTION_DOT") + " is not between -1 and 1");
    char ndotText[32];
    std::snprintf(ndotText, sizeof ndotText, "%c.%08ld", ndot < 0.0 ? '-' : ' ', std::lround(std::fabs(ndot) * 1e8));
    const std::string nddot = w.Exponent("MEAN_MOTION_DDOT", w.Number("MEAN_MOTION_DDOT", 0.0));
    const std::string bstar = w.Exponent("BSTAR", w.Number("BSTAR", 0.0));
    // The format keeps the last digits of both counts.
    const long elementSet = std::lround(std::fmod(std::fabs(w.Number("ELEMENT_SET_NO", 999.0)), 10000.0)) % 10000;
    const long revolution = std::lround(std::fmod(std::fabs(w.Number("REV_AT_EPOCH", 0.0)), 100000.0)) % 100000;

    const std::string inclination = w.Fixed("INCLINATION", w.Number("INCLINATION"), 8, 4);
    const std::string node = w.Fixed("RA_OF_ASC_NODE", w.Number("RA_OF_ASC_NODE"), 8, 4);
    const double eccentricity = w.Number("ECCENTRICITY");
    const long eccentricityDigits = eccentricity >= 0.0 && eccentricity < 1.0 ? std::lround(eccentricity * 1e7) : -1;
    if (eccentricityDigits < 0 || eccentricityDigits > 9999999)
        w.Fail("ECCENTRICITY " + *w.Find("ECCENTRICITY") + " is not between 0 and 1");
    const std::string perigee = w.Fixed("ARG_OF_PERICENTER", w.Number("ARG_OF_PERICENTER"), 8, 4);
    const std::string anomaly = w.Fixed("MEAN_ANOMALY", w.Number("MEAN_ANOMALY"), 8, 4);
    const std::string meanMotion = w.Fixed("MEAN_MOTION", w.Number("MEAN_MOTION"), 11, 8);
    if (w.fault) return w.fault;

    char line1[80], line2[80];
    std::snprintf(line1, sizeof line1, "1 %s%c %s %s %s %s %s 0 %4ld", columns.c_str(),
                  classification ? (*classification)[0] : 'U', Designator(w.Find("OBJECT_ID")).c_str(),
                  epoch->c_str(), ndotText, nddot.c_str(), bstar.c_str(), elementSet);
    std::snprintf(line2, sizeof line2, "2 %s %s %s %07ld %s %s %s%5ld", columns.c_str(), inclination.c_str(),
                  node.c_str(), eccentricityDigits, perigee.c_str(), anomaly.c_str(),
                  meanMotion.c_str(), revolution);
    const std::string* name = w.Find("OBJECT_NAME");
    if (!name) name = w.Find("OBJECT_ID");
    record = SatelliteRecord{name ? name->substr(0, kSatelliteNameLength) : std::to_string(number),
                             WithChecksum(line1), WithChecksum(line2),
                             number > kLargestAlpha5Number ? number : 0};
    // A name is one line of the exported three (a JSON or quoted CSV name may hold line breaks).
    for (char& c : record.name)
        if (uint8_t(c) < 0x20 || c == '\x7F') c = ' ';
    return std::nullopt;
}

}  // namespace vsp
