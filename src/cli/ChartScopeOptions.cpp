#include "cli/ChartScopeOptions.h"

#include <algorithm>
#include <thread>

#include "forms/ChartScopeFollow.h"

namespace vsp::cli {

void AddChartScopeOptions(CLI::App& command, ChartScopeArgs& args) {
    CLI::Option* port = command.add_option("--scope", args.scope.port, "follow the telescope on this serial device, tcp:// or indi:// address")
                            ->type_name("PATH");
    command.add_option("--drive", args.scope.drive, "the telescope's drive, a code or a name of the drive list "
                                                    "(default: the settings)")
        ->type_name("CODE|NAME")
        ->needs(port);
    command.add_option("--follow", args.followSeconds, "seconds to follow it, reading it every 250 ms (default: "
                                                       "one reading)")
        ->type_name("SECONDS")
        ->check(FiniteNumber())
        ->check(CLI::Range(0.0, 3600.0))
        ->needs(port);
}

bool FollowChartScope(CliContext& ctx, const ChartScopeArgs& args, ChartScene& scene, int& status) {
    auto session = MakeScope(ctx, args.scope, status);
    if (!session) return false;
    ChartScopeFollow follow;
    if (!follow.Start(session->Scope())) {
        status = kExitFailed;
        return false;
    }
    // Read at the timer's pace; a mount slower than the period is read again at once rather
    // than for every tick it missed.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(args.followSeconds));
    Clock::time_point due = Clock::now();
    do {
        std::this_thread::sleep_until(due);
        follow.Tick(scene);
        due = std::max(due + ChartScopeFollow::kPeriod, Clock::now());
    } while (due <= end);
    follow.Stop();
    if (scene.scope) return true;
    status = JobFailed(ctx, ReadFailureMessage(FindDrive(session->Prefs().scopeDrive)->family, false));
    return false;
}

nlohmann::json ChartScopeJson(const ChartScene& scene, const ChartDrawn& drawn) {
    if (!scene.scope || !drawn.scopeAt) return nullptr;
    return {{"x", drawn.scopeAt->x}, {"y", drawn.scopeAt->y}, {"ra_hours", scene.scope->raHours},
            {"dec_deg", scene.scope->decDeg}};
}

}  // namespace vsp::cli
