// `emulate lx200|nexstar|gps|... --port PATH`: a mount, a setting-circle box or a GPS receiver
// on a pseudo-terminal (or on a terminal device given), served until Ctrl+C, SIGTERM or
// --seconds, for trying the program, or any other client, without the hardware.

#include "cli/EmulateCommand.h"

#include <cctype>
#include <cerrno>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/PseudoTerminal.h"
#include "platform/StopSignals.h"
#include "platform/SystemError.h"
#include "scope/EmulatorLoop.h"
#include "scope/GpsEmulator.h"
#include "scope/Lx200Emulator.h"
#include "scope/NexStarEmulator.h"

namespace vsp::cli {

int Serve(CliContext& ctx, const std::string& kind, const EmulateArgs& args, const EmulatedDevice& device) {
    PseudoTerminal port;
    if (!port.Open(args.port)) {
        const int code = LastSystemErrorCode();
        if (code == EEXIST) return JobFailed(ctx, args.port + " exists and is neither a terminal device nor a symlink");
        return JobFailed(ctx, "Cannot serve " + args.port + ": " + SystemErrorText(code));
    }
    if (ctx.Json()) {
        ctx.Out() << JsonText({{"device", kind}, {"port", args.port}, {"device_path", port.DevicePath()}}) << std::endl;
    } else {
        ctx.Out() << "serving " << kind << " on " << args.port << " (" << port.DevicePath() << ")" << std::endl;
    }
    CatchStopSignals();
    if (ServeEmulatedDevice(port, device, args.seconds, StopSignalled) == ServeEnd::PortFailed) {
        return JobFailed(ctx, "The device " + port.DevicePath() + " failed: " + SystemErrorText(LastSystemErrorCode()));
    }
    return kExitOk;
}

namespace {

int RunLx200(CliContext& ctx, const EmulateArgs& args) {
    auto mount = std::make_shared<Lx200Emulator>(args.precision == "long" ? Lx200Precision::Long
                                                                          : Lx200Precision::Short);
    const CalendarDateTime today = ctx.ObservingTime();
    mount->SetDate(today.year, today.month, today.day);
    if (args.ra) mount->PlaceAt({*args.ra, *args.dec});
    return Serve(ctx, "lx200", args, MountDevice(mount));
}

int RunNexStar(CliContext& ctx, const EmulateArgs& args) {
    auto mount = std::make_shared<NexStarEmulator>(args.precise, args.ultima);
    if (args.ra) mount->PlaceAt({*args.ra, *args.dec});
    return Serve(ctx, "nexstar", args, MountDevice(mount));
}

int RunGps(CliContext& ctx, const EmulateArgs& args) {
    const Site& site = ctx.Prefs().site;
    // The options themselves when given: the stored site keeps only single precision.
    const GpsEmulatorPlace place{ctx.Options().latitude.value_or(site.latitude),
                                 ctx.Options().longitudeEast.value_or(-site.longitude),
                                 ctx.Options().elevation.value_or(site.elevation)};
    auto receiver = std::make_shared<GpsEmulator>(place, args.talker);
    const EmulatedDevice device{[](std::string_view) { return std::string(); },
                                [receiver](double unixSeconds, double) { return receiver->Advance(unixSeconds); }};
    return Serve(ctx, "gps", args, device);
}

}  // namespace

CLI::App* AddEmulator(CommandRegistry& registry, CLI::App* family, const std::string& name,
                      const std::string& description, std::shared_ptr<EmulateArgs> args,
                      int (*run)(CliContext&, const EmulateArgs&)) {
    CLI::App* command = registry.Add(name, description, [args, run](CliContext& ctx) { return run(ctx, *args); },
                                     family);
    command->add_option("--port", args->port, "where clients find the device: a symlink made there to a new "
                                              "pseudo-terminal, or a terminal device served as it is")
        ->type_name("PATH")
        ->required();
    AddNumber(*command, "--seconds", args->seconds, "N", "stop after N seconds (default: at Ctrl+C or SIGTERM)")
        ->check(CLI::PositiveNumber);
    return command;
}

void AddStartPlace(CLI::App& command, EmulateArgs& args) {
    AddRaDec(command, args.ra, args.dec, false);
    command.get_option("--ra")->needs("--dec");
    command.get_option("--dec")->needs("--ra");
}

void AddEmulateCommands(CommandRegistry& registry) {
    CLI::App* family = registry.AddFamily("emulate", "Serve an emulated device on a pseudo-terminal");
    auto lx200Args = std::make_shared<EmulateArgs>();
    CLI::App* lx200 = AddEmulator(registry, family, "lx200", "An LX200 mount", lx200Args, RunLx200);
    lx200->add_option("--precision", lx200Args->precision, "coordinate replies, short (HH:MM.T) or long (HH:MM:SS)")
        ->check(CLI::IsMember({"short", "long"}));
    AddStartPlace(*lx200, *lx200Args);
    lx200->footer("The mount starts at rest at --ra/--dec (default 0 h, 0 deg) and answers the LX200 command "
                  "set: positions, targets, slews, syncs, motions, rates and the precision toggle.");

    auto nexstarArgs = std::make_shared<EmulateArgs>();
    CLI::App* nexstar =
        AddEmulator(registry, family, "nexstar", "A mount behind a NexStar hand controller", nexstarArgs, RunNexStar);
    nexstar->add_flag("--precise", nexstarArgs->precise,
                      "a hand controller that also takes the 32-bit commands (firmware 4.21, else 1.2)");
    nexstar->add_flag("--ultima", nexstarArgs->ultima,
                      "an Ultima 2000: each command is taken with the carriage return that closes it");
    AddStartPlace(*nexstar, *nexstarArgs);
    nexstar->footer("The mount starts at rest at --ra/--dec (default 0 h, 0 deg) and answers the NexStar commands: "
                    "positions (E, e), gotos (R, r), syncs (S, s, F), slewing (L), cancel (M), echo (K), version (V), "
                    "the motor pass-through slews (P) and, after a \"?\", the NexStar 5 and 8's binary exchanges.");
    AddSimpleMountEmulators(registry, family);
    AddTakahashiEmulator(registry, family);
    AddEncoderEmulator(registry, family);

    auto gpsArgs = std::make_shared<EmulateArgs>();
    CLI::App* gps = AddEmulator(registry, family, "gps", "A GPS receiver with a fix", gpsArgs, RunGps);
    gps->add_option("--talker", gpsArgs->talker, "talker of the sentences: GP (GPS), GN, GL, GA, BD, ...")
        ->check([](const std::string& talker) {
            const bool letters = talker.size() == 2 && std::isupper((unsigned char)talker[0]) &&
                                 std::isupper((unsigned char)talker[1]);
            return letters ? "" : "needs two capital letters";
        });
    gps->footer("Sends a GGA and an RMC sentence (NMEA 0183) at every UTC second for the site: the common "
                "options --lat, --lon (EAST positive) and --elev, else the site of the settings.");
}

}  // namespace vsp::cli
