// Two-line element sets to the mean elements and the constants both models derive once.

#include <cmath>
#include <optional>
#include <string>

#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"
#include "satellites/ElementSetText.h"
#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

using namespace sat;

constexpr double kRevPerDayToRadPerMinute = kTwoPi / kMinutesPerDay;
constexpr double kDeepSpacePeriodMinutes = 225.0;

// The number written in columns [first, last] of `line` (0-based, inclusive). Digits, the
// decimal point and a sign count; every other character (blanks, letters) is skipped, as is a
// column beyond the end of the line. `assumedPoint` reads the digits as a fraction, the format's
// assumed leading decimal point.
double ReadField(const std::string& line, size_t first, size_t last, bool assumedPoint = false) {
    double value = 0.0;
    double scale = assumedPoint ? 0.1 : 0.0;  // 0 while reading the whole part
    bool negative = false;
    for (size_t i = first; i <= last && i < line.size(); ++i) {
        const char c = line[i];
        if (c == '-') {
            negative = true;
        } else if (c == '.') {
            if (scale == 0.0) scale = 0.1;
        } else if (c >= '0' && c <= '9') {
            const int digit = c - '0';
            if (scale == 0.0) {
                value = value * 10.0 + digit;
            } else {
                value += digit * scale;
                scale *= 0.1;
            }
        }
    }
    return negative ? -value : value;
}

// A mantissa with an assumed leading point and its signed exponent digit ("-30915-6").
double ReadExponentField(const std::string& line, size_t first) {
    return ReadField(line, first, first + 5, true) * std::pow(10.0, ReadField(line, first + 6, first + 7));
}

void ReadElementLines(const SatelliteRecord& record, SatelliteElements& e) {
    const std::string& l1 = record.line1;
    const std::string& l2 = record.line2;
    e.epoch = ReadField(l1, 18, 31);
    e.epochJd = SatelliteEpochToJd(e.epoch);
    e.nDot2 = ReadField(l1, 33, 42) * kTwoPi / (kMinutesPerDay * kMinutesPerDay);
    e.nDdot6 = ReadExponentField(l1, 44) * kTwoPi / (kMinutesPerDay * kMinutesPerDay * kMinutesPerDay);
    e.bstar = ReadExponentField(l1, 53);
    e.inclination = ReadField(l2, 8, 15) * kDegToRad;
    e.node = ReadField(l2, 17, 24) * kDegToRad;
    e.eccentricity = ReadField(l2, 26, 32, true);
    e.perigee = ReadField(l2, 34, 41) * kDegToRad;
    e.meanAnomaly = ReadField(l2, 43, 50) * kDegToRad;
    e.meanMotionRevPerDay = ReadField(l2, 52, 62);
    e.meanMotion = e.meanMotionRevPerDay * kRevPerDayToRadPerMinute;
}

// The recovered semi-major axis and mean motion (as SGP4 initialisation has them), the
// secular rates of node and perigee, and the period.
void DeriveOrbit(SatelliteElements& e) {
    e.keOverN0 = kKe / e.meanMotion;
    e.a1 = std::pow(e.keOverN0, 2.0 / 3.0);
    e.cosI0 = std::cos(e.inclination);
    e.sinI0 = std::sin(e.inclination);
    const double e2 = e.eccentricity * e.eccentricity;
    const double gravity = 1.5 * kK2 * (3.0 * e.cosI0 * e.cosI0 - 1.0) / std::pow(1.0 - e2, 1.5);
    e.delta1 = gravity / (e.a1 * e.a1);
    const double d1 = e.delta1;
    e.a0 = e.a1 * (1.0 - d1 / 3.0 - d1 * d1 - (134.0 / 81.0) * d1 * d1 * d1);
    e.p0 = e.a0 * (1.0 - e2);
    e.q0 = e.a0 * (1.0 - e.eccentricity);
    e.l0 = e.meanAnomaly + e.perigee + e.node;
    const double rateScale = e.meanMotion / (e.p0 * e.p0);
    e.nodeRate = -3.0 * kK2 * rateScale * e.cosI0;
    e.perigeeRate = 1.5 * kK2 * rateScale * (5.0 * e.cosI0 * e.cosI0 - 1.0);
    const double delta0 = gravity / (e.a0 * e.a0);
    e.modelMeanMotion = e.meanMotion / (1.0 + delta0);
    e.periodMin = kTwoPi / e.modelMeanMotion;
    e.deepSpace = e.periodMin >= kDeepSpacePeriodMinutes;
}

