#pragma once
// The numbered drives the user picks from (the index in the drive list is the stored value),
// the protocol family behind each and which operations that family really carries out. The
// drive table owns the rows of the "Scope Drive" setting and what they mean to its other
// settings (SupplyDriveSettings).

#include <optional>
#include <span>
#include <string_view>

#include "settings/PreferenceTable.h"

namespace vsp {

using DriveId = int;

// The codes that the families' own tables and the forms name.
namespace drive_code {
inline constexpr DriveId kNone = 0;
inline constexpr DriveId kAamSkyvector = 1;
inline constexpr DriveId kBBox = 3;
inline constexpr DriveId kDaveEk = 4;
inline constexpr DriveId kNexStar58 = 8;
inline constexpr DriveId kNexStarOldGt = 9;
inline constexpr DriveId kNexStarGps = 10;
inline constexpr DriveId kNgcMax = 11;
inline constexpr DriveId kOuranos = 12;
inline constexpr DriveId kUltima2000 = 15;
inline constexpr DriveId kIntelliscope = 16;
inline constexpr DriveId kSkyScanEq6 = 20;
inline constexpr DriveId kUnlistedEncoder = 21;  // answers only once initialised elsewhere
inline constexpr DriveId kSkyWizard = 22;        // a box with no row in the list
// A mount behind an INDI server: the list's row after SkyScan EQ6, stored as this code
// since 21 and 22 already name the boxes without a row.
inline constexpr DriveId kIndi = 23;
}  // namespace drive_code

enum class DriveFamily {
    None,
    Encoder,
    Lx200,
    Lx200ReadOnly,
    Lx200Gemini,
    NexStar,
    ServoCat,
    Takahashi,
    SiderealTech,
    SkyCommander,
    PowerFlex,
    Dynastar,
    Indi,
};

// What a goto does for a drive.
enum class GotoKind { ShowPositionsOnly, Guidance, Protocol, NotImplemented };

// What a mount tells once it took a goto target.
enum class SlewReport {
    Followed,      // its position while it slews
    Silent,        // nothing: there is nothing to follow
    SilentClosed,  // nothing, and its line is given back at once
};

struct DriveInfo {
    DriveId code;
    std::string_view listText;  // empty for the codes that are not in the list
    DriveFamily family;
    GotoKind gotoKind;
    bool syncs;
    bool moves;  // rate, move and stop reach the mount (otherwise only the emulated one)
    // An encoder box whose steps per turn are asked for; it changes the scope form and the
    // alignment arithmetic (21 shares the encoder protocol but is not one).
    bool encoderBox = false;
    // The pause after each command unless the user set a send delay, milliseconds.
    int sendPauseMs = 125;
    SlewReport slewReport = SlewReport::Followed;
    // Stopped when the scope control form closes (otherwise left moving).
    bool stopsOnClose = true;
};

// The rows of the drive list, in list order (codes 0..20, then INDI's 23).
std::span<const DriveInfo> DriveList();
// Any code the dispatcher knows, listed or not; nullopt for an unknown code.
std::optional<DriveInfo> FindDrive(DriveId code);
// False for an unknown code.
bool InFamily(DriveId code, DriveFamily family);
// The encoder family as the dispatcher's connect, read and goto see it (with 21).
bool UsesEncoderProtocol(DriveId code);
// The encoder boxes (codes 1, 3, 4, 11, 12, 16 and 22; not 21).
bool IsEncoderDrive(DriveId code);
// Gives the settings the drive list's rows (and the code each row stores) and shows
// the encoder steps for encoder boxes only.
void SupplyDriveSettings(PreferenceTable& table);
// The "None" row: no mount to talk to.
bool IsNoDrive(DriveId code);
// The Takahashi's motions stop unless the move is repeated.
bool MovesStopUnlessRepeated(DriveId code);
// The message a connect or read gives instead of talking to a mount that lacks it, or
// nullopt when the drive's protocol handles the operation.
std::optional<std::string_view> ConnectRefusal(DriveId code);
std::optional<std::string_view> ReadRefusal(DriveId code);
std::optional<std::string_view> GotoRefusal(DriveId code);
std::optional<std::string_view> DisconnectRefusal(DriveId code);
std::optional<std::string_view> GetPositionRefusal(DriveId code);
// The message shown when reading the raw mount position failed, by family.
std::string_view ReadFailureMessage(DriveFamily family, bool azimuthAltitude);

}  // namespace vsp
