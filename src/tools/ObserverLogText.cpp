#include "tools/ObserverLogText.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <locale.h>
#include <vector>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "catalog/ObjectTypeTable.h"
#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "format/AngleParse.h"
#include "format/CalendarText.h"
#include "platform/FormatText.h"
#include "platform/SeparatedText.h"

namespace vsp {
namespace {

constexpr int kExportFieldCount = 20;

const ObjectTypeTable& TypeTable() {
    static const ObjectTypeTable table = DefaultObjectTypeTable();
    return table;
}

std::string TypeName(int32_t type) {
    if (type < 0 || type >= kObjectTypeCount) return "";
    return std::string(ObjectTypeName(TypeTable()[size_t(type)]));
}

int32_t TypeOfName(std::string_view name) {
    for (int i = 0; i < kObjectTypeCount; ++i)
        if (ObjectTypeName(TypeTable()[size_t(i)]) == name) return i;
    return 0;
}

std::string ConstellationNameAt(double ra, double dec) {
    const ConstellationEntry* entry = ConstellationAt(ConstellationOfPosition(ra, dec, kJ2000Jd));
    return entry ? std::string(ConstellationName(*entry)) : "";
}

constexpr char kSeparator = ';';

std::string TextField(std::string_view field) { return field == " " ? "" : std::string(field); }

// A whole number in [low, high] written out in full.
bool ReadChoice(std::string_view text, int low, int high, int32_t& value) {
    int read = 0, used = 0;
    if (std::sscanf(std::string(text).c_str(), "%d%n", &read, &used) != 1 || size_t(used) != text.size()) return false;
    if (read < low || read > high) return false;
    value = read;
    return true;
}

}  // namespace

DateOrder DateOrderOfSample(std::string_view shortDate) {
    return shortDate.size() > 1 && shortDate[1] == '2' ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

DateOrder DeviceDateOrder() {
    locale_t locale = newlocale(LC_TIME_MASK, "", locale_t(0));
    if (!locale) locale = newlocale(LC_TIME_MASK, "C", locale_t(0));
    std::tm probe{};
    probe.tm_year = 2007 - 1900;
    probe.tm_mon = 11;
    probe.tm_mday = 1;
    char text[64] = "";
    if (locale) {
        strftime_l(text, sizeof text, "%x", &probe, locale);
        freelocale(locale);
    }
    return DateOrderOfSample(text);
}

std::string NoteDateText(const ObserverLogRecord& note, DateOrder order) {
    return NumericDate(note.year, note.month, note.day, order == DateOrder::MonthFirst);
}

std::string NoteTimeText(const ObserverLogRecord& note) {
    return ClockMinutes(note.hour, note.minute);
}

bool ParseNoteDate(std::string_view text, DateOrder order, ObserverLogRecord& note) {
    int first = 0, second = 0, year = 0, used = 0;
    if (std::sscanf(std::string(text).c_str(), "%d/%d/%d%n", &first, &second, &year, &used) != 3 ||
        size_t(used) != text.size())
        return false;
    const int month = order == DateOrder::MonthFirst ? first : second;
    const int day = order == DateOrder::MonthFirst ? second : first;
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    note.year = year;
    note.month = month;
    note.day = day;
    return true;
}

bool ParseNoteTime(std::string_view text, ObserverLogRecord& note) {
    int hour = 0, minute = 0, used = 0;
    if (std::sscanf(std::string(text).c_str(), "%d:%d%n", &hour, &minute, &used) != 2 || size_t(used) != text.size())
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
    note.hour = hour;
    note.minute = minute;
    return true;
}

std::string LogExportLine(const ObserverLogRecord& note, DateOrder order, const TextFormats& formats) {
    const std::string fields[kExportFieldCount] = {
        NoteDateText(note, order),
        NoteTimeText(note),
        note.objectName,
        HMSToStr(note.ra, formats),
        DmsToStr(note.dec, formats),
        TypeName(note.objectType),
        FormatText("%.1f", note.objectMagnitudeX10 / 10.0),
        ConstellationNameAt(note.ra, note.dec),
        std::to_string(note.moonPhasePercent) + "%",
        std::to_string(note.sunAltitude) + kDegreeSign,
        FormatText("%.1f", note.visualLimitX10 * 0.1),
        std::to_string(note.transparency),
        std::to_string(note.seeing),
        note.scope,
        note.location,
        note.filter,
        note.logText,
        std::to_string(note.eyepiece),
        std::to_string(note.detection),
        std::to_string(note.impression),
    };
    std::string line;
    for (const std::string& field : fields) line += (field.empty() ? " " : QuotedField(field, kSeparator)) + kSeparator;
    return line + ";\n";
}

size_t LogExportRecordLength(std::string_view text) { return SeparatedRecordLength(text, kSeparator); }

bool ParseLogExportLine(std::string_view line, DateOrder order, ObserverLogRecord& note) {
    const std::vector<std::string> f = SplitSeparatedRecord(line, kSeparator);
    if (f.size() < kExportFieldCount) return false;
    ObserverLogRecord read;
    read.objectName = TextField(f[2]).substr(0, kLogObjectNameChars);
    if (read.objectName.empty() || !ParseNoteDate(f[0], order, read) || !ParseNoteTime(f[1], read)) return false;
    if (!ReadChoice(f[11], 0, 2, read.transparency) || !ReadChoice(f[12], 0, 2, read.seeing) ||
        !ReadChoice(f[17], 0, 1 << 30, read.eyepiece) || !ReadChoice(f[18], 0, 2, read.detection) ||
        !ReadChoice(f[19], 0, 1, read.impression))
        return false;
    const auto ra = ParseCoordinate(f[3], 0.0, 24.0);
    const auto dec = ParseCoordinate(f[4], -90.0, 90.0);
    if (!ra || !dec) return false;
    read.ra = float(*ra);
    read.dec = float(*dec);
    read.objectType = TypeOfName(TextField(f[5]));
    read.objectMagnitudeX10 = int32_t(std::lround(ParseDecimal(f[6]) * 10.0));
    read.moonPhasePercent = ParseInteger(f[8]);
    read.sunAltitude = ParseInteger(f[9]);
    read.visualLimitX10 = int32_t(std::lround(ParseDecimal(f[10]) * 10.0));
    read.scope = TextField(f[13]).substr(0, kLogScopeChars);
    read.location = TextField(f[14]).substr(0, kLogLocationChars);
    read.filter = TextField(f[15]).substr(0, kLogFilterChars);
    read.logText = TextField(f[16]).substr(0, kLogTextChars);
    note = std::move(read);
    return true;
}

}  // namespace vsp
