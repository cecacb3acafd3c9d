#include "scope/DriveTable.h"

#include <algorithm>
#include <array>

#include "scope/ScopeMessages.h"

namespace vsp {
namespace {

using F = DriveFamily;
using G = GotoKind;
using S = SlewReport;

// Listed drives first, in list order (up to SkyScan EQ6 their position is the stored code),
// then the unlisted ones.
constexpr std::array<DriveInfo, 26> kDrives{{
    {0, "None", F::None, G::ShowPositionsOnly, false, false},
    {1, "AAM Skyvector", F::Encoder, G::Guidance, false, false, true},
    {2, "AutoStar", F::Lx200, G::Protocol, true, true},
    {3, "BBox", F::Encoder, G::Guidance, false, false, true},
    {4, "Dave Ek", F::Encoder, G::Guidance, false, false, true},
    {5, "LX200", F::Lx200, G::Protocol, true, true},
    {6, "Magelan-I", F::Lx200ReadOnly, G::ShowPositionsOnly, false, false},
    {7, "Magelan-II", F::Lx200ReadOnly, G::ShowPositionsOnly, false, false},
    {8, "Nexstar 5&8", F::NexStar, G::Protocol, true, false, false, 250, S::SilentClosed},
    {9, "NexStar old GT", F::NexStar, G::Protocol, false, true, false, 250},
    {10, "NexStarGPS,GT,CGE", F::NexStar, G::Protocol, true, true},
    {11, "NGC-Max", F::Encoder, G::Guidance, false, false, true},
    {12, "Ouranos", F::Encoder, G::Guidance, false, false, true},
    {13, "ServoCat", F::ServoCat, G::Protocol, false, false, false, 125, S::SilentClosed},
    {14, "Takahashi", F::Takahashi, G::Protocol, true, true},
    {15, "Ultima2000", F::NexStar, G::Protocol, true, true},
    {16, "Intelliscope", F::Encoder, G::Guidance, false, false, true},
    {17, "Losmandy", F::Lx200Gemini, G::Protocol, true, true},
    {18, "SiderealTech", F::SiderealTech, G::Protocol, false, true},
    {19, "SkyCommander", F::SkyCommander, G::Protocol, false, false, false, 166, S::Silent},
    {20, "SkyScan EQ6", F::NexStar, G::Protocol, true, true, false, 250, S::Followed, false},
    // The server paces its own device: no pause between requests.
    {drive_code::kIndi, "INDI", F::Indi, G::Protocol, true, true, false, 0},
    {21, "", F::Encoder, G::Guidance, false, false},
    {22, "", F::Encoder, G::Guidance, false, false, true},
    {100, "", F::PowerFlex, G::NotImplemented, false, false},
    {101, "", F::Dynastar, G::NotImplemented, false, false},
}};

constexpr size_t kListedDrives = 22;

}  // namespace

std::span<const DriveInfo> DriveList() { return std::span(kDrives).first(kListedDrives); }

std::optional<DriveInfo> FindDrive(DriveId code) {
    const auto found = std::ranges::find(kDrives, code, &DriveInfo::code);
    if (found == kDrives.end()) return std::nullopt;
    return *found;
}

bool InFamily(DriveId code, DriveFamily family) {
    const auto drive = FindDrive(code);
    return drive && drive->family == family;
}

bool UsesEncoderProtocol(DriveId code) { return InFamily(code, F::Encoder); }

bool IsNoDrive(DriveId code) { return code == drive_code::kNone; }

bool MovesStopUnlessRepeated(DriveId code) { return InFamily(code, F::Takahashi); }

bool IsEncoderDrive(DriveId code) {
    const auto drive = FindDrive(code);
    return drive && drive->encoderBox;
}

void SupplyDriveSettings(PreferenceTable& table) {
    std::vector<std::string> rows;
    std::vector<int> codes;
    for (const DriveInfo& drive : DriveList()) {
        rows.emplace_back(drive.listText);
        codes.push_back(drive.code);
    }
    table.SupplyRows(RowSource::ScopeDrives, rows, codes);
    table.SupplyCondition(ShowCondition::EncoderDrive,
                          [](const Preferences& prefs) { return IsEncoderDrive(prefs.scopeDrive); });
}

namespace {

// The drives no operation is carried out for.
bool NotImplemented(DriveId code) {
    const auto drive = FindDrive(code);
    return drive && drive->gotoKind == G::NotImplemented;
}

// The message that names the PowerFlex or the Dynastar; nothing for the other drives.
std::optional<std::string_view> NotYetImplemented(DriveId code, std::string_view powerFlex,
                                                  std::string_view dynastar) {
    if (InFamily(code, F::PowerFlex)) return powerFlex;
    if (InFamily(code, F::Dynastar)) return dynastar;
    return std::nullopt;
}

}  // namespace

std::optional<std::string_view> ConnectRefusal(DriveId code) {
    if (IsNoDrive(code)) return scope_text::kNoDriveConnect;
    if (NotImplemented(code)) return scope_text::kConnectNotSupported;
    return std::nullopt;
}

std::optional<std::string_view> ReadRefusal(DriveId code) {
    if (IsNoDrive(code)) return scope_text::kNoDriveRead;
    return NotYetImplemented(code, "Read not yet implemented for PowerFlex", "Read not yet implemented for Dynastar");
}

std::optional<std::string_view> GotoRefusal(DriveId code) {
    return NotYetImplemented(code, "Goto not yet implemented for PowerFlex", "Goto not yet implemented for Dynastar");
}

std::optional<std::string_view> DisconnectRefusal(DriveId code) {
    if (IsNoDrive(code) || NotImplemented(code)) return scope_text::kDisconnectNotSupported;
    return std::nullopt;
}

std::optional<std::string_view> GetPositionRefusal(DriveId code) {
    if (NotImplemented(code)) return scope_text::kGetPositionNotSupported;
    return std::nullopt;
}

std::string_view ReadFailureMessage(DriveFamily family, bool azimuthAltitude) {
    switch (family) {
        case F::Encoder:
            return azimuthAltitude ? scope_text::kReadFailEncoderAz
                                   : scope_text::kReadFailEncoderEq;
        case F::NexStar: return scope_text::kReadFailCelestron;
        case F::ServoCat: return scope_text::kReadFailServoCat;
        case F::Takahashi: return scope_text::kReadFailTakahashi;
        case F::SiderealTech: return scope_text::kReadFailSiderealTech;
        case F::SkyCommander: return scope_text::kReadFailSkyCommander;
        case F::Indi: return scope_text::kReadFailIndi;
        default: return scope_text::kReadFailMeade;
    }
}

}  // namespace vsp
