// Writing the OpenAstronomyLog document: the notes' equipment, places and nights gathered
// once each (in the order the notes first name them), then one observation per note.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include <pugixml.hpp>

#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"
#include "platform/XmlNodes.h"
#include "tools/OalDocument.h"
#include "tools/OalTerms.h"
#include "tools/ObserverLogNew.h"

namespace vsp {
namespace {

constexpr char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kDataSource[] = "Vespertar";
constexpr char kObserverId[] = "observer_1";

std::string XmlText(std::string_view cp1252) { return XmlCharacters(Cp1252ToUtf8(cp1252)); }

void AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

void AddAngle(pugi::xml_node parent, const char* name, double degrees) {
    pugi::xml_node angle = parent.append_child(name);
    angle.append_attribute("unit") = "deg";
    angle.text().set(FormatFixed(degrees, 8).c_str());
}

std::string ZoneText(int minutes) {
    char text[8];
    std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                  std::abs(minutes) % 60);
    return text;
}

std::string DateTimeText(const CalendarDateTime& t, int zoneMinutes) {
    return IsoDate(t.year, t.month, t.day) + "T" + ClockMinutes(t.hour, t.minute) + ":00" + ZoneText(zoneMinutes);
}

CalendarDateTime NoteClock(const ObserverLogRecord& note) {
    CalendarDateTime t{};
    t.year = note.year, t.month = note.month, t.day = note.day, t.hour = note.hour, t.minute = note.minute;
    return t;
}

// The evening a note belongs to: its local date twelve hours earlier.
std::string NightOf(const ObserverLogRecord& note) {
    int year = note.year, month = note.month, day = note.day, hour = note.hour, minute = note.minute;
    AddMinutes(year, month, day, hour, minute, -12 * 60);
    return IsoDate(year, month, day);
}

// Ids handed out once per distinct key, in the order the keys come.
class IdTable {
public:
    explicit IdTable(std::string prefix) : prefix_(std::move(prefix)) {}
    // The key's id, and true the first time the key is seen.
    std::pair<std::string, bool> Id(const std::string& key) {
        auto [at, added] = ids_.try_emplace(key, prefix_ + std::to_string(ids_.size() + 1));
        return {at->second, added};
    }

private:
    std::string prefix_;
    std::map<std::string, std::string> ids_;
};

class OalWriter {
public:
    explicit OalWriter(const OalEquipment& equipment) : equipment_(equipment) { Begin(); }

    void Add(const ObserverLogRecord& note, int number) {
        pugi::xml_node observation = observations_.append_child("observation");
        observation.append_attribute("id") = ("observation_" + std::to_string(number)).c_str();
        AddText(observation, "observer", kObserverId);
        if (!note.location.empty()) {
            AddText(observation, "site", SiteId(note.location));
            AddText(observation, "session", SessionId(note));
        }
        const std::string kind = OalTargetKind(note.objectType, note.objectName);
        AddText(observation, "target", TargetId(note, kind, number));
        AddText(observation, "begin", DateTimeText(NoteClock(note), equipment_.zoneMinutes));
        AddText(observation, "faintestStar", FormatFixed(note.visualLimitX10 / 10.0, 1));
        AddText(observation, "seeing", std::to_string(OalSeeing(note.seeing)));
        if (!note.scope.empty()) AddText(observation, "scope", ScopeId(note.scope));
        if (const auto eyepiece = ChosenEyepiece(equipment_.eyepieces, note.eyepiece))
            AddText(observation, "eyepiece", EyepieceId(note.eyepiece, *eyepiece));
        if (!note.filter.empty() && note.filter != kNoFilterName) AddText(observation, "filter", FilterId(note.filter));
        AddResult(observation, note.logText, IsDeepSkyKind(kind) ? OalRating(note.detection) : 0);
        AddResult(observation, OalConditionsLine(note), 0);
    }

    std::string Text() {
        FinishSessions();
        std::ostringstream out;
        document_.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }

private:
    void Begin() {
        pugi::xml_node declaration = document_.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        observations_ = document_.append_child("oal:observations");
        observations_.append_attribute("version") = "2.1";
        observations_.append_attribute("xmlns:oal") = kOalNamespace;
        observations_.append_attribute("xmlns:xsi") = kXsiNamespace;
        observations_.append_attribute("xsi:schemaLocation") = (std::string(kOalNamespace) + " oal21.xsd").c_str();
        for (const char* list : {"observers", "sites", "sessions", "targets", "scopes", "eyepieces", "lenses",
                                 "filters", "imagers"})
            observations_.append_child(list);
        pugi::xml_node observer = observations_.child("observers").append_child("observer");
        observer.append_attribute("id") = kObserverId;
        AddText(observer, "name", equipment_.observer);
        AddText(observer, "surname", "");
    }

    // A new element of one of the document's lists ("sites", "scopes", ...) with its id.
    pugi::xml_node Listed(const char* list, const char* element, const std::string& id) {
        pugi::xml_node node = observations_.child(list).append_child(element);
        node.append_attribute("id") = id.c_str();
        return node;
    }

    const Site& SiteNamed(const std::string& name) const {
        for (const Site& site : equipment_.sites)
            if (site.name == name) return site;
        return equipment_.sites.front();
    }

