#pragma once
// The Celestron NexStar command set as bytes: angles as fractions of a turn (16 bits, or 32
// for the precise commands), the coordinate commands, the motor pass-through packets and the
// strict parsing of the replies. No I/O here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scope/DriveTable.h"
#include "scope/EmulatedMount.h"
#include "scope/ScopeMotion.h"

namespace vsp {

enum class NexStarPrecision { Short, Precise };

namespace nexstar {

inline constexpr std::string_view kLegacyEcho = "?";  // the NexStar 5 and 8
inline constexpr std::string_view kEcho = "Kx";
inline constexpr std::string_view kGetPosition = "E";
inline constexpr std::string_view kStop = "M";
inline constexpr std::string_view kReturn = "\r";  // ends every Ultima 2000 command
inline constexpr char kAck = '#';
// The longest replies a read asks for.
inline constexpr size_t kPositionReplyMax = 10;
inline constexpr size_t kLegacyPositionLength = 4;

inline constexpr std::string_view kFailOpenNexStar = "Fail to open Nexstar connection";
inline constexpr std::string_view kNotNexStar = "Seems scope is not a Nexstar !";
inline constexpr std::string_view kNoAckMove = "No acknowledgement from telescope in StopSlew.";
inline constexpr std::string_view kNoAckStop = "No acknowledgement from telescope in Stop Goto.";

}  // namespace nexstar

// Degrees (any number of turns, negative ones too) as a fraction of a turn, truncated: 16
// bits, or 32 for the precise commands.
uint32_t NexStarTurn(double degrees, NexStarPrecision precision);
double NexStarDegrees(uint32_t turn, NexStarPrecision precision);
// A declination reading of the mount (0..360) folded back into -90..90.
double FoldNexStarDeclination(double degrees);

// The two angles of a mount in degrees: RA, and the declination as a turn (a southern one
// is 360 + dec).
struct NexStarAngles {
    double ra = 0;
    double dec = 0;
};

// `letter` followed by the two angles in hexadecimal ("R2000,2000"); the legacy NexStar 5
// and 8 take 'R' and the two 16-bit angles as big-endian bytes instead.
std::string NexStarCoordinateCommand(char letter, EquatorialPosition target, NexStarPrecision precision);
std::string NexStarLegacyCoordinateCommand(EquatorialPosition target);

// The angles of a position reply "34AB,12CE#" (the '#' may be missing when the read stopped
// short) or of a coordinate command's text after its letter; either case of hexadecimal.
std::optional<NexStarAngles> ParseNexStarAngles(std::string_view text, NexStarPrecision precision);
// The four bytes of the legacy position reply.
std::optional<NexStarAngles> ParseNexStarLegacyAngles(std::string_view reply);
// The sky position a mount's angles stand for.
EquatorialPosition NexStarPosition(NexStarAngles angles);

// The fixed motor rate of a slew rate: 9, 7, 4 or 2.
int NexStarFixedRate(ScopeRate rate);
// The motor pass-through packet that drives an axis at `fixedRate` (0 halts it).
std::string NexStarMovePacket(ScopeDirection direction, int fixedRate);
// The binary motion commands of the old NexStar GT hand controller.
std::string NexStarOldGtMove(ScopeDirection direction, int fixedRate);
std::string NexStarOldGtStopAxis();
std::string NexStarOldGtStop();

// How the motions of a NexStar model reach its motors.
enum class NexStarMotion {
    None,         // the model has no motion commands
    OldGt,        // the old GT hand controller's binary commands
    PassThrough,  // the motor pass-through packets
};

// What sets the NexStar models apart; the defaults are the NexStar GPS, GT and CGE's.
struct NexStarModel {
    DriveId drive = drive_code::kNexStarGps;
    // Binary positions and coordinates, each exchange opened by "?" (the NexStar 5 and 8).
    bool legacy = false;
    // Every command closed by a carriage return (the Ultima 2000).
    bool carriageReturn = false;
    char syncLetter = 'S';
    // The port's framing for the handshake (SerialLink::SerialReconfigure), 0 to keep it.
    uint8_t framing = 0;
    // The echo answered with exactly the character sent, never in capitals.
    bool exactEcho = false;
    NexStarMotion motion = NexStarMotion::PassThrough;
    // The SkyScan EQ6 is not known to acknowledge motion packets: its silence is not reported.
    bool acknowledgesMotion = true;
};

// The model of a drive of the NexStar family, nothing for the other drives.
std::optional<NexStarModel> FindNexStarModel(DriveId drive);
// Whether the reply to the echo request shows a NexStar of that drive.
bool AcceptsNexStarEcho(DriveId drive, std::string_view reply);

}  // namespace vsp
