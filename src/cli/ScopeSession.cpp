#include "cli/ScopeSession.h"


#include "cli/CommandOutput.h"
#include "platform/Text.h"
#include "scope/EncoderZero.h"
#include "scope/IndiClient.h"
#include "scope/NStarStore.h"
#include "scope/ScopeMessages.h"

namespace vsp::cli {
namespace {

// A code the dispatcher knows, or the text of a row of the drive list.
std::optional<DriveId> ParseDrive(const std::string& text) {
    if (const auto code = ParseWhole(text)) {
        if (FindDrive(DriveId(*code))) return DriveId(*code);
        return std::nullopt;
    }
    for (const DriveInfo& drive : DriveList())
        if (EqualsIgnoringCase(drive.listText, text)) return drive.code;
    return std::nullopt;
}

// A command cannot ask, so an alignment young enough to be offered is taken back as if the
// user had said yes; an older one is left alone.
void RestoreAlignment(CliContext& ctx, ScopeSession& session) {
    Telescope& telescope = session.Scope();
    const SavedAlignment& saved = session.Prefs().alignment;
    const double jdNow = RunningJulianDay(ctx);
    if (telescope.Restore().Check(saved, jdNow, telescope.TwoStar().IsActive()) != RestoreOffer::Offer) return;
    const bool restored = telescope.Restore().Accept(AlignmentFrameOf(session.Prefs()), saved, telescope.Stars(),
                                                     telescope.TwoStar(), ctx.Messages());
    SettleEncoderZero(telescope.Dispatcher().Encoder(), session.Prefs(), saved, restored);
}

// The pointing corrections of the last N-star fit: the error terms before the two-star
// alignment is recomputed with them, the external method's model for every goto.
void RestoreCorrections(CliContext& ctx, ScopeSession& session) {
    NStarState state;
    if (!LoadNStars(ctx.Home(), state)) return;
    session.Scope().TwoStar().errors = state.errors;
    session.Scope().TwoStar().pointing = state.model;
}

}  // namespace

ScopeSession::ScopeSession(CliContext& ctx, Preferences prefs)
    : ctx_(ctx),
      prefs_(std::move(prefs)),
      telescope_(prefs_, ctx.Messages(),
                 [&ctx] { return ScopeMoment{ctx.RunningTime(), ctx.Ephemeris(), ctx.Formats()}; }) {}

bool ScopeSession::Connect() {
    if (Dispatcher().ScopeConnect()) return true;
    if (!Link().Emulating()) return false;
    ctx_.Messages().InfoBox(scope_text::kActivatingEmulation, "");
    return true;
}

std::unique_ptr<ScopeSession> MakeScope(CliContext& ctx, const ScopeOptions& options, int& status) {
    Preferences prefs = ctx.Prefs();
    if (options.drive) {
        const auto drive = ParseDrive(*options.drive);
        if (!drive) {
            status = UsageError(ctx, "no such drive: " + *options.drive + " (a code or a name of the drive list)");
            return nullptr;
        }
        prefs.scopeDrive = *drive;
    } else if (options.port && IsIndiPath(*options.port)) {
        prefs.scopeDrive = drive_code::kIndi;  // only an INDI client speaks to an INDI server
    }
    auto session = std::make_unique<ScopeSession>(ctx, prefs);
    if (options.port) {
        session->Prefs().scopePortPath = *options.port;
        session->Prefs().scopePort = session->Link().Ports().Add(*options.port);
    }
    // A command cannot stop to ask: the side given on the command line answers.
    session->Dispatcher().SetQuestion([east = options.pier == "east"](std::string_view) { return east; });
    if (options.siteKept) session->Dispatcher().KeepMountSite();
    RestoreCorrections(ctx, *session);
    RestoreAlignment(ctx, *session);
    return session;
}

std::unique_ptr<ScopeSession> OpenScope(CliContext& ctx, const ScopeOptions& options, int& status) {
    auto session = MakeScope(ctx, options, status);
    if (session && !session->Connect()) {
        status = kExitFailed;
        return nullptr;
    }
    return session;
}

AlignStar MeasuredStarRecord(CliContext& ctx, const SkyTarget& star, const EquatorialPosition& apparent) {
    AlignStar record;
    record.starIndex = 0;
    record.name = Utf8ToCp1252(star.name).substr(0, kAlignStarNameMax);
    record.clockDeg = ClockAngleDegrees(ctx.RunningTime());
    record.raDeg = apparent.raHours * 15;
    record.decDeg = apparent.decDegrees;
    return record;
}

double RunningJulianDay(CliContext& ctx) {
    return JulianDayOf(ScopeMoment{ctx.RunningTime(), ctx.Ephemeris(), ctx.Formats()});
}

}  // namespace vsp::cli
