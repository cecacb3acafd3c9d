// `scope align STAR1 STAR2 | align show | align clear`: the two-star alignment measured on the
// mount as the alignment form measures it, kept with the settings for the next runs.

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ScopeSession.h"
#include "cli/SkyTarget.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "scope/EncoderZero.h"
#include "settings/PreferenceStore.h"

namespace vsp::cli {
namespace {

// A slew has ended when two readings a second apart agree this well (degrees).
constexpr double kSettledDegrees = 1e-4;
constexpr int kSlewLimitSeconds = 180;

struct AlignArgs {
    std::string star1, star2;
    bool slew = false;
};

// Waits (bounded) until the mount stops moving.
bool WaitForSlew(ScopeDispatcher& dispatcher) {
    EquatorialPosition last{-1000, -1000}, now;
    for (int second = 0; second < kSlewLimitSeconds; ++second) {
        if (!dispatcher.ScopeReadRaw(now)) return false;
        if (std::fabs(now.raHours - last.raHours) * 15 < kSettledDegrees &&
            std::fabs(now.decDegrees - last.decDegrees) < kSettledDegrees)
            return true;
        last = now;
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    return true;
}

// Points at one star (slewing there first when asked), lets the user centre it, and reads the
// mount: the star's record as the alignment form's "Read" fills it. On the second star the
// setting-circle box is zeroed before it is read, its offsets kept with the alignment.
std::optional<AlignStar> MeasureStar(CliContext& ctx, ScopeSession& session, const SkyTarget& star, bool slew,
                                     bool second) {
    ScopeDispatcher& dispatcher = session.Dispatcher();
    const int mode = session.Prefs().correction;
    if (slew && (dispatcher.ScopeGoto({star.raHours, star.decDegrees}, mode) != ScopeGotoResult::Slewing ||
                 !WaitForSlew(dispatcher)))
        return std::nullopt;
    ctx.Err() << "Centre " << star.name << " in the eyepiece, then press Enter." << std::endl;
    std::string line;
    std::getline(std::cin, line);

    const auto place = dispatcher.ReduceTarget({star.raHours, star.decDegrees}, mode);
    if (!place) return std::nullopt;
    if (second) ZeroEncoderOnStar(dispatcher.Encoder(), session.Prefs(), *place, ctx.SavedPrefs().alignment);
    EquatorialPosition reading;
    if (!dispatcher.ScopeReadRaw(reading)) return std::nullopt;
    AlignStar record = MeasuredStarRecord(ctx, star, place->apparent);
    record.axis1Deg = session.Prefs().scopeOutputType == 0 ? reading.raHours * 15 : reading.raHours;
    record.axis2Deg = reading.decDegrees;
    return record;
}

nlohmann::json StarJson(const AlignStar& star) {
    return {{"name", Cp1252ToUtf8(star.name)}, {"time", DegToHmsStr(star.clockDeg)},
            {"ra_hours", star.raDeg / 15}, {"dec_deg", star.decDeg},
            {"axis1_deg", star.axis1Deg}, {"axis2_deg", star.axis2Deg}};
}

void PrintStars(CliContext& ctx, nlohmann::json document, const AlignStar& star1, const AlignStar& star2) {
    document["stars"] = {StarJson(star1), StarJson(star2)};
    if (ctx.Json()) {
        PrintJson(ctx, document);
        return;
    }
    Rows rows;
    for (const auto& [key, value] : document.items())
        if (key != "stars") rows.emplace_back(key, value.is_string() ? value.get<std::string>() : JsonText(value));
    for (const AlignStar* star : {&star1, &star2}) {
        rows.emplace_back(Cp1252ToUtf8(star->name),
                          DegToHmsStr(star->clockDeg) + "  RA " + Fixed(star->raDeg / 15, 5) + " h  Dec " +
                              Fixed(star->decDeg, 4) + "\xC2\xB0  axes " + Fixed(star->axis1Deg, 4) + "\xC2\xB0 " +
                              Fixed(star->axis2Deg, 4) + "\xC2\xB0");
    }
    PrintRows(ctx, rows);
}

int RunAlign(CliContext& ctx, const AlignArgs& args, const ScopeOptions& options) {
    if (args.star2.empty()) return UsageError(ctx, "align needs two stars: STAR1 STAR2 (or show, clear)");
    int status = kExitOk;
    const auto first = ResolveSkyTarget(ctx, args.star1, status);
    if (!first) return status;
    const auto second = ResolveSkyTarget(ctx, args.star2, status);
    if (!second) return status;
    auto session = OpenScope(ctx, options, status);
    if (!session) return status;
    Telescope& telescope = session->Scope();
    // The stars are measured on the bare mount.
    telescope.TwoStar().ResetAlignment();
    telescope.Dispatcher().Encoder().ResetZero();

    TwoStarRecords& records = telescope.Stars();
    const auto now = ctx.RunningTime();
    records.referenceTime = IsoClock(now.hour, now.minute, now.second);
    const auto star1 = MeasureStar(ctx, *session, *first, args.slew, false);
    if (!star1) return kExitFailed;
    const auto star2 = MeasureStar(ctx, *session, *second, args.slew, true);
    if (!star2) return kExitFailed;
    records.star1 = *star1;
    records.star2 = *star2;

    SavedAlignment alignment = ctx.SavedPrefs().alignment;
    const double jdNow = RunningJulianDay(ctx);
    if (!AlignTwoStars(AlignmentFrameOf(session->Prefs()), records, jdNow, telescope.TwoStar(), alignment,
                       ctx.Messages()))
        return kExitFailed;
    // The stars are measured; the settings are read again and changed under the lock.
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    Preferences& saved = ctx.ReloadSavedPrefs();
    saved.alignment = alignment;
    if (!SavePreferences(ctx.Settings(), ctx.Home(), saved)) return JobFailed(ctx, std::string(kSettingsNotSaved));
    PrintStars(ctx, {{"aligned", true}, {"reference_time", records.referenceTime}}, records.star1, records.star2);
    return kExitOk;
}

int RunAlignShow(CliContext& ctx) {
    const SavedAlignment& saved = ctx.SavedPrefs().alignment;
    if (saved.julianDate == 0) return JobFailed(ctx, "No two-star alignment is kept.");
    const double ageDays = RunningJulianDay(ctx) - saved.julianDate;
    PrintStars(ctx,
               {{"julian_date", saved.julianDate},
                {"age_hours", ageDays * 24},
                {"restorable", ageDays < kRestoreDays},
                {"method", ctx.Prefs().alignMethod == 0 ? "Vespertar 2 Stars" : "External"}},
               DecodeAlignStar(saved.star1), DecodeAlignStar(saved.star2));
    return kExitOk;
}

int RunAlignClear(CliContext& ctx) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    Preferences& saved = ctx.ReloadSavedPrefs();
    AlignmentRestore().Decline(saved.alignment);
    if (!SavePreferences(ctx.Settings(), ctx.Home(), saved)) return JobFailed(ctx, std::string(kSettingsNotSaved));
    return kExitOk;
}

}  // namespace

void AddScopeAlignCommands(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options) {
    auto args = std::make_shared<AlignArgs>();
    CLI::App* align = registry.Add("align", "Measures two stars on the mount and keeps the two-star alignment",
                                   [args, &options](CliContext& ctx) { return RunAlign(ctx, *args, options); },
                                   scope);
    align->add_option("star1", args->star1, "the first star (a bright star's name, HRn, HIPn or a designation)");
    align->add_option("star2", args->star2, "the second star, well apart from the first");
    align->add_flag("--slew", args->slew, "slew to each star before it is centred (goto mounts)");
    align->footer("For each star: centre it (Enter on standard input when done; end of input goes straight on), "
                  "then its place of date, the clock time and the mount's reading are recorded. The alignment "
                  "is saved with the settings and brought back by later `scope` runs for 12 hours; it is used "
                  "when the settings' align method is \"Vespertar 2 Stars\" (align_method 0).");
    registry.Add("show", "The kept alignment: its stars, its age and whether it is still restored",
                 RunAlignShow, align);
    registry.Add("clear", "Forgets the kept alignment", RunAlignClear, align);
}

}  // namespace vsp::cli
