#include "scope/DriveTable.h"

#include <algorithm>
#include <array>

#include "scope/ScopeMessages.h"

namespace vsp {
namespace {

using F = DriveFamily;
using G = GotoKind;

// Listed drives first (their position is the stored code), then the unlisted ones.
constexpr std::array<DriveInfo, 25> kDrives{{
    {0, "None", F::None, G::ShowPositionsOnly, false, false},
    {1, "AAM Skyvector", F::Encoder, G::Guidance, false, false, true},
    {2, "AutoStar", F::Lx200, G::Protocol, true, true},
    {3, "BBox", F::Encoder, G::Guidance, false, false, true},
    {4, "Dave Ek", F::Encoder, G::Guidance, false, false, true},
    {5, "LX200", F::Lx200, G::Protocol, true, true},
    {6, "Magelan-I", F::Lx200ReadOnly, G::ShowPositionsOnly, false, false},
    {7, "Magelan-II", F::Lx200ReadOnly, G::ShowPositionsOnly, false, false},
    {8, "Nexstar 5&8", F::NexStar, G::Protocol, true, false},
    {9, "NexStar old GT", F::NexStar, G::Protocol, false, true},
    {10, "NexStarGPS,GT,CGE", F::NexStar, G::Protocol, true, true},
    {11, "NGC-Max", F::Encoder, G::Guidance, false, false, true},
    {12, "Ouranos", F::Encoder, G::Guidance, false, false, true},
    {13, "ServoCat", F::ServoCat, G::Protocol, false, false},
    {14, "Takahashi", F::Takahashi, G::Protocol, true, true},
    {15, "Ultima2000", F::NexStar, G::Protocol, true, true},
    {16, "Intelliscope", F::Encoder, G::Guidance, false, false, true},
    {17, "Losmandy", F::Lx200Gemini, G::Protocol, true, true},
    {18, "SiderealTech", F::SiderealTech, G::Protocol, false, true},
    {19, "SkyCommander", F::SkyCommander, G::Protocol, false, false},
    {20, "SkyScan EQ6", F::NexStar, G::Protocol, true, true},
    {21, "", F::Encoder, G::Guidance, false, false},
    {22, "", F::Encoder, G::Guidance, false, false, true},
    {100, "", F::PowerFlex, G::NotImplemented, false, false},
    {101, "", F::Dynastar, G::NotImplemented, false, false},
}};

constexpr size_t kListedDrives = 21;

}  // namespace

std::span<const DriveInfo> DriveList() { return std::span(kDrives).first(kListedDrives); }

std::optional<DriveInfo> FindDrive(DriveId code) {
    const auto found = std::ranges::find(kDrives, code, &DriveInfo::code);
    if (found == kDrives.end()) return std::nullopt;
    return *found;
}

bool UsesEncoderProtocol(DriveId code) {
    const auto drive = FindDrive(code);
    return drive && drive->family == DriveFamily::Encoder;
}

bool IsEncoderDrive(DriveId code) {
    const auto drive = FindDrive(code);
    return drive && drive->encoderBox;
}

void SupplyDriveSettings(PreferenceTable& table) {
    std::vector<std::string> rows;
    for (const DriveInfo& drive : DriveList()) rows.emplace_back(drive.listText);
    table.SupplyRows(RowSource::ScopeDrives, rows);
    table.SupplyCondition(ShowCondition::EncoderDrive,
                          [](const Preferences& prefs) { return IsEncoderDrive(prefs.scopeDrive); });
}

std::optional<std::string_view> ConnectRefusal(DriveId code) {
    if (code == 0) return scope_text::kNoDriveConnect;
    if (code == 100 || code == 101) return scope_text::kConnectNotSupported;
    return std::nullopt;
}

std::optional<std::string_view> ReadRefusal(DriveId code) {
    if (code == 0) return scope_text::kNoDriveRead;
    if (code == 100) return "Read not yet implemented for PowerFlex";
    if (code == 101) return "Read not yet implemented for Dynastar";
    return std::nullopt;
}

std::optional<std::string_view> GotoRefusal(DriveId code) {
    if (code == 100) return "Goto not yet implemented for PowerFlex";
    if (code == 101) return "Goto not yet implemented for Dynastar";
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
        default: return scope_text::kReadFailMeade;
    }
}

}  // namespace vsp
