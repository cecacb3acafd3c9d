#pragma once
// The observer notes as an OpenAstronomyLog 2.1 document (the exchange format of the
// observing-log programs; schema "oal21.xsd" of the openastronomylog project): observers,
// sites, sessions, targets, scopes, eyepieces, filters and one observation per note.
//
// A note's fields go where the format has a place for them: the object as a target (its kind
// from the object type, J2000 place in degrees, magnitude), the local clock as the
// observation's begin with the zone's offset, the naked-eye limit as faintestStar, seeing
// 0..2 as OAL seeing 5, 3, 1 (1 is best), the scope, place, filter and eyepiece as the
// equipment and site they name, the free text as the result, and the detection as a deep-sky
// result's rating (Evident 1, Easy 2, Difficult 4). The format has no place for the
// transparency, the impression, the Moon's light, the Sun's altitude or the exact type row, so
// a second result carries them as one readable line ("Vespertar: transparency=Good; ..."),
// which brings a note back field for field. Other programs' logs are read by the same rules;
// what they leave out takes the value a new note would have (filter "None", eyepiece 0).
// Both namespaces are read: the 2.1 one written here and the project's later GitHub one.

#include <string>
#include <string_view>
#include <vector>

#include "catalog/Eyepieces.h"
#include "settings/Preferences.h"
#include "tools/ObserverLogRecord.h"

namespace vsp {

inline constexpr char kOalNamespace[] = "http://groups.google.com/group/openastronomylog";
inline constexpr char kOalLaterNamespace[] = "https://github.com/openastronomylog/openastronomylog";
inline constexpr char kNotOalMessage[] = "Not an OpenAstronomyLog file.";

// What the notes name by text and the document needs in numbers.
struct OalEquipment {
    std::vector<Site> sites;          // a note's place, matched by name; the first is the fallback
    std::vector<Eyepiece> eyepieces;  // the list a note's eyepiece counts in (entry N is N - 1)
    int apertureMm = 0;               // of a scope named without "NNNmm"
    double focalLengthMm = 0.0;
    int zoneMinutes = 0;              // local clock = UT + this
    std::string observer;             // UTF-8; the observer every note is credited to
};

// The document for `notes` (texts in the device code page), UTF-8.
std::string WriteOalDocument(const std::vector<ObserverLogRecord>& notes, const OalEquipment& equipment);

struct OalReadResult {
    std::vector<ObserverLogRecord> notes;  // in document order
    int skipped = 0;                       // observations without a target the document defines
};

// The notes of a document. False with `problem` set when the text is not XML or not an
// OpenAstronomyLog document.
bool ReadOalDocument(std::string_view xml, const OalEquipment& equipment, OalReadResult& result,
                     std::string& problem);

}  // namespace vsp
