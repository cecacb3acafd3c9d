// `gps [--port PATH | --gpsd [HOST[:PORT]]] [--save]`: one reading of the GPS receiver, as the
// location form's GPS button takes it, optionally kept as the current site.

#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "scope/GpsLocation.h"
#include "scope/GpsdClient.h"
#include "scope/SerialLink.h"
#include "settings/PreferenceStore.h"

namespace vsp::cli {
namespace {

struct GpsArgs {
    std::optional<std::string> port;
    std::optional<std::string> gpsd;  // HOST[:PORT], empty for the local daemon
    bool save = false;
};

void PrintFix(CliContext& ctx, const GpsFix& fix) {
    if (ctx.Json()) {
        PrintJson(ctx, {{"latitude_deg", fix.latitudeDegrees},
                        {"longitude_deg", fix.longitudeEastDegrees},
                        {"altitude_m", fix.hasAltitude ? nlohmann::json(fix.altitude) : nlohmann::json()},
                        {"utc", fix.utc},
                        {"talker", fix.talker},
                        {"latitude_text", Cp1252ToUtf8(fix.latitudeText)},
                        {"longitude_text", Cp1252ToUtf8(fix.longitudeText)}});
        return;
    }
    PrintRows(ctx, {{"latitude", Cp1252ToUtf8(fix.latitudeText) + "  (" + Fixed(fix.latitudeDegrees, 6) + ")"},
                    {"longitude", Cp1252ToUtf8(fix.longitudeText) + "  (" + Fixed(fix.longitudeEastDegrees, 6) + " east)"},
                    {"altitude", fix.hasAltitude ? Fixed(fix.altitude, 0) + " m" : "none (no GGA sentence)"},
                    {"utc", fix.utc},
                    {"talker", fix.talker}});
}

int RunGps(CliContext& ctx, GpsArgs args) {
    SerialLink link(ctx.Prefs(), ctx.Messages());
    if (args.gpsd) args.port = args.gpsd->empty() ? std::string(kLocalGpsd) : std::string(kGpsdScheme) + *args.gpsd;
    const int port = args.port ? link.Ports().Add(*args.port) : link.GpsPort();
    const std::string name = link.PortName(port);
    if (name.empty()) return JobFailed(ctx, "No GPS port is chosen: give --port PATH or set gps_port.");
    // The link tells why a port will not open.
    if (!IsGpsdPath(name) && !link.SerialOpen(port, kGpsBaud)) return kExitFailed;
    Site site = ctx.SavedPrefs().site;
    const GpsFix fix = GpsToLocation(link, port, 0, site);
    if (fix.latitudeText.empty()) return JobFailed(ctx, "No position from the GPS receiver on " + name);
    if (args.save) {
        // The receiver has answered; the settings are read again and changed under the lock.
        UserFilesLock lock;
        if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
        Preferences& saved = ctx.ReloadSavedPrefs();
        ApplyGpsTexts(fix.latitudeText, fix.longitudeText, saved.site);
        if (!SavePreferences(ctx.Settings(), ctx.Home(), saved)) return JobFailed(ctx, std::string(kSettingsNotSaved));
    }
    PrintFix(ctx, fix);
    return kExitOk;
}

}  // namespace

void AddGpsCommand(CommandRegistry& registry) {
    auto args = std::make_shared<GpsArgs>();
    CLI::App* gps = registry.Add("gps", "One position from the GPS receiver",
                                 [args](CliContext& ctx) { return RunGps(ctx, *args); });
    gps->add_option("--port", args->port, "the receiver's serial device (default: the GPS port of the settings)")
        ->type_name("PATH");
    gps->add_option("--gpsd", args->gpsd, "read the receiver through gpsd at HOST[:PORT] (default 127.0.0.1:2947)")
        ->type_name("[HOST[:PORT]]")
        ->expected(0, 1)
        ->excludes("--port");
    gps->add_flag("--save", args->save, "make the position the current site of the saved settings");
    gps->footer("Reads NMEA 0183 at 9600 baud until a GGA sentence gives a fix (an RMC position is taken when no "
                "GGA comes). Longitude is EAST positive. --json: latitude_deg, longitude_deg, altitude_m (null "
                "without GGA), utc (hh:mm:ss of the sentence), talker, latitude_text, longitude_text. Through gpsd (--gpsd, "
                "or a port gpsd://HOST[:PORT]) the first report of a 2D or 3D fix is taken, altitude from a 3D "
                "one, talker \"gpsd\".");
}

}  // namespace vsp::cli
