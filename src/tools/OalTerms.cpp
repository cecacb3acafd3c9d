#include "tools/OalTerms.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "catalog/ListTargets.h"
#include "catalog/ObjectTypeTable.h"
#include "platform/Text.h"

namespace vsp {
namespace {

// Each kind with the type codes it covers; the first code is the one a kind reads back as.
struct KindCodes {
    std::string_view kind;
    std::array<std::string_view, 8> codes;
};

constexpr KindCodes kKinds[] = {
    {"deepSkyGX", {"GALXY"}},
    {"deepSkyCG", {"GALCL"}},
    {"deepSkyGC", {"GLOCL", "GX+GC", "LMCGC", "SMCGC"}},
    {"deepSkyOC", {"OPNCL", "LMCOC", "SMCOC"}},
    {"deepSkyGN", {"NEBUL", "BRTNB", "CL+NB", "G+C+N", "LMCCN", "SMCCN", "GX+DN", "LMCDN"}},
    {"deepSkyGN", {"SMCDN", "SNREM"}},
    {"deepSkyDN", {"DRKNB"}},
    {"deepSkyPN", {"PLNNB"}},
    {"deepSkyAS", {"ASTER"}},
    {"deepSkyDS", {"2STAR", "3STAR", "4STAR", "5STAR", "6STAR", "7STAR", "8STAR"}},
    {"deepSkyNA", {"NONEX", "PLSAR", "XRAYS", "UVSOB"}},
    {"starTargetType", {"1STAR", "VSTAR"}},
    {"PlanetTargetType", {"PLANET"}},
    {"CometTargetType", {"COMET"}},
    {"MinorPlanetTargetType", {"MINOR"}},
};

std::string_view WithoutPrefix(std::string_view kind) {
    const size_t colon = kind.rfind(':');
    return colon == std::string_view::npos ? kind : kind.substr(colon + 1);
}

int32_t TypeRowOfCode(std::string_view code) {
    for (int32_t row = 1; row < kObjectTypeCount; ++row)
        if (ObjectTypeShortCode(row) == code) return row;
    return 0;
}

constexpr std::array<std::string_view, 3> kQualities = {"Poor", "Good", "Excellent"};
constexpr std::array<std::string_view, 2> kImpressions = {"Faint", "Bright"};
constexpr std::array<std::string_view, 3> kDetections = {"Difficult", "Easy", "Evident"};

template <size_t N>
std::string_view WordOf(const std::array<std::string_view, N>& words, int32_t value) {
    return words[size_t(value >= 0 && size_t(value) < N ? value : 0)];
}

template <size_t N>
bool ValueOf(const std::array<std::string_view, N>& words, std::string_view word, int32_t& value) {
    for (size_t i = 0; i < N; ++i)
        if (words[i] == word) return value = int32_t(i), true;
    return false;
}

bool NumberOf(std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end != text.data();
}

// One "key=value" of the conditions line into the note.
void ReadCondition(std::string_view key, std::string_view value, ObserverLogRecord& note) {
    double number = 0;
    if (key == "transparency") ValueOf(kQualities, value, note.transparency);
    else if (key == "impression") ValueOf(kImpressions, value, note.impression);
    else if (key == "detection") ValueOf(kDetections, value, note.detection);
    else if (key == "type") note.objectType = TypeRowOfCode(value);
    else if (!NumberOf(value, number) || std::fabs(number) > 1e6) return;
    else if (key == "moon") note.moonPhasePercent = int32_t(number);
    else if (key == "sun") note.sunAltitude = int32_t(number);
    else if (key == "magnitude") note.objectMagnitudeX10 = int32_t(std::lround(number * 10));
}

}  // namespace

std::string OalTargetKind(int32_t typeRow, std::string_view objectName) {
    const std::string code = ObjectTypeShortCode(typeRow);
    if (code == "PLANET" && (objectName == "Sun" || objectName == "Moon"))
        return std::string("oal:") + (objectName == "Sun" ? "SunTargetType" : "MoonTargetType");
    for (const KindCodes& entry : kKinds)
        for (std::string_view covered : entry.codes)
            if (!covered.empty() && covered == code) return "oal:" + std::string(entry.kind);
    return {};
}

int32_t TypeRowOfOalKind(std::string_view kind) {
    kind = WithoutPrefix(kind);
    if (kind == "SunTargetType" || kind == "MoonTargetType") return TypeRowOfCode("PLANET");
    for (const KindCodes& entry : kKinds)
        if (entry.kind == kind) return TypeRowOfCode(entry.codes[0]);
    return 0;
}

bool IsDeepSkyKind(std::string_view kind) { return WithoutPrefix(kind).starts_with("deepSky"); }
bool IsStarKind(std::string_view kind) { return WithoutPrefix(kind) == "starTargetType"; }

int OalSeeing(int32_t seeing) { return seeing == 2 ? 1 : seeing == 1 ? 3 : 5; }
int32_t SeeingOfOal(long oalSeeing) { return oalSeeing >= 1 && oalSeeing <= 2 ? 2 : oalSeeing == 3 ? 1 : 0; }
int OalRating(int32_t detection) { return detection == 2 ? 1 : detection == 1 ? 2 : 4; }
int32_t DetectionOfRating(long rating) { return rating == 1 ? 2 : rating == 2 || rating == 3 ? 1 : 0; }

std::string_view OalFilterKind(std::string_view filterName) {
    const std::string name = Lower(filterName);
    const std::pair<std::string_view, std::string_view> hints[] = {
        {"oiii", "O-III"},  {"o-iii", "O-III"},       {"o iii", "O-III"},  {"hbeta", "H-beta"},
        {"h-beta", "H-beta"}, {"h beta", "H-beta"},   {"halpha", "H-alpha"}, {"h-alpha", "H-alpha"},
        {"uhc", "narrow band"}, {"narrow", "narrow band"}, {"solar", "solar"}, {"neutral", "neutral"},
        {"moon", "neutral"}, {"broad", "broad band"}, {"lpr", "broad band"}, {"cls", "broad band"}};
    for (const auto& [hint, kind] : hints)
        if (name.find(hint) != std::string::npos) return kind;
    return "other";
}

std::string OalConditionsLine(const ObserverLogRecord& note) {
    char tail[96];
    std::snprintf(tail, sizeof tail, "moon=%d%%; sun=%ddeg; type=%s; magnitude=%.1f", note.moonPhasePercent,
                  note.sunAltitude, ObjectTypeShortCode(note.objectType).c_str(), note.objectMagnitudeX10 / 10.0);
    return std::string(kOalConditionsPrefix) + "transparency=" + std::string(WordOf(kQualities, note.transparency)) +
           "; impression=" + std::string(WordOf(kImpressions, note.impression)) +
           "; detection=" + std::string(WordOf(kDetections, note.detection)) + "; " + tail;
}

bool ReadOalConditionsLine(std::string_view line, ObserverLogRecord& note) {
    if (!line.starts_with(kOalConditionsPrefix)) return false;
    line.remove_prefix(kOalConditionsPrefix.size());
    while (!line.empty()) {
        const size_t end = std::min(line.find("; "), line.size());
        const std::string_view pair = line.substr(0, end);
        const size_t equals = pair.find('=');
        if (equals != std::string_view::npos) ReadCondition(pair.substr(0, equals), pair.substr(equals + 1), note);
        line.remove_prefix(std::min(line.size(), end + 2));
    }
    return true;
}

}  // namespace vsp
