#pragma once
// Reading typed times and angles. The parsers never fail: unreadable text gives 0.
// Sexagesimal text may use any separators ("23 45 12", "23h45m12", "23:45:12"), and
// "23h45.2" gives the minutes in tenths; "23.75" is a plain decimal.

#include <optional>
#include <string_view>

namespace vsp {

// 1 when the text is sexagesimal (first, second, third filled), 0 when it is a plain decimal
// or empty. The first field keeps a typed sign.
int SplitSexagesimal(std::string_view text, int& first, int& second, int& third);
// Hours or degrees as typed; negative when the text begins with '-' ("-0:30:00" gives -0.5).
double ParseSexagesimal(std::string_view text);
// ParseSexagesimal's value for a coordinate read from a file: nothing when it lies outside
// [lowest, highest] or its minutes or seconds are not below 60 ("1e308" is not 1 h 308 min).
// Blank text reads as 0, as it always has.
std::optional<double> ParseCoordinate(std::string_view text, double lowest, double highest);
// The same value summed as |first| + (60 second + third) / 3600, as the declinations of the
// user object records are read.
double ParseSexagesimalDeclination(std::string_view text);
// Typed hours given back as degrees (hours x 15); the sign of a sexagesimal text is that of
// its first field alone.
double ParseHoursAsDegrees(std::string_view text);
// Leading blanks, a sign, digits, then '.' or ',' and the fraction digits.
double ParseDecimal(std::string_view text);
// An optional '-', an optional '+', then digits; 0 when no digit follows.
int ParseInteger(std::string_view text);

}  // namespace vsp
