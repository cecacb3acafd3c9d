// `emulate takahashi --port PATH`: a Takahashi controller on a pseudo-terminal.

#include <memory>

#include "cli/EmulateCommand.h"
#include "scope/TakahashiEmulator.h"

namespace vsp::cli {
namespace {

int RunTakahashi(CliContext& ctx, const EmulateArgs& args) {
    auto mount = std::make_shared<TakahashiEmulator>(args.pier == "west" ? takahashi::kPierWest : takahashi::kPierEast);
    if (args.ra) mount->PlaceAt({*args.ra, *args.dec});
    return Serve(ctx, "takahashi", args, MountDevice(mount));
}

}  // namespace

void AddTakahashiEmulator(CommandRegistry& registry, CLI::App* family) {
    auto args = std::make_shared<EmulateArgs>();
    CLI::App* command = AddEmulator(registry, family, "takahashi", "A Takahashi mount controller", args, RunTakahashi);
    AddStartPlace(*command, *args);
    command->add_option("--pier", args->pier, "the side of the pier the mount stands on (default east)")
        ->check(CLI::IsMember({"east", "west"}));
    command->footer("The mount starts at rest at --ra/--dec (default 0 h, 0 deg) and answers the Takahashi commands, "
                    "each closed by CR LF: version (v), sidereal time (T), latitude (I), zenith (Z: the pier status "
                    "reads F for a second, then the side; PT turns the mount over), position (E), goto (P, started "
                    "by PS), sync (D), motions (MI, MQ, MC, ME, guide rate MH, MP, MB, MD; each lasts 2.5 s unless "
                    "repeated), stop axis (M@) and stop (PS, s).");
}

}  // namespace vsp::cli
