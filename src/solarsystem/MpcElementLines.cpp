#include "solarsystem/MpcElementLines.h"

#include <cmath>
#include <limits>

#include "ephemeris/Constants.h"
#include "ephemeris/KeplerOrbit.h"
#include "ephemeris/Time.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"
#include "solarsystem/PackedDesignation.h"

namespace vsp {
namespace {

constexpr double kNoMagnitude = std::numeric_limits<double>::quiet_NaN();
constexpr size_t kMinorPlanetElementsEnd = 103;
constexpr size_t kMinorPlanetNameColumn = 166;
constexpr size_t kCometElementsEnd = 79;
constexpr size_t kCometNameColumn = 102;

// Columns `first`..`last` counted from 1, blanks around them dropped.
std::string_view Columns(std::string_view line, size_t first, size_t last) {
    if (line.size() < first) return {};
    return TrimBlanks(line.substr(first - 1, last - first + 1));
}

struct FieldReader {
    std::string_view line;
    std::string& reason;

    bool Real(size_t first, size_t last, const char* what, double& out) {
        if (ParseWhole(Columns(line, first, last), out) && std::isfinite(out)) return true;
        reason = std::string("no ") + what + " in columns " + std::to_string(first) + "-" + std::to_string(last);
        return false;
    }
    // A blank field is NaN; anything else must be a number.
    bool Magnitude(size_t first, size_t last, const char* what, double& out) {
        if (Columns(line, first, last).empty()) {
            out = kNoMagnitude;
            return true;
        }
        return Real(first, last, what, out);
    }
    bool Angle(size_t first, size_t last, const char* what, double& out) {
        if (!Real(first, last, what, out)) return false;
        if (out >= -360.0 && out <= 360.0) return true;
        reason = std::string(what) + " out of range";
        return false;
    }
};

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// "(1) Ceres" -> "(1)", "Ceres"; "2025 AB1" -> itself, no name.
void SplitMinorPlanetName(std::string_view text, MinorBodyRecord& out) {
    if (text.starts_with('(')) {
        const size_t close = text.find(')');
        if (close != std::string_view::npos) {
            out.designation = std::string(text.substr(0, close + 1));
            out.name = std::string(TrimBlanks(text.substr(close + 1)));
            return;
        }
    }
    out.designation = std::string(text);
}

// "C/1995 O1 (Hale-Bopp)" -> "C/1995 O1", "Hale-Bopp"; "12P/Pons-Brooks" -> "12P", "Pons-Brooks".
void SplitCometName(std::string_view text, MinorBodyRecord& out) {
    const size_t open = text.find(" (");
    if (open != std::string_view::npos && text.ends_with(')')) {
        out.designation = std::string(TrimBlanks(text.substr(0, open)));
        out.name = std::string(text.substr(open + 2, text.size() - open - 3));
        return;
    }
    const size_t slash = text.find('/');
    if (out.number > 0 && slash != std::string_view::npos && IsDigits(text.substr(0, slash > 0 ? slash - 1 : 0))) {
        out.designation = std::string(text.substr(0, slash));
        out.name = std::string(text.substr(slash + 1));
        return;
    }
    out.designation = std::string(text);
}

bool ReadCalendarDay(std::string_view line, MinorBodyRecord& out, std::string& reason) {
    int year = 0, month = 0;
    double day = 0.0;
    if (!ParseWhole(Columns(line, 15, 18), year) || !ParseWhole(Columns(line, 20, 21), month) ||
        !ParseWhole(Columns(line, 23, 29), day) || month < 1 || month > 12 || !(day >= 0.0 && day < 32.0)) {
        reason = "no perihelion time in columns 15-29";
        return false;
    }
    const double whole = std::floor(day);
    out.elements.orbit.perihelionJd = JulianDay(year, month, int(whole)) + (day - whole);
    const std::string_view epoch = Columns(line, 82, 89);
    if (epoch.empty()) {
        out.elements.orbit.epochJd = out.elements.orbit.perihelionJd;
        return true;
    }
    int y = 0, m = 0, d = 0;
    if (epoch.size() != 8 || !IsDigits(epoch) || !ParseWhole(epoch.substr(0, 4), y) ||
        !ParseWhole(epoch.substr(4, 2), m) || !ParseWhole(epoch.substr(6, 2), d) || m < 1 || m > 12 || d < 1 ||
        d > 31) {
        reason = "no epoch in columns 82-89";
        return false;
    }
    out.elements.orbit.epochJd = JulianDay(y, m, d);
    return true;
}

}  // namespace

ElementLineFormat RecogniseElementLine(std::string_view line) {
    if (line.size() > kMinorPlanetElementsEnd && line[7] == ' ' && line[25] == ' ' && line[69] == ' ' &&
        UnpackEpoch(line.substr(20, 5)))
        return ElementLineFormat::MinorPlanet;
    if (line.size() > kCometElementsEnd && line[13] == ' ' && line[18] == ' ' && line[21] == ' ' &&
        IsDigits(line.substr(14, 4)))
        return ElementLineFormat::Comet;
    return ElementLineFormat::None;
}

bool ReadMinorPlanetLine(std::string_view line, MinorBodyRecord& out, std::string& reason) {
    out = MinorBodyRecord{};
    out.elements.kind = MinorBodyKind::MinorPlanet;
    if (line.size() < kMinorPlanetElementsEnd) {
        reason = "shorter than " + std::to_string(kMinorPlanetElementsEnd) + " characters";
        return false;
    }
    const std::string_view packed = Columns(line, 1, 7);
    const auto designation = UnpackMinorPlanetDesignation(packed);
    const auto epoch = UnpackEpoch(Columns(line, 21, 25));
    if (!designation) {
        reason = "no packed designation in columns 1-7";
        return false;
    }
    if (!epoch) {
        reason = "no packed epoch in columns 21-25";
        return false;
    }
    FieldReader field{line, reason};
    OrbitalElements& orbit = out.elements.orbit;
    double meanAnomaly = 0.0, axis = 0.0;
    if (!field.Magnitude(9, 13, "H", out.elements.absoluteMagnitude) ||
        !field.Magnitude(15, 19, "G", out.elements.slope) || !field.Angle(27, 35, "mean anomaly", meanAnomaly) ||
        !field.Angle(38, 46, "argument of perihelion", orbit.perihelionArgument) ||
        !field.Angle(49, 57, "node", orbit.node) || !field.Angle(60, 68, "inclination", orbit.inclination) ||
        !field.Real(71, 79, "eccentricity", orbit.eccentricity) || !field.Real(93, 103, "semimajor axis", axis))
        return false;
    if (!(orbit.eccentricity >= 0.0 && orbit.eccentricity < 1.0) || !(axis > 0.0)) {
        reason = "not an elliptic orbit (e " + std::string(Columns(line, 71, 79)) + ", a " +
                 std::string(Columns(line, 93, 103)) + ")";
        return false;
    }
    orbit.epochJd = *epoch;
    orbit.perihelionDistance = axis * (1.0 - orbit.eccentricity);
    orbit.perihelionJd = PerihelionTimeFromMeanAnomaly(*epoch, axis, meanAnomaly);
    if (const auto number = UnpackMinorPlanetNumber(packed)) out.number = *number;
    const std::string_view readable = Columns(line, kMinorPlanetNameColumn + 1, kMinorPlanetNameColumn + 28);
    if (readable.empty()) out.designation = *designation;
    else SplitMinorPlanetName(readable, out);
    return true;
}

bool ReadCometLine(std::string_view line, MinorBodyRecord& out, std::string& reason) {
    out = MinorBodyRecord{};
    out.elements.kind = MinorBodyKind::Comet;
    if (line.size() < kCometElementsEnd) {
        reason = "shorter than " + std::to_string(kCometElementsEnd) + " characters";
        return false;
    }
    const std::string_view head = Columns(line, 1, 12);
    const auto number = UnpackPeriodicCometNumber(line.substr(0, 5));
    const std::string_view packed = Columns(line, 5, 12);
    const auto provisional = UnpackCometDesignation(packed);
    if (!number && !provisional) {
        reason = "no comet designation in columns 1-12 (" + std::string(head) + ")";
        return false;
    }
    FieldReader field{line, reason};
    OrbitalElements& orbit = out.elements.orbit;
    if (!ReadCalendarDay(line, out, reason) || !field.Real(31, 39, "perihelion distance", orbit.perihelionDistance) ||
        !field.Real(42, 49, "eccentricity", orbit.eccentricity) ||
        !field.Angle(52, 59, "argument of perihelion", orbit.perihelionArgument) ||
        !field.Angle(62, 69, "node", orbit.node) || !field.Angle(72, 79, "inclination", orbit.inclination) ||
        !field.Magnitude(92, 95, "g", out.elements.absoluteMagnitude) ||
        !field.Magnitude(97, 100, "k", out.elements.slope))
        return false;
    if (!(orbit.perihelionDistance > 0.0) || !(orbit.eccentricity >= 0.0)) {
        reason = "no orbit with q " + std::string(Columns(line, 31, 39)) + ", e " + std::string(Columns(line, 42, 49));
        return false;
    }
    if (number) out.number = *number;
    const std::string_view readable = Columns(line, kCometNameColumn + 1, kCometNameColumn + 56);
    if (!readable.empty()) SplitCometName(readable, out);
    else out.designation = number ? std::to_string(*number) + line[4] : *provisional;
    return true;
}

}  // namespace vsp