std::string FieldText(const std::string& line, size_t first, size_t last) {
    return "\"" + std::string(TrimBlanks(std::string_view(line).substr(first, last + 1 - first))) + "\"";
}

// The exponent of a field with an assumed point: a sign (or blank) and one digit.
std::optional<std::string> ExponentFault(const std::string& line, size_t first, const char* field) {
    const char sign = line[first + 6], digit = line[first + 7];
    if ((sign == ' ' || sign == '+' || sign == '-') && digit >= '0' && digit <= '9') return std::nullopt;
    return "exponent " + FieldText(line, first + 6, first + 7) + " of " + field + " is not a sign and one digit";
}

std::optional<std::string> AngleFault(const std::string& line, size_t first, double radians, int highestDegrees,
                                      const char* field) {
    const double degrees = radians * kRadToDeg;
    if (degrees >= 0.0 && degrees <= highestDegrees) return std::nullopt;
    return std::string(field) + " " + FieldText(line, first, first + 7) + " is not between 0 and " +
           std::to_string(highestDegrees);
}

std::optional<std::string> Line1Fault(const std::string& l1, const SatelliteElements& e) {
    if (std::isnan(e.epochJd) || !(std::fmod(e.epoch, 1000.0) < 367.0))
        return "epoch " + FieldText(l1, 18, 31) + " is not a two-digit year and a day of the year";
    if (auto fault = ExponentFault(l1, 44, "the second derivative")) return fault;
    if (auto fault = ExponentFault(l1, 53, "B*")) return fault;
    // The format writes it as a sign and a fraction.
    if (std::fabs(ReadField(l1, 33, 42)) >= 1.0)
        return "first derivative " + FieldText(l1, 33, 42) + " is not between -1 and 1";
    return std::nullopt;
}

std::optional<std::string> Line2Fault(const std::string& l2, const SatelliteElements& e) {
    if (auto fault = AngleFault(l2, 8, e.inclination, 180, "inclination")) return fault;
    if (auto fault = AngleFault(l2, 17, e.node, 360, "node")) return fault;
    if (auto fault = AngleFault(l2, 34, e.perigee, 360, "argument of perigee")) return fault;
    if (auto fault = AngleFault(l2, 43, e.meanAnomaly, 360, "mean anomaly")) return fault;
    if (!(e.meanMotion > 0.0)) return "mean motion " + FieldText(l2, 52, 62) + " is not above 0";
    // Kepler's third law, before the models' corrections, is plenty to tell an orbit that
    // dips below the ground (where the models' terms grow without bound).
    const double semiMajorAxis = std::pow(kKe / e.meanMotion, 2.0 / 3.0);
    if (semiMajorAxis * (1.0 - e.eccentricity) < 1.0) return std::string("perigee below the Earth's surface");
    return std::nullopt;
}

}  // namespace

std::optional<ElementValueFault> FindElementValueFault(const SatelliteRecord& record) {
    for (const int line : {1, 2})
        if ((line == 1 ? record.line1 : record.line2).size() != kElementLineLength)
            return ElementValueFault{line, "not 69 characters"};
    SatelliteElements e;
    ReadElementLines(record, e);
    if (auto fault = Line1Fault(record.line1, e)) return ElementValueFault{1, *fault};
    if (auto fault = Line2Fault(record.line2, e)) return ElementValueFault{2, *fault};
    return std::nullopt;
}

double SatelliteEpochToJd(double epoch) {
    // Anything else is not a two-digit year and a day, and would overflow the year below.
    if (!(epoch >= 0.0 && epoch < 100000.0)) return std::nan("");
    const double yearDigits = std::floor(epoch / 1000.0);
    const double year = yearDigits < 57.0 ? 2000.0 + yearDigits : 1900.0 + yearDigits;
    return JulianDay(int(year), 1, 0) + (epoch - 1000.0 * yearDigits);  // day 1.0 is 1 January, 0h
}

void ConvertSatelliteRecord(const SatelliteRecord& record, SatelliteElements& elements) {
    elements = SatelliteElements{};
    ReadElementLines(record, elements);
    DeriveOrbit(elements);
    InitializeSgp4(elements);
    if (elements.deepSpace) InitializeDeepSpace(elements);
}

}  // namespace vsp
