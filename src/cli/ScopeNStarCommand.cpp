// `scope nstar add STAR | fit | show | clear`: the N-star pointing correction built over
// separate runs, kept beside the settings (scope/NStarStore.h).

#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ScopeSession.h"
#include "cli/SkyTarget.h"
#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "scope/ErrorTermFit.h"
#include "scope/NStarStore.h"

namespace vsp::cli {
namespace {

constexpr double kRadToArcsec = kRadToDeg * 3600;

struct NStarArgs {
    std::string star;
    std::optional<double> raReading, decReading;
};

bool Equatorial(const Preferences& prefs) { return prefs.scopeOutputType == 0; }

int LoadState(CliContext& ctx, NStarState& state) {
    if (LoadNStars(ctx.Home(), state)) return kExitOk;
    return JobFailed(ctx, std::string("Cannot read ") + kNStarFileName);
}

int SaveState(CliContext& ctx, const NStarState& state) {
    if (SaveNStars(ctx.Home(), state)) return kExitOk;
    return JobFailed(ctx, std::string("Cannot write ") + kNStarFileName);
}

nlohmann::json StarJson(const AlignStar& star) {
    return {{"name", Cp1252ToUtf8(star.name)}, {"time", DegToHmsStr(star.clockDeg)},
            {"ra_hours", star.raDeg / 15}, {"dec_deg", star.decDeg},
            {"model1_deg", star.axis1Deg}, {"model2_deg", star.axis2Deg},
            {"reading1_deg", star.measuredAxis1Deg}, {"reading2_deg", star.measuredAxis2Deg},
            {"corrected1_deg", star.correctedAxis1Deg}, {"corrected2_deg", star.correctedAxis2Deg}};
}

nlohmann::json ModelsJson(const NStarState& state) {
    nlohmann::json terms = nlohmann::json::array();
    for (double c : state.model.coefficients) terms.push_back(c * kRadToArcsec);
    const MountErrors& e = state.errors;
    return {{"terms", state.model.Terms()}, {"coefficients_arcsec", terms},
            {"z_arcsec", {e.z1 * kRadToArcsec, e.z2 * kRadToArcsec, e.z3 * kRadToArcsec}},
            {"e1_arcsec", e.e1 * kRadToArcsec}, {"e2_arcsec", e.e2 * kRadToArcsec}};
}

int Print(CliContext& ctx, const nlohmann::json& document) {
    if (ctx.Json()) {
        PrintJson(ctx, document);
        return kExitOk;
    }
    Rows rows;
    for (const auto& [key, value] : document.items())
        rows.emplace_back(key, value.is_string() ? value.get<std::string>() : JsonText(value));
    PrintRows(ctx, rows);
    return kExitOk;
}

// The star's place of date, its model coordinates now and the mount's reading (typed or read).
std::optional<AlignStar> MeasureNStar(CliContext& ctx, ScopeSession& session, const SkyTarget& target,
                                      const NStarArgs& args) {
    ScopeDispatcher& dispatcher = session.Dispatcher();
    const auto place = dispatcher.ReduceTarget({target.raHours, target.decDegrees}, session.Prefs().correction);
    EquatorialPosition reading{args.raReading.value_or(0), args.decReading.value_or(0)};
    if (!place || (!args.raReading && !dispatcher.ScopeReadRaw(reading))) return std::nullopt;
    const bool equatorial = Equatorial(session.Prefs());
    AlignStar star = NewNStar(Utf8ToCp1252(target.name), 0, ClockAngleDegrees(ctx.RunningTime()),
                              place->apparent.raHours, place->apparent.decDegrees, equatorial, place->azimuth,
                              place->altitude);
    star.measuredAxis1Deg = equatorial ? reading.raHours * 15 : reading.raHours;
    star.measuredAxis2Deg = reading.decDegrees;
    return star;
}

int RunAdd(CliContext& ctx, const NStarArgs& args, const ScopeOptions& options) {
    if (args.raReading.has_value() != args.decReading.has_value())
        return UsageError(ctx, "--ra-reading and --dec-reading go together");
    int status = kExitOk;
    const auto target = ResolveSkyTarget(ctx, args.star, status);
    if (!target) return status;
    auto session = args.raReading ? MakeScope(ctx, options, status) : OpenScope(ctx, options, status);
    if (!session) return status;
    if (session->Prefs().alignMethod == 0 && !session->Scope().TwoStar().IsActive())
        return JobFailed(ctx, kDoTwoStarsFirst);
    NStarState state;
    if (LoadState(ctx, state) != kExitOk) return kExitFailed;  // a file not ours is told before the mount is asked
    const auto star = MeasureNStar(ctx, *session, *target, args);
    if (!star) return kExitFailed;
    // The mount has answered; the list is read again and changed under the lock.
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock) || LoadState(ctx, state) != kExitOk ||
        !state.list.Add(*star, ctx.Messages()) || SaveState(ctx, state) != kExitOk)
        return kExitFailed;
    return Print(ctx, {{"stars", state.list.Size()}, {"added", StarJson(*star)}});
}

