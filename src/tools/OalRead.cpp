// Reading an OpenAstronomyLog document into notes: each observation whose target the
// document defines becomes a note, its equipment and place read back by their ids.

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"
#include "platform/XmlNodes.h"
#include "tools/OalDocument.h"
#include "tools/OalTerms.h"
#include "tools/ObserverLogNew.h"

namespace vsp {
namespace {

using Index = std::map<std::string, pugi::xml_node, std::less<>>;

// The elements of a list ("targets") by their id.
Index IndexById(const pugi::xml_node& root, std::string_view list) {
    Index index;
    for (const pugi::xml_node& node : ChildElement(root, list).children())
        if (node.type() == pugi::node_element) index.emplace(node.attribute("id").value(), node);
    return index;
}

pugi::xml_node Referenced(const Index& index, const pugi::xml_node& observation, std::string_view field) {
    const auto found = index.find(TrimBlanks(ChildText(observation, field)));
    return found == index.end() ? pugi::xml_node() : found->second;
}

bool ParseNumber(std::string_view text, double& value) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::optional<double> Degrees(const pugi::xml_node& angle) {
    double value = 0;
    if (!angle || !ParseNumber(angle.text().get(), value)) return std::nullopt;
    const std::string_view unit = angle.attribute("unit").value();
    if (unit == "rad") return value * kRadToDeg;
    if (unit == "arcmin") return value / 60.0;
    if (unit == "arcsec") return value / 3600.0;
    return value;
}

// A text as a note keeps it: in the code page, cut to its slot, without the blanks around it
// and the control characters XML cannot carry (so that it is written back as it was read).
std::string NoteText(std::string_view utf8, size_t chars) {
    const std::string narrow = Utf8ToCp1252(TrimBlanks(XmlCharacters(utf8)));
    return std::string(TrimBlanks(std::string_view(narrow).substr(0, chars)));
}

// "YYYY-MM-DDThh:mm[:ss[.s]][Z|+hh:mm|-hh:mm]" as the local clock of `zoneMinutes`; a time
// without a zone is taken as that clock already.
bool ReadDateTime(std::string_view text, int zoneMinutes, ObserverLogRecord& note) {
    text = TrimBlanks(text);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    const std::string copy(text);
    int used = 0;
    if (std::sscanf(copy.c_str(), "%5d-%2d-%2dT%2d:%2d%n", &year, &month, &day, &hour, &minute, &used) != 5)
        return false;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || year < 1 || year > 9999)
        return false;
    std::string_view rest = text.substr(size_t(used));
    while (!rest.empty() && (rest.front() == ':' || rest.front() == '.' || std::isdigit(static_cast<unsigned char>(rest.front()))))
        rest.remove_prefix(1);
    int fileZone = zoneMinutes;
    if (rest == "Z") fileZone = 0;
    else if (rest.size() == 6 && (rest[0] == '+' || rest[0] == '-')) {
        const int hours = std::atoi(std::string(rest.substr(1, 2)).c_str());
        const int minutes = std::atoi(std::string(rest.substr(4, 2)).c_str());
        fileZone = (rest[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
    } else if (!rest.empty()) return false;
    AddMinutes(year, month, day, hour, minute, zoneMinutes - fileZone);
    if (year < 1 || year > 9999) return false;
    note.year = year, note.month = month, note.day = day, note.hour = hour, note.minute = minute;
    return true;
}

int32_t EyepieceEntry(const std::vector<Eyepiece>& eyepieces, const pugi::xml_node& eyepiece) {
    if (!eyepiece) return 0;
    const std::string model = NoteText(ChildText(eyepiece, "model"), std::string::npos);
    double focal = 0;
    ParseNumber(ChildText(eyepiece, "focalLength"), focal);
    for (size_t i = 0; i < eyepieces.size(); ++i)
        if (eyepieces[i].name == model && std::fabs(eyepieces[i].focalMm - focal) < 0.01) return int32_t(i + 1);
    return 0;
}

void ReadTarget(const pugi::xml_node& target, ObserverLogRecord& note) {
    const pugi::xml_node position = ChildElement(target, "position");
    if (const auto ra = Degrees(ChildElement(position, "ra"))) note.ra = float(std::fmod(std::fmod(*ra, 360.0) + 360.0, 360.0) / 15.0);
    if (const auto dec = Degrees(ChildElement(position, "dec")); dec && std::fabs(*dec) <= 90.0) note.dec = float(*dec);
    const std::string_view kind = AttributeByLocalName(target, "type");
    note.objectType = TypeRowOfOalKind(kind);
    double magnitude = 0;
    if (ParseNumber(ChildText(target, IsStarKind(kind) ? "apparentMag" : "visMag"), magnitude) && std::fabs(magnitude) < 100)
        note.objectMagnitudeX10 = int32_t(std::lround(magnitude * 10));
}

// The results: the conditions line sets its fields, every other description joins the text.
void ReadResults(const pugi::xml_node& observation, ObserverLogRecord& note) {
    std::string text;
    for (const pugi::xml_node& result : observation.children()) {
        if (result.type() != pugi::node_element || LocalName(result) != "result") continue;
        const std::string description = std::string(TrimBlanks(ChildText(result, "description")));
        if (ReadOalConditionsLine(description, note)) continue;
        double rating = 0;
        if (ParseNumber(ChildText(result, "rating"), rating)) note.detection = DetectionOfRating(long(rating));
        if (!description.empty()) text += (text.empty() ? "" : "\n") + description;
    }
    note.logText = NoteText(text, kLogTextChars);
}

struct Document {
    Index targets, sites, scopes, eyepieces, filters;
};

bool ReadObservation(const Document& document, const pugi::xml_node& observation, const OalEquipment& equipment,
                     ObserverLogRecord& note) {
    const pugi::xml_node target = Referenced(document.targets, observation, "target");
    note.objectName = NoteText(ChildText(target, "name"), kLogObjectNameChars);
    if (!target || note.objectName.empty()) return false;
    if (!ReadDateTime(ChildText(observation, "begin"), equipment.zoneMinutes, note)) return false;
    ReadTarget(target, note);
    double number = 0;
    if (ParseNumber(ChildText(observation, "faintestStar"), number) && std::fabs(number) < 100)
        note.visualLimitX10 = int32_t(std::lround(number * 10));
    if (ParseNumber(ChildText(observation, "seeing"), number)) note.seeing = SeeingOfOal(long(number));
    note.scope = NoteText(ChildText(Referenced(document.scopes, observation, "scope"), "model"), kLogScopeChars);
    note.location = NoteText(ChildText(Referenced(document.sites, observation, "site"), "name"), kLogLocationChars);
    const pugi::xml_node filter = Referenced(document.filters, observation, "filter");
    note.filter = filter ? NoteText(ChildText(filter, "model"), kLogFilterChars) : kNoFilterName;
    note.eyepiece = EyepieceEntry(equipment.eyepieces, Referenced(document.eyepieces, observation, "eyepiece"));
    ReadResults(observation, note);
    return true;
}

}  // namespace

bool ReadOalDocument(std::string_view xml, const OalEquipment& equipment, OalReadResult& result,
                     std::string& problem) {
    pugi::xml_document parsed;
    const pugi::xml_parse_result status = parsed.load_buffer(xml.data(), xml.size());
    if (!status) {
        problem = std::string("Not XML: ") + status.description() + " at byte " + std::to_string(status.offset);
        return false;
    }
    const pugi::xml_node root = parsed.document_element();
    if (LocalName(root) != "observations" ||
        !(DeclaresNamespace(root, kOalNamespace) || DeclaresNamespace(root, kOalLaterNamespace))) {
        problem = kNotOalMessage;
        return false;
    }
    const Document document{IndexById(root, "targets"), IndexById(root, "sites"), IndexById(root, "scopes"),
                            IndexById(root, "eyepieces"), IndexById(root, "filters")};
    for (const pugi::xml_node& observation : root.children()) {
        if (observation.type() != pugi::node_element || LocalName(observation) != "observation") continue;
        ObserverLogRecord note;
        if (ReadObservation(document, observation, equipment, note)) result.notes.push_back(std::move(note));
        else ++result.skipped;
    }
    return true;
}

}  // namespace vsp
