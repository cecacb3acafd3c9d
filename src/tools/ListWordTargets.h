#pragma once
// What a typed word names for the observing list, and whole lists other programs wrote: the
// Sun, the Moon and the planets (placed for the observing time), deep-sky designations, star
// catalog numbers and bright star names, comets and minor planets of the databases.

#include <optional>
#include <string>
#include <vector>

#include "catalog/ListEntry.h"
#include "catalog/ListExchange.h"
#include "catalog/ObjectLookup.h"
#include "catalog/ObservingList.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

// Where and when the words are read: bodies are placed for that local time and site.
struct ListWordPlace {
    const ProgramDir& dir;
    InfoSink& messages;
    CalendarDateTime observingTime;
    EphemerisSettings settings;
};

// The entry `word` (UTF-8) names; nullopt with `problem` saying why (empty when a box has
// already said it: a catalog file is missing).
std::optional<ListEntry> FindListWord(const ListWordPlace& place, ObjectCatalogs& catalogs, const std::string& word,
                                      std::string& problem);

// Each object of another program's list by the first of its designations, then its name,
// that names an entry ("M 31" tried as "M31"; a star by its proper name first, as `list add
// Vega` finds it). nullopt for an object found nowhere.
std::vector<std::optional<ListEntry>> FindExchangedEntries(const ListWordPlace& place, ObjectCatalogs& catalogs,
                                                           const std::vector<ExchangedEntry>& entries);

// The name an object is shown by in messages (UTF-8).
std::string ExchangedEntryLabel(const ExchangedEntry& entry);

}  // namespace vsp
