#pragma once
// The LX200 command set as text: the commands a client sends and the parsing of the
// coordinate replies. No I/O here; the link sends these strings as they are (no terminator
// added) and hands the bytes read back to the parsers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scope/DriveTable.h"
#include "scope/ScopeMotion.h"

namespace vsp {

enum class Lx200Precision { Short, Long };

namespace lx200 {

inline constexpr std::string_view kGetDecHandshake = "#:GD#";
inline constexpr std::string_view kGetDateHandshake = "#:GC#";  // the Magellan boxes
inline constexpr std::string_view kGetRa = "#:GR#";
inline constexpr std::string_view kGetDec = ":GD#";
inline constexpr std::string_view kSlew = "#:MS#";
inline constexpr std::string_view kSync = "#:CM#";
inline constexpr std::string_view kGeminiOn = ":ON#";
inline constexpr std::string_view kStop = "#:Q#";
inline constexpr std::string_view kTogglePrecision = "#:U#";

// The longest replies a read asks for.
inline constexpr size_t kHandshakeReplyMax = 10;
inline constexpr size_t kDateReplyLength = 9;
size_t RaReplyLength(Lx200Precision precision);
size_t DecReplyLength(Lx200Precision precision);

inline constexpr std::string_view kFailOpenSerial = "Fail to open serial connection";
inline constexpr std::string_view kFailOpenMeade = "Fail to open Meade connection";
inline constexpr std::string_view kNotMeade = "Seems scope is not Meade !";
inline constexpr std::string_view kFailSend = "Fail to send string";

}  // namespace lx200

// Target coordinates; RA is rounded to the nearest unit of the precision by adding half a
// second before the fields are truncated. The degree mark sent is the byte 0xDF.
std::string Lx200RaCommand(double raHours, Lx200Precision precision);
std::string Lx200DecCommand(double decDegrees, Lx200Precision precision);
std::string_view Lx200RateCommand(ScopeRate rate);
std::string_view Lx200MoveCommand(ScopeDirection direction);
std::string_view Lx200StopAxisCommand(ScopeDirection direction);

// The commands of a goto and of a sync in the order sent (a goto of the Gemini controller
// switches it on between RA and Dec). After each coordinate command one reply byte is read.
std::vector<std::string> Lx200GotoCommands(DriveId drive, double raHours, double decDegrees,
                                           Lx200Precision precision);
std::vector<std::string> Lx200SyncCommands(double raHours, double decDegrees,
                                           Lx200Precision precision);

// The connect handshake judged by the number of bytes its reply held.
struct Lx200Handshake {
    bool connected = false;
    bool longPrecision = false;  // a 10-character declination
};
Lx200Handshake EvaluateLx200Handshake(DriveId drive, size_t bytesRead);

// The reply to a slew: '0', or the '1' or '2' that begins a refusal text ("1Object Below
// Horizon#"), means the mount took the command (a refusal text still counts); silence, or any
// other first byte (line noise, another device), is a refusal.
enum class Lx200GotoReply { Accepted, Refused };
Lx200GotoReply EvaluateSlewReply(std::string_view reply);

// "HH:MM.T#" or "HH:MM:SS#" (the '#' may be missing when the read stopped short), any
// non-digit as separator; nullopt for anything else or a field out of range.
std::optional<double> ParseLx200Ra(std::string_view reply);
// "sDD*MM#" or "sDD*MM:SS#", s being '+' or '-'.
std::optional<double> ParseLx200Dec(std::string_view reply);

}  // namespace vsp
