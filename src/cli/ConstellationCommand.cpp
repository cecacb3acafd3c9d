// constellation: which constellation holds a position (J2000 unless --epoch gives the equinox).

#include <memory>
#include <optional>
#include <string>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/Text.h"

namespace vsp::cli {

namespace {

struct PositionArgs {
    std::optional<double> ra, dec, epoch;
};

int RunConstellation(CliContext& ctx, const PositionArgs& args) {
    const int index = ConstellationOfPosition(*args.ra, *args.dec, JulianEpochToJd(args.epoch.value_or(2000.0)));
    const ConstellationEntry* entry = ConstellationAt(index);
    const std::string abbreviation = entry ? std::string(ConstellationAbbreviation(*entry)) : "";
    const std::string name = entry ? Cp1252ToUtf8(ConstellationName(*entry)) : "";
    if (ctx.Json()) {
        nlohmann::json document = {{"index", index}, {"abbreviation", nullptr}, {"name", nullptr}};
        if (entry) {
            document["abbreviation"] = abbreviation;
            document["name"] = name;
        }
        PrintJson(ctx, document);
        return kExitOk;
    }
    if (!entry) {
        PrintRows(ctx, {{"Constellation", "none"}, {"Index", "-1"}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Constellation", name},
                    {"Abbreviation", abbreviation},
                    {"Index", std::to_string(index)}});
    return kExitOk;
}

}  // namespace

void AddConstellationCommand(CommandRegistry& registry) {
    auto args = std::make_shared<PositionArgs>();
    CLI::App* constellation = registry.Add("constellation", "The constellation that holds a position",
                                           [args](CliContext& ctx) { return RunConstellation(ctx, *args); });
    AddRaDec(*constellation, args->ra, args->dec, true);
    AddNumber(*constellation, "--epoch", args->epoch, "YEAR", "Julian epoch of the equinox (default J2000)")
        ->check(CLI::Range(0.0, 4000.0));
    constellation->footer("The position is precessed to 1875.0 and looked up in the boundary table of Roman "
                          "(1987). Keys index (row of the 89-row constellation table, Serpens Caput and Cauda "
                          "apart; -1 for none), abbreviation and name.");
}

}  // namespace vsp::cli