// The two-star method's fit on the restored alignment: Z1..Z3 and the offsets.
int FitTwoStarTerms(CliContext& ctx, ScopeSession& session, NStarState& state, nlohmann::json& document) {
    Telescope& telescope = session.Scope();
    if (state.list.Size() < kMinErrorTermStars) return JobFailed(ctx, kAddFourStars);
    if (!telescope.TwoStar().IsActive()) return JobFailed(ctx, kDoTwoStarsFirst);
    const AlignmentFrame frame = AlignmentFrameOf(session.Prefs());
    const ErrorTermResult result = FitErrorTerms(telescope.TwoStar(), frame, telescope.Stars(), state.list.Stars(),
                                                 ctx.Formats(), ctx.Messages());
    state.errors = telescope.TwoStar().errors;
    document["iterations"] = result.iterations;
    document["message"] = Cp1252ToUtf8(result.message);
    document["mean_error_deg"] = MeanPointingError(telescope.TwoStar(), frame, state.list.Stars()) * kRadToDeg;
    return kExitOk;
}

int RunFit(CliContext& ctx, const ScopeOptions& options) {
    int status = kExitOk;
    auto session = MakeScope(ctx, options, status);
    if (!session) return status;
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    NStarState state;
    if (LoadState(ctx, state) != kExitOk) return kExitFailed;
    if (state.list.Size() == 0) return JobFailed(ctx, kAddOneStar);
    nlohmann::json document{{"method", session->Prefs().alignMethod == 0 ? "Vespertar 2 Stars" : "External"}};
    if (session->Prefs().alignMethod == 0) {
        if (FitTwoStarTerms(ctx, *session, state, document) != kExitOk) return kExitFailed;
    } else {
        if (!FitPointingModel(Equatorial(session->Prefs()), state.list.Stars(), state.model, ctx.Messages()))
            return JobFailed(ctx, "The stars do not determine the pointing correction.");
        document["rms_error_deg"] = RmsPointingError(state.list.Stars());
    }
    if (SaveState(ctx, state) != kExitOk) return kExitFailed;
    document.update(ModelsJson(state));
    return Print(ctx, document);
}

int RunShow(CliContext& ctx) {
    NStarState state;
    if (LoadState(ctx, state) != kExitOk) return kExitFailed;
    nlohmann::json document = ModelsJson(state);
    nlohmann::json stars = nlohmann::json::array();
    for (const AlignStar& star : state.list.Stars()) stars.push_back(StarJson(star));
    document["stars"] = stars;
    return Print(ctx, document);
}

int RunClear(CliContext& ctx) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    NStarState state;
    if (LoadState(ctx, state) != kExitOk) return kExitFailed;
    state.list.Clear();
    return SaveState(ctx, state);
}

}  // namespace

void AddScopeNStarCommands(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options) {
    auto args = std::make_shared<NStarArgs>();
    CLI::App* nstar = scope->add_subcommand("nstar", "The N-star pointing correction");
    nstar->require_subcommand(1);
    CLI::App* add = registry.Add("add", "Adds a star and the mount's reading on it to the N-star list",
                                 [args, &options](CliContext& ctx) { return RunAdd(ctx, *args, options); }, nstar);
    add->add_option("star", args->star, "a bright star's name, HRn, HIPn or a designation")->required();
    AddNumber(*add, "--ra-reading", args->raReading, "H",
              "the mount's reading instead of asking the mount: RA hours (output type 0) or azimuth degrees");
    AddNumber(*add, "--dec-reading", args->decReading, "DEG", "the mount's declination or altitude reading");
    registry.Add("fit", "Fits the correction of the settings' align method to the list and keeps it",
                 [&options](CliContext& ctx) { return RunFit(ctx, options); }, nstar);
    registry.Add("show", "The list and the fitted corrections", RunShow, nstar);
    registry.Add("clear", "Empties the list (the fitted corrections stay until the next fit)", RunClear, nstar);
}

}  // namespace vsp::cli
