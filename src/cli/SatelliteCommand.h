#pragma once
// The `sat` family, whose commands live in more than one file: each file adds its commands to
// the one family this gives.

#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "satellites/CatalogNumber.h"
#include "satellites/SatelliteDatabase.h"

namespace vsp::cli {

inline CLI::App* SatelliteFamily(CommandRegistry& registry) {
    return registry.AddFamily("sat", "Artificial satellites: element sets, positions, passes and flares");
}

// The record `word` names in the open `database`: a whole number below the record count is an
// index, anything else a name's beginning or a catalog number; -1 with a message when none.
inline int FindSatellite(CliContext& ctx, SatelliteDatabase& database, const std::string& word) {
    const auto number = ParseWhole(word);
    const int index = number && *number >= 0 && *number < database.Count() ? int(*number) : database.Find(word);
    if (index < 0) ctx.Messages().InfoBox("No satellite \"" + word + "\" in the database.", "");
    return index;
}

// The satellite a command works on, a required first word.
inline void AddSatelliteWord(CLI::App& command, std::string& word) {
    command.add_option("satellite", word, "a name (its beginning, case ignored), catalog number or index")
        ->required()
        ->type_name("NAME|INDEX");
}

// The converted elements of the satellite `word` names, or false with the message shown. A set
// an older import let in though no orbit has its numbers is refused as the import does now.
bool LoadSatellite(CliContext& ctx, const std::string& word, SatelliteElements& elements, SatelliteRecord& record);

// The record's catalog number for JSON: an integer, null when its lines hold none.
inline nlohmann::json CatalogNumberJson(const SatelliteRecord& record) {
    const std::optional<int64_t> number = SatelliteCatalogNumber(record);
    return number ? nlohmann::json(*number) : nlohmann::json(nullptr);
}

}  // namespace vsp::cli
