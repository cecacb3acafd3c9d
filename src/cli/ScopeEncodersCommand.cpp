// `scope encoders [--count N]`: the raw counts of a setting-circle box and the angles they
// give through the steps per turn and zero offsets of the settings.

#include <memory>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ScopeSession.h"
#include "scope/ScopeMessages.h"

namespace vsp::cli {
namespace {

nlohmann::json ReadingJson(const EncoderReading& reading) {
    return {{"az_count", reading.azimuthCount}, {"alt_count", reading.altitudeCount},
            {"az_deg", reading.azimuth}, {"alt_deg", reading.altitude}};
}

Rows ReadingRows(const EncoderReading& reading) {
    return {{"Az count", std::to_string(reading.azimuthCount)},
            {"Alt count", std::to_string(reading.altitudeCount)},
            {"Azimuth", Fixed(reading.azimuth, 3) + kDegreeUtf8},
            {"Altitude", Fixed(reading.altitude, 3) + kDegreeUtf8}};
}

int RunEncoders(CliContext& ctx, const ScopeOptions& options, int count) {
    int status = kExitOk;
    auto session = MakeScope(ctx, options, status);
    if (!session) return status;
    const DriveId drive = session->Prefs().scopeDrive;
    if (!UsesEncoderProtocol(drive))
        return JobFailed(ctx, "Drive " + std::to_string(drive) + " is not a setting-circle box");
    EncoderBox& box = session->Dispatcher().Encoder();
    // A first connect that falls back to emulation leaves the box to connect to the emulated one.
    if (!session->Connect() || !box.Connect()) return kExitFailed;
    nlohmann::json readings = nlohmann::json::array();
    EncoderReading reading;
    for (int i = 0; i < count; ++i) {
        if (!box.ReadAltAz(reading)) return JobFailed(ctx, scope_text::kReadFailEncoderAz);
        if (ctx.Json())
            readings.push_back(ReadingJson(reading));
        else
            PrintRows(ctx, ReadingRows(reading));
    }
    box.Disconnect();
    if (ctx.Json()) {
        nlohmann::json document = ReadingJson(reading);
        document["readings"] = readings;
        document["emulated"] = session->Link().Emulating();
        PrintJson(ctx, document);
    }
    return kExitOk;
}

}  // namespace

void AddScopeEncodersCommand(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options) {
    auto count = std::make_shared<int>(1);
    CLI::App* encoders = registry.Add(
        "encoders", "The counts of a setting-circle box and their angles: az_count, alt_count, az_deg, alt_deg",
        [&options, count](CliContext& ctx) { return RunEncoders(ctx, options, *count); }, scope);
    encoders->add_option("--count", *count, "readings in a row (default 1)")->check(CLI::Range(1, 10000));
    encoders->footer("The box gets its resolutions (the settings' az_steps and alt_steps) at the first connect. "
                     "Without a port the emulated box answers. --json: the last reading, `readings` (every one) "
                     "and `emulated`.");
}

}  // namespace vsp::cli
