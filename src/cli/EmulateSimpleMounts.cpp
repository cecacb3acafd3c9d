// `emulate servocat|skycommander|siderealtech --port PATH`: the mounts of the simpler serial
// protocols, at rest at --ra/--dec until a client moves them.

#include <memory>

#include "cli/EmulateCommand.h"
#include "scope/ServoCatEmulator.h"
#include "scope/SiderealTechEmulator.h"
#include "scope/SkyCommanderEmulator.h"

namespace vsp::cli {
namespace {

template <typename Mount>
int ServeMount(CliContext& ctx, const std::string& kind, const EmulateArgs& args, std::shared_ptr<Mount> mount) {
    if (args.ra) mount->PlaceAt({*args.ra, *args.dec});
    return Serve(ctx, kind, args, MountDevice(mount));
}

int RunServoCat(CliContext& ctx, const EmulateArgs& args) {
    return ServeMount(ctx, "servocat", args, std::make_shared<ServoCatEmulator>());
}

int RunSkyCommander(CliContext& ctx, const EmulateArgs& args) {
    return ServeMount(ctx, "skycommander", args, std::make_shared<SkyCommanderEmulator>());
}

int RunSiderealTech(CliContext& ctx, const EmulateArgs& args) {
    return ServeMount(ctx, "siderealtech", args,
                      std::make_shared<SiderealTechEmulator>(args.resolution, args.resolution));
}

}  // namespace

void AddSimpleMountEmulators(CommandRegistry& registry, CLI::App* family) {
    auto servoCatArgs = std::make_shared<EmulateArgs>();
    CLI::App* servoCat = AddEmulator(registry, family, "servocat", "A ServoCat controller", servoCatArgs, RunServoCat);
    AddStartPlace(*servoCat, *servoCatArgs);
    servoCat->footer("The mount starts at rest at --ra/--dec (default 0 h, 0 deg); a carriage return gets its "
                     "position as \"HH.hhh +DD.ddd\", \"g\" and a position in that form starts a goto.");

    auto skyCommanderArgs = std::make_shared<EmulateArgs>();
    CLI::App* skyCommander =
        AddEmulator(registry, family, "skycommander", "A SkyCommander", skyCommanderArgs, RunSkyCommander);
    AddStartPlace(*skyCommander, *skyCommanderArgs);
    skyCommander->footer("The mount starts at rest at --ra/--dec (default 0 h, 0 deg); a carriage return gets its "
                         "position as \"HH.hhhh +DD.dddd\", a line \"L0 HH.hhh +DD.ddd\" is acknowledged with \"A\" "
                         "and starts a goto.");

    auto siderealArgs = std::make_shared<EmulateArgs>();
    siderealArgs->resolution = SiderealTechEmulator::kDefaultResolution;
    CLI::App* sidereal = AddEmulator(registry, family, "siderealtech", "A SiderealTech servo controller",
                                     siderealArgs, RunSiderealTech);
    AddStartPlace(*sidereal, *siderealArgs);
    sidereal->add_option("--resolution", siderealArgs->resolution, "encoder counts per turn of each axis")
        ->type_name("COUNTS")
        ->capture_default_str()
        ->check(CLI::Range(0, 1 << 30));
    sidereal->footer("The axes start at rest with Y at --ra x 15 degrees and X at --dec (default 0); the "
                     "controller reports its resolutions (XXU, XXV) and axis counts (X, Y), runs each axis to the "
                     "target it is given at the speed given (X<count>S<speed>, XS, YS) and stops it (XN, YN). A "
                     "resolution of 0 is refused by clients.");
}

}  // namespace vsp::cli
