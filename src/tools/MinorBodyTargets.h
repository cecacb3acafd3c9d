#pragma once
// Comets and minor planets as targets of the observing list: the entry of a database record,
// the record an entry names (by its designation, which survives a new import of the
// elements), the place of an entry at another time, and the record a typed name means.
//
// Places are those the planets' entries carry: the apparent place of ComputeMinorBody in the
// settings' chart mode, turned back to the J2000 equator by precession alone (IAU 1976), so
// that nutation and aberration stay in (under 40"); geocentric or topocentric as the chart
// mode is. A moving target's entry holds the place of the time it was made for; whoever shows
// or points at it for another time asks MinorEntriesAt.

#include <string>
#include <string_view>
#include <vector>

#include "catalog/ListEntry.h"
#include "catalog/ObservingList.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"
#include "solarsystem/MinorBodyDatabase.h"

namespace vsp {

struct MinorBodyPlace {
    MinorBodyPosition position;      // as ComputeMinorBody gives it
    double raJ2000 = 0.0;            // hours
    double decJ2000 = 0.0;           // degrees
    double magnitude = 0.0;          // 0 (none) where the elements give no H or g
};

// False (nothing filled) where the ephemeris has no answer: elements that describe no orbit,
// an instant outside the Earth's ephemeris.
bool MinorBodyPlaceAt(const MinorBodyRecord& record, const Instant& when, const EphemerisSettings& settings,
                      MinorBodyPlace& out);

// The name an entry shows (15 bytes, device code page): the label when it fits ("(1) Ceres",
// "12P/Pons-Brooks"), else a minor planet's name, else the designation ("C/2023 A3").
std::string MinorBodyEntryName(const MinorBodyRecord& record);

// The entry of `record` at `place`: catalog Comet&Asteroid, type COMET or MINOR, kind
// kEntryComet or kEntryMinorPlanet, the constellation of the J2000 place.
ListEntry MinorBodyListEntry(const MinorBodyRecord& record, const MinorBodyPlace& place, int32_t sourceIndex);

// The record an entry names; nullptr for other entries and for a target the databases no
// longer hold.
const MinorBodyRecord* FindMinorBodyOfEntry(const MinorBodies& bodies, const ListEntry& entry);

// `list` with its comets and minor planets moved to their places (and magnitudes) at `when`;
// the other entries, and targets the databases no longer hold, as they were.
ObservingList MinorEntriesAt(const ObservingList& list, const MinorBodies& bodies, const Instant& when,
                             const EphemerisSettings& settings);
// The same from the databases under `dir`, read only when the list holds such an entry.
ObservingList MinorEntriesAt(const ObservingList& list, const ProgramDir& dir, InfoSink& messages,
                             const Instant& when, const EphemerisSettings& settings);

enum class MinorBodyLookup { Found, NotFound, Ambiguous };
// The entry, placed at `when`, of the one record of the databases under `dir` that `typed`
// (UTF-8) means; Ambiguous with the candidates' labels (UTF-8, a few) when several are meant.
// NotFound too for a record whose place cannot be had.
MinorBodyLookup LookUpMinorBodyEntry(const ProgramDir& dir, InfoSink& messages, std::string_view typed,
                                     const Instant& when, const EphemerisSettings& settings, ListEntry& out,
                                     std::vector<std::string>& candidates);

}  // namespace vsp
