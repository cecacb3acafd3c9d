// Values as users type them: dates and clock times, sexagesimal and decimal hours and angles,
// the numbers of imported lines, the location form's and the preference pages' fields, the
// command line's whole numbers, picture sizes, network addresses and body names, and text
// between the device code page and UTF-8 (every text the program shows must come out as UTF-8
// and go back unchanged).

#include <fuzzer/FuzzedDataProvider.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <utility>

#include "catalog/ImportLines.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ProgramSettings.h"
#include "format/AngleParse.h"
#include "format/DateTimeParse.h"
#include "forms/LocationFields.h"
#include "platform/TcpSocket.h"
#include "platform/Text.h"
#include "settings/PreferenceTyping.h"
#include "settings/PreferenceValues.h"

namespace {

using namespace vsp;

void Dates(const std::string& text) {
    std::string reason;
    if (const auto day = ParseCalendarDay(text, reason)) {
        if (day->month < 1 || day->month > 12 || day->day < 1 || day->day > 31) std::abort();
    }
    if (const auto time = ParseClockTime(text, reason)) {
        if (time->hour < 0 || time->hour > 23 || time->minute < 0 || time->minute > 59 || time->second < 0 ||
            time->second > 59)
            std::abort();
    }
}

void Angles(const std::string& text) {
    int first = 0, second = 0, third = 0;
    SplitSexagesimal(text, first, second, third);
    ParseSexagesimal(text);
    ParseSexagesimalDeclination(text);
    ParseHoursAsDegrees(text);
    ParseDecimal(text);
    ParseInteger(text);
    ParseImportNumber(text);
    // A place read from a memo or a note lies in the range asked for.
    for (const auto& [lowest, highest] : {std::pair{0.0, 24.0}, {-90.0, 90.0}}) {
        const auto value = ParseCoordinate(text, lowest, highest);
        if (value && !(*value >= lowest && *value <= highest)) std::abort();
    }
}

const PreferenceTable& Settings() {
    static const PreferenceTable table = cli::ProgramPreferenceTable();
    return table;
}

void SiteFieldsTyped(const std::string& text) {
    for (const SiteField& field : SiteFields()) {
        Preferences prefs;
        Refusal refusal;
        ReadSiteField(Settings(), field, text, prefs, refusal);
        SiteFieldText(Settings(), field, prefs);
    }
}

// Any field of the preference pages, and `prefs set KEY TEXT`.
void PreferencesTyped(const std::string& text) {
    for (const PreferenceSetting& setting : Settings().All()) {
        Preferences prefs;
        ReadTypedPreference(setting, text, prefs);
        std::string reason;
        ParsePreferenceValue(setting, text, prefs, reason);
        ParsePreferenceRow(setting, text, prefs, reason);
    }
}

void CommandWords(const std::string& text) {
    cli::ParseWhole(text);
    int width = 0, height = 0;
    cli::ParsePixelSize(text, width, height);
    cli::ReadBodyCode(text, 9);
    if (const auto address = ParseTcpAddress(text, 4030)) {
        if (address->port < 1 || address->port > 65535) std::abort();
    }
}

void Encodings(const std::string& text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    (void)nlohmann::json(utf8).dump();  // throws on invalid UTF-8
    if (Utf8ToCp1252(utf8) != text) std::abort();
    (void)nlohmann::json(Cp1252ToUtf8(Utf8ToCp1252(text))).dump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t which = input.ConsumeIntegral<uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    switch (which % 6) {
        case 0: Dates(text); break;
        case 1: Angles(text); break;
        case 2: SiteFieldsTyped(text); break;
        case 3: CommandWords(text); break;
        case 4: Encodings(text); break;
        default: PreferencesTyped(text); break;
    }
    return 0;
}
