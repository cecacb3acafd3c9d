#pragma once
// The texts the drive dispatcher and the scope control form show, byte for byte.

#include <string_view>

namespace vsp::scope_text {

inline constexpr std::string_view kNoDriveConnect = "Sorry, no scope drive is selected";
inline constexpr std::string_view kNoDriveRead = "No drive is selected in Preference";
inline constexpr std::string_view kConnectNotSupported =
    "Scope Connect not supported for the drive you selected";
inline constexpr std::string_view kDisconnectNotSupported = "Disconnect scope not supported";
inline constexpr std::string_view kUnknownDriveDot = "Unknown scope drive.";
inline constexpr std::string_view kUnknownDrive = "Unknown scope drive";
// The position read keeps its own spelling.
inline constexpr std::string_view kUnknownDriveRead = "Unkown scope drive";
inline constexpr std::string_view kGetPositionNotSupported = "Get position not supported";
inline constexpr std::string_view kUnknownDriveGoto = "Unknown scope drive: %d";
inline constexpr std::string_view kSyncNotImplemented =
    "Sorry, this function is not implemented for your telescope";
inline constexpr std::string_view kGotoFailed = "Goto failed";
inline constexpr std::string_view kFirstTwoStarAlign = "Please first perfom the 2 star aligment";
inline constexpr std::string_view kSelectTwoStarMethod =
    "Please select Vespertar 2 Stars aligment method into Pref1/7 panel.";
inline constexpr std::string_view kDoTwoStarAlign = "Please do the 2 Stars aligment first.";
inline constexpr std::string_view kSkyPosition = "Sky position:\nRa:%s\nDec:%s\nAzt:%s\nAlt:%s\n";
inline constexpr std::string_view kScopePositionEq = "Scope Position:\nRa:%s\nDec:%s";
inline constexpr std::string_view kScopePositionAz = "Scope Position:\nAzt:%s\nAlt:%s";
// A goto whose date lies outside the Earth ephemeris of the topocentric modes.
inline constexpr std::string_view kDateOutOfRange = "The date is outside the ephemeris.";
inline constexpr std::string_view kActivatingEmulation = "Activating Telescope emulation mode.";

inline constexpr std::string_view kReadFailEncoderEq = "Failed to get Encoder RA and Dec";
inline constexpr std::string_view kReadFailEncoderAz = "Failed to get Encoder Az and Alt";
inline constexpr std::string_view kReadFailMeade = "Failed to get Meade RA and Dec.";
inline constexpr std::string_view kReadFailCelestron = "Failed to get Celestron RA and Dec";
inline constexpr std::string_view kReadFailServoCat = "Failed to get Servocat RA and Dec";
inline constexpr std::string_view kReadFailTakahashi = "Failed to get Takahashi RA and Dec";
inline constexpr std::string_view kReadFailSiderealTech = "Failed to get SiderealTech RA and Dec";
inline constexpr std::string_view kReadFailSkyCommander = "Failed to get SkyCommander RA and Dec.";
inline constexpr std::string_view kReadFailIndi = "Failed to get INDI RA and Dec";

// The help button of the scope control form; 0x95 is the device code page's bullet.
inline constexpr std::string_view kHelpFirst = "\x95 Use Palm Keys to control your scope.";
inline constexpr std::string_view kHelpSecond =
    "\x95 On Tungsten use the navigation pad.\n\x95 To stop GoTo press left Palm Key.";

}  // namespace vsp::scope_text