    std::string SiteId(const std::string& location) {
        const auto [id, added] = sites_.Id(location);
        if (!added) return id;
        pugi::xml_node site = Listed("sites", "site", id);
        AddText(site, "name", XmlText(location));
        if (equipment_.sites.empty()) return id;
        const Site& place = SiteNamed(location);
        AddAngle(site, "longitude", 0.0 - double(place.longitude));  // the settings keep it west-positive
        AddAngle(site, "latitude", place.latitude);
        AddText(site, "elevation", std::to_string(place.elevation));
        AddText(site, "timezone", std::to_string(place.tzOffset));
        return id;
    }

    std::string SessionId(const ObserverLogRecord& note) {
        const std::string id = sessionIds_.Id(note.location + '\n' + NightOf(note)).first;
        const CalendarDateTime clock = NoteClock(note);
        auto [span, first] = sessions_.try_emplace(id, Session{note.location, clock, clock});
        if (!first) {
            if (JulianDay(clock) < JulianDay(span->second.begin)) span->second.begin = clock;
            if (JulianDay(clock) > JulianDay(span->second.end)) span->second.end = clock;
        }
        return id;
    }

    void FinishSessions() {
        for (const auto& [id, session] : sessions_) {
            pugi::xml_node node = Listed("sessions", "session", id);
            AddText(node, "begin", DateTimeText(session.begin, equipment_.zoneMinutes));
            AddText(node, "end", DateTimeText(session.end, equipment_.zoneMinutes));
            AddText(node, "site", SiteId(session.location));
        }
    }

    std::string TargetId(const ObserverLogRecord& note, const std::string& kind, int number) {
        const std::string id = "target_" + std::to_string(number);
        pugi::xml_node target = Listed("targets", "target", id);
        if (!kind.empty()) target.append_attribute("xsi:type") = kind.c_str();
        AddText(target, "datasource", kDataSource);
        AddText(target, "name", XmlText(note.objectName));
        pugi::xml_node position = target.append_child("position");
        AddAngle(position, "ra", double(note.ra) * 15.0);
        AddAngle(position, "dec", note.dec);
        const std::string magnitude = FormatFixed(note.objectMagnitudeX10 / 10.0, 1);
        if (IsDeepSkyKind(kind)) AddText(target, "visMag", magnitude);
        if (IsStarKind(kind)) AddText(target, "apparentMag", magnitude);
        return id;
    }

    std::string ScopeId(const std::string& model) {
        const auto [id, added] = scopes_.Id(model);
        if (!added) return id;
        pugi::xml_node scope = Listed("scopes", "scope", id);
        scope.append_attribute("xsi:type") = "oal:scopeType";
        AddText(scope, "model", XmlText(model));
        // "200mm", as a new note names the scope, is its aperture; any other name the settings'.
        int aperture = std::atoi(model.c_str());
        if (aperture <= 0 || !model.ends_with("mm")) aperture = std::max(equipment_.apertureMm, 1);
        AddText(scope, "aperture", std::to_string(aperture));
        AddText(scope, "focalLength", FormatFixed(equipment_.focalLengthMm > 0 ? equipment_.focalLengthMm : aperture * 5.0, 0));
        return id;
    }

    std::string EyepieceId(int32_t entry, const Eyepiece& eyepiece) {
        const auto [id, added] = eyepieces_.Id(std::to_string(entry));
        if (!added) return id;
        pugi::xml_node node = Listed("eyepieces", "eyepiece", id);
        AddText(node, "model", XmlText(eyepiece.name));
        if (!eyepiece.brand.empty()) AddText(node, "vendor", XmlText(eyepiece.brand));
        AddText(node, "focalLength", FormatFixed(eyepiece.focalMm > 0 ? eyepiece.focalMm : 1.0, 2));
        if (eyepiece.apparentFieldDeg > 0) AddAngle(node, "apparentFOV", eyepiece.apparentFieldDeg);
        return id;
    }

    std::string FilterId(const std::string& model) {
        const auto [id, added] = filters_.Id(model);
        if (!added) return id;
        pugi::xml_node filter = Listed("filters", "filter", id);
        AddText(filter, "model", XmlText(model));
        AddText(filter, "type", std::string(OalFilterKind(model)));
        return id;
    }

    static void AddResult(pugi::xml_node observation, const std::string& text, int rating) {
        pugi::xml_node result = observation.append_child("result");
        if (rating > 0) result.append_attribute("xsi:type") = "oal:findingsDeepSkyType";
        AddText(result, "description", XmlText(text));
        if (rating > 0) AddText(result, "rating", std::to_string(rating));
    }

    struct Session {
        std::string location;
        CalendarDateTime begin, end;
    };
    static double JulianDay(const CalendarDateTime& t) { return JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, 0, 0); }

    const OalEquipment& equipment_;
    pugi::xml_document document_;
    pugi::xml_node observations_;
    IdTable sites_{"site_"}, sessionIds_{"session_"}, scopes_{"scope_"}, eyepieces_{"eyepiece_"}, filters_{"filter_"};
    std::map<std::string, Session> sessions_;
};

}  // namespace

std::string WriteOalDocument(const std::vector<ObserverLogRecord>& notes, const OalEquipment& equipment) {
    OalWriter writer(equipment);
    int number = 0;
    for (const ObserverLogRecord& note : notes) writer.Add(note, ++number);
    return writer.Text();
}

}  // namespace vsp
