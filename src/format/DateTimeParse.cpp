#include "format/DateTimeParse.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "ephemeris/Time.h"

namespace vsp {
namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr size_t kMostDigits = 9;  // keeps every field inside an int

// The fields of `text` between `separator`s, each one to kMostDigits decimal digits; empty
// when any field is not.
std::vector<int> Fields(std::string_view text, char separator) {
    std::vector<int> fields;
    while (true) {
        const size_t end = std::min(text.find(separator), text.size());
        int value = 0;
        const char* last = text.data() + end;
        auto [stop, ec] = std::from_chars(text.data(), last, value);
        const bool digitsOnly = end > 0 && end <= kMostDigits && text[0] != '-' && text[0] != '+';
        if (!digitsOnly || ec != std::errc() || stop != last) return {};
        fields.push_back(value);
        if (end == text.size()) return fields;
        text.remove_prefix(end + 1);
    }
}

std::nullopt_t Refuse(std::string& reason, std::string_view kind, std::string_view text,
                      const std::string& why) {
    reason = "invalid " + std::string(kind) + " " + std::string(text) + " (" + why + ")";
    return std::nullopt;
}

}  // namespace

std::optional<CalendarDay> ParseCalendarDay(std::string_view text, std::string& reason) {
    const bool beforeYearZero = !text.empty() && text.front() == '-';
    const std::vector<int> fields = Fields(text.substr(beforeYearZero ? 1 : 0), '-');
    if (fields.size() != 3) return Refuse(reason, "date", text, "expected YYYY-MM-DD");
    const CalendarDay date{beforeYearZero ? -fields[0] : fields[0], fields[1], fields[2]};
    if (date.month < 1 || date.month > 12) return Refuse(reason, "date", text, "months run from 1 to 12");
    const int days = DaysInMonth(date.year, date.month);
    if (date.day < 1 || date.day > days) {
        return Refuse(reason, "date", text,
                      std::string(kMonthNames[date.month - 1]) + " has " + std::to_string(days) + " days");
    }
    return date;
}

std::optional<ClockTime> ParseClockTime(std::string_view text, std::string& reason) {
    const std::vector<int> fields = Fields(text, ':');
    if (fields.size() != 2 && fields.size() != 3) return Refuse(reason, "time", text, "expected HH:MM[:SS]");
    const ClockTime time{fields[0], fields[1], fields.size() == 3 ? fields[2] : 0};
    if (time.hour > 23) return Refuse(reason, "time", text, "hours run from 0 to 23");
    if (time.minute > 59) return Refuse(reason, "time", text, "minutes run from 0 to 59");
    if (time.second > 59) return Refuse(reason, "time", text, "seconds run from 0 to 59");
    return time;
}

}  // namespace vsp
