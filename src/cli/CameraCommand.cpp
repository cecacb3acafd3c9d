// `camera expose --port indi://HOST:PORT/DEVICE --seconds S [--count N] [--bin B] [--gain G]
// [--target NAME]`: exposures through an INDI camera, saved as FITS under the home's shots/.

#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/StopSignals.h"
#include "scope/IndiCamera.h"

namespace vsp::cli {
namespace {

struct ExposeArgs {
    std::optional<std::string> port;
    std::optional<double> seconds;
    int count = 1;
    int binning = 1;
    std::optional<double> gain;
    std::string target;
};

int RunExpose(CliContext& ctx, const ExposeArgs& args) {
    ExposurePlan plan;
    plan.port = args.port.value_or(ctx.Prefs().cameraPortPath);
    if (plan.port.empty()) return UsageError(ctx, "no camera: give --port indi://HOST:PORT/DEVICE");
    if (!args.seconds || *args.seconds < 0) return UsageError(ctx, "--seconds must be 0 or more");
    plan.seconds = *args.seconds;
    plan.count = args.count;
    plan.binning = args.binning;
    plan.gain = args.gain;
    plan.target = args.target;
    plan.site = ctx.Ephemeris().location;
    // Ctrl+C stops the series and aborts the exposure under way; what was saved stays.
    CatchStopSignals();
    const auto files = TakeExposures(plan, ctx.Home().Path("shots"), ctx.Messages(), [] { return StopSignalled(); });
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.string());
    if (ctx.Json()) {
        PrintJson(ctx, {{"files", names}});
    } else {
        for (const std::string& name : names) ctx.Out() << name << "\n";
    }
    return int(files.size()) == plan.count ? kExitOk : kExitFailed;
}

}  // namespace

void AddCameraCommands(CommandRegistry& registry) {
    CLI::App* camera = registry.AddFamily("camera", "Exposures through an INDI camera");
    auto args = std::make_shared<ExposeArgs>();
    CLI::App* expose = registry.Add("expose", "Take exposures and save them as FITS files",
                                    [args](CliContext& ctx) { return RunExpose(ctx, *args); }, camera);
    expose->add_option("--port", args->port, "the camera (default: the camera port path of the settings)")
        ->type_name("indi://HOST:PORT/DEVICE");
    AddNumber(*expose, "--seconds", args->seconds, "S", "the exposure time")->required();
    expose->add_option("--count", args->count, "the number of exposures")->check(CLI::Range(1, 10000));
    expose->add_option("--bin", args->binning, "the binning, both axes")->check(CLI::Range(1, 16));
    AddNumber(*expose, "--gain", args->gain, "G", "the gain, where the camera has one");
    expose->add_option("--target", args->target, "the target: the OBJECT card and the start of the file names");
    expose->footer("Each image is saved under shots/ of the home as TARGET_YYYYMMDD_HHMMSS_N.fits (UTC start), "
                   "with OBJECT, SITELAT, SITELONG (degrees, east positive) and DATE-OBS written into its header; "
                   "the files written are printed. Ctrl+C stops. --json: files.");
}

}  // namespace vsp::cli
