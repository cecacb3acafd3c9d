#pragma once
// The `minor` family, whose commands live in more than one file: each file adds its commands to
// the one family this gives, and the pieces they share.

#include <cmath>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "solarsystem/MinorBodyDatabase.h"

namespace vsp::cli {

inline CLI::App* MinorFamily(CommandRegistry& registry) {
    return registry.AddFamily("minor", "Comets and minor planets: element files, lists, positions");
}

// Both databases in one list, comets first; false after the message saying why not.
inline bool LoadAllMinorBodies(CliContext& ctx, std::vector<MinorBodyRecord>& all) {
    MinorBodies bodies;
    if (!LoadMinorBodies(ctx.Home(), ctx.Messages(), bodies)) return false;
    all = std::move(bodies.comets);
    all.insert(all.end(), bodies.minorPlanets.begin(), bodies.minorPlanets.end());
    return true;
}

// A magnitude for JSON: null when the elements give none.
inline nlohmann::json MagnitudeJson(double m) { return std::isfinite(m) ? nlohmann::json(m) : nlohmann::json(nullptr); }

// "comet" or "asteroid", the `kind` of every minor command's JSON.
inline const char* MinorKindKey(MinorBodyKind kind) { return kind == MinorBodyKind::Comet ? "comet" : "asteroid"; }

// The one record `typed` names (FindMinorBodies), or null after the message: kExitFailed in
// `status` when nothing matches, kExitUsage with the candidates listed when several do.
const MinorBodyRecord* FindMinorBody(CliContext& ctx, const MinorBodies& bodies, const std::string& typed, int& status);

// The object a command works on, its required first word.
void AddMinorBodyWord(CLI::App& command, std::string& word);

}  // namespace vsp::cli
