#pragma once
// The numbered drives the user picks from (the index in the drive list is the stored value),
// the protocol family behind each and which operations that family really carries out.

#include <optional>
#include <span>
#include <string_view>

#include "shell/Preferences.h"

namespace vsp {

using DriveId = int;

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
};

// What a goto does for a drive.
enum class GotoKind { ShowPositionsOnly, Guidance, Protocol, NotImplemented };

struct DriveInfo {
    DriveId code;
    std::string_view listText;  // empty for the codes that are not in the list
    DriveFamily family;
    GotoKind gotoKind;
    bool syncs;
    bool moves;  // rate, move and stop reach the mount (otherwise only the emulated one)
};

// The rows of the drive list, in list order (codes 0..20).
std::span<const DriveInfo> DriveList();
// Any code the dispatcher knows, listed or not; nullopt for an unknown code.
std::optional<DriveInfo> FindDrive(DriveId code);
// The encoder family as the dispatcher's connect, read and goto see it (with 21).
bool UsesEncoderProtocol(DriveId code);
// The message a connect or read gives instead of talking to a mount that lacks it, or
// nullopt when the drive's protocol handles the operation.
std::optional<std::string_view> ConnectRefusal(DriveId code);
std::optional<std::string_view> ReadRefusal(DriveId code);
std::optional<std::string_view> GotoRefusal(DriveId code);
// The message shown when reading the raw mount position failed, by family.
std::string_view ReadFailureMessage(DriveFamily family, bool azimuthAltitude);

}  // namespace vsp
