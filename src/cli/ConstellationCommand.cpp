// constellation: which constellation holds a position (J2000 unless --epoch gives the equinox).

#include <optional>
#include <string>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/Text.h"

namespace vsp::cli {

int RunConstellation(CliContext& ctx, CommandArgs& args) {
    std::optional<double> ra, dec, epoch;
    int status = kExitOk;
    if (!TakeNumber(ctx, args, "--ra", 0.0, 24.0, ra, status) ||
        !TakeNumber(ctx, args, "--dec", -90.0, 90.0, dec, status) ||
        !TakeNumber(ctx, args, "--epoch", 0.0, 4000.0, epoch, status)) {
        return status;
    }
    if ((status = CheckNoLeftover(ctx, args))) return status;
    if (!ra || !dec) return UsageError(ctx, "constellation needs --ra H and --dec D");

    const int index = ConstellationOfPosition(*ra, *dec, JulianEpochToJd(epoch.value_or(2000.0)));
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

}  // namespace vsp::cli
