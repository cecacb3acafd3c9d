// `scope [--drive CODE|NAME] [--port PATH] position|goto|sync|move|stop`: the telescope on its
// serial line, driven the way the scope control form drives it, one operation per run.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/SkyTarget.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"
#include "cli/ScopeSession.h"
#include "scope/ScopeMessages.h"

namespace vsp::cli {
namespace {

struct ScopeArgs {
    ScopeOptions scope;
    // goto and sync
    std::optional<std::string> target;
    std::optional<double> ra, dec;
    // move
    std::string direction;
    int rate = 0;
    double seconds = 1.0;
};

nlohmann::json PositionJson(const EquatorialPosition& position, double azimuth, double altitude) {
    return {{"ra_hours", position.raHours}, {"dec_deg", position.decDegrees}, {"az_deg", azimuth},
            {"alt_deg", altitude}};
}

// Reads the mount through a session already open: a second session could not have the port.
int PrintPosition(CliContext& ctx, ScopeSession& session) {
    EquatorialPosition position;
    if (!session.Dispatcher().ScopeGetPosition(position)) {
        const DriveFamily family = FindDrive(session.Prefs().scopeDrive)->family;
        return JobFailed(ctx, ReadFailureMessage(family, false));
    }
    const HorizontalPlace sky = HorizontalOf(session.Scope().Now(), position);
    const double azimuth = sky.azimuth, altitude = sky.altitude;
    const bool emulated = session.Link().Emulating();
    if (ctx.Json()) {
        nlohmann::json document = PositionJson(position, azimuth, altitude);
        document["emulated"] = emulated;
        PrintJson(ctx, document);
        return kExitOk;
    }
    const TextFormats formats = ctx.Formats();
    PrintRows(ctx, {{"RA", Cp1252ToUtf8(HMSToStr(position.raHours, formats))},
                    {"Dec", Cp1252ToUtf8(DmsToStr(position.decDegrees, formats))},
                    {"Azimuth", Fixed(azimuth, 2) + "\xC2\xB0"},
                    {"Altitude", Fixed(altitude, 2) + "\xC2\xB0"},
                    {"Emulated", emulated ? "yes" : "no"}});
    return kExitOk;
}

int RunPosition(CliContext& ctx, const ScopeArgs& args) {
    int status = kExitOk;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    return PrintPosition(ctx, *session);
}

// The J2000 place of a designation or of --ra/--dec.
std::optional<SkyTarget> CommandTarget(CliContext& ctx, const ScopeArgs& args, int& status) {
    if (args.target) return ResolveSkyTarget(ctx, *args.target, status);
    if (args.ra && args.dec) return SkyTarget{"", *args.ra, *args.dec};
    status = UsageError(ctx, "give a DESIGNATION, or --ra and --dec");
    return std::nullopt;
}

std::string_view GotoResultKey(ScopeGotoResult result) {
    switch (result) {
        case ScopeGotoResult::Failed: return "failed";
        case ScopeGotoResult::PositionsShown: return "positions_shown";
        case ScopeGotoResult::Guidance: return "guidance";
        case ScopeGotoResult::Slewing: return "slewing";
        case ScopeGotoResult::Sent: return "sent";
    }
    return "";
}

void PrintSent(CliContext& ctx, const std::string& name, const ScopeGotoTarget& sent, std::string_view result) {
    if (ctx.Json()) {
        nlohmann::json document = PositionJson(sent.apparent, sent.azimuth, sent.altitude);
        document["target"] = name;
        document["mount_ra_hours"] = sent.mount.raHours;
        document["mount_dec_deg"] = sent.mount.decDegrees;
        document["result"] = result;
        PrintJson(ctx, document);
        return;
    }
    const TextFormats formats = ctx.Formats();
    PrintRows(ctx, {{"Target", name},
                    {"RA", Cp1252ToUtf8(HMSToStr(sent.apparent.raHours, formats))},
                    {"Dec", Cp1252ToUtf8(DmsToStr(sent.apparent.decDegrees, formats))},
                    {"Azimuth", Fixed(sent.azimuth, 2) + "\xC2\xB0"},
                    {"Altitude", Fixed(sent.altitude, 2) + "\xC2\xB0"},
                    {"Result", std::string(result)}});
}

int RunGoto(CliContext& ctx, const ScopeArgs& args) {
    int status = kExitOk;
    const auto target = CommandTarget(ctx, args, status);
    if (!target) return status;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    ScopeGotoTarget sent;
    const ScopeGotoResult result = session->Dispatcher().ScopeGoto({target->raHours, target->decDegrees},
                                                                   session->Prefs().correction, &sent);
    if (result == ScopeGotoResult::Failed) return kExitFailed;
    PrintSent(ctx, target->name, sent, GotoResultKey(result));
    return kExitOk;
}

int RunSync(CliContext& ctx, const ScopeArgs& args) {
    int status = kExitOk;
    const auto target = CommandTarget(ctx, args, status);
    if (!target) return status;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    ScopeDispatcher& dispatcher = session->Dispatcher();
    const auto sent = dispatcher.ReduceTarget({target->raHours, target->decDegrees}, session->Prefs().correction);
    if (!sent || !dispatcher.ScopeSync(sent->apparent)) return kExitFailed;
    PrintSent(ctx, target->name, *sent, "synced");
    return kExitOk;
}

std::optional<ScopeDirection> ParseDirection(const std::string& text) {
    constexpr std::pair<std::string_view, ScopeDirection> kNames[] = {{"north", ScopeDirection::North},
                                                                      {"south", ScopeDirection::South},
                                                                      {"east", ScopeDirection::East},
                                                                      {"west", ScopeDirection::West}};
    for (const auto& [name, direction] : kNames)
        if (EqualsIgnoringCase(name, text)) return direction;
    return std::nullopt;
}

int RunMove(CliContext& ctx, const ScopeArgs& args) {
    const auto direction = ParseDirection(args.direction);
    if (!direction) return UsageError(ctx, "move north, south, east or west, not " + args.direction);
    int status = kExitOk;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    ScopeDispatcher& dispatcher = session->Dispatcher();
    if (!dispatcher.ScopeSetRate(ScopeRate(args.rate)) || !dispatcher.ScopeMove(*direction)) return kExitFailed;
    std::this_thread::sleep_for(std::chrono::duration<double>(args.seconds));
    if (!dispatcher.ScopeStopAxis(*direction)) return kExitFailed;
    return PrintPosition(ctx, *session);
}

int RunStop(CliContext& ctx, const ScopeArgs& args) {
    int status = kExitOk;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    if (!session->Dispatcher().ScopeStop()) return kExitFailed;
    if (ctx.Json()) PrintJson(ctx, {{"stopped", true}, {"emulated", session->Link().Emulating()}});
    return kExitOk;
}

void AddTargetOptions(CLI::App* command, ScopeArgs& args) {
    command->add_option("target", args.target, "a designation (M42, NGC 1976, HR2061) or a bright star's name");
    AddNumber(*command, "--ra", args.ra, "H", "J2000 right ascension instead of a designation");
    AddNumber(*command, "--dec", args.dec, "DEG", "J2000 declination");
}

}  // namespace

void AddScopeCommands(CommandRegistry& registry) {
    auto args = std::make_shared<ScopeArgs>();
    CLI::App* scope = registry.AddFamily("scope", "The telescope mount on its serial port or the network");
    scope->add_option("--drive", args->scope.drive, "a code (0..23, 100, 101) or name of the drive list (default: the settings)")
        ->type_name("CODE|NAME");
    scope->add_option("--port", args->scope.port, "the mount's serial device, tcp://HOST:PORT or, for the drive INDI, "
                      "indi://HOST:PORT/DEVICE (default: the scope port of the settings)")
        ->type_name("PATH");
    scope->add_option("--pier", args->scope.pier, "the side of the pier a Takahashi mount stands on, asked once per "
                                                  "run (default east)")
        ->check(CLI::IsMember({"east", "west"}));
    scope->add_flag("--site-kept", args->scope.siteKept,
                    "the Takahashi mount still holds the site, time and zenith an earlier run handed it: no site set-up");
    scope->footer("Without a port the mount is emulated, as the scope control form does. Positions are of date "
                  "(true equator); --ra/--dec and designations are J2000 catalog places, reduced in the "
                  "settings' correction mode before they are sent.");

    registry.Add("position", "Where the telescope points: ra_hours, dec_deg, az_deg, alt_deg, emulated",
                 [args](CliContext& ctx) { return RunPosition(ctx, *args); }, scope);
    AddTargetOptions(registry.Add("goto", "Slews the mount to a designation or to --ra/--dec",
                                  [args](CliContext& ctx) { return RunGoto(ctx, *args); }, scope),
                     *args);
    AddTargetOptions(registry.Add("sync", "Tells the mount it points at a designation or at --ra/--dec",
                                  [args](CliContext& ctx) { return RunSync(ctx, *args); }, scope),
                     *args);
    CLI::App* move = registry.Add("move", "Moves the mount in one direction for a while, then stops it",
                                  [args](CliContext& ctx) { return RunMove(ctx, *args); }, scope);
    move->add_option("direction", args->direction, "north, south, east or west")->required();
    move->add_option("--rate", args->rate, "0 Fast, 1 Find, 2 Center, 3 Guide")->check(CLI::Range(0, 3));
    move->add_option("--for", args->seconds, "seconds of motion")->check(FiniteNumber())->check(CLI::Range(0.0, 600.0));
    registry.Add("stop", "Stops every motion of the mount", [args](CliContext& ctx) { return RunStop(ctx, *args); },
                 scope);
    AddScopeAlignCommands(registry, scope, args->scope);
    AddScopeNStarCommands(registry, scope, args->scope);
    AddScopeEncodersCommand(registry, scope, args->scope);
}

}  // namespace vsp::cli
