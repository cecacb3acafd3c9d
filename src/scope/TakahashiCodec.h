#pragma once
// The Takahashi controller's command set as bytes, every command closed by CR LF: the
// sidereal time and latitude of the site, the coordinates of a goto or a sync, the motions,
// and the strict reading of its position reply. No I/O here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"
#include "scope/ScopeMotion.h"

namespace vsp {
namespace takahashi {

inline constexpr std::string_view kVersion = "v\r\n";
inline constexpr std::string_view kGetPosition = "E\r\n";
// The mount is told it points at the zenith.
inline constexpr std::string_view kZenith = "Z\r\n";
// Turns the mount over to the other side of the pier; the comma between CR and LF is what
// the controllers have always been sent, and they take it.
inline constexpr std::string_view kChangeSide = "PT\r,\n";
// Starts the slew to a target just accepted; with none pending it halts the slew.
inline constexpr std::string_view kStartOrHaltSlew = "PS\r\n";
inline constexpr std::string_view kStopAxis = "M@\r\n";
inline constexpr std::string_view kStopMotors = "s\r\n";

// The longest replies a read asks for, the shortest version reply (it begins with 'v'), and
// the length of a coordinate reply.
inline constexpr size_t kVersionReplyMax = 30;
inline constexpr size_t kVersionReplyMin = 11;
inline constexpr size_t kPositionReplyMax = 17;
inline constexpr size_t kCoordinateReplyLength = 4;

// Pier status of a position reply: the zenith routine is still running, or the side the
// mount stands on.
inline constexpr char kPierChanging = 'F';
inline constexpr char kPierEast = 'E', kPierWest = 'W';

// The connect failure keeps the controller's old spelling.
inline constexpr std::string_view kFailOpen = "Fail to open Takahasi connection.";
inline constexpr std::string_view kFailFraming = "Fail to set Takahashi serial port parameters";
inline constexpr std::string_view kPierQuestion =
    "Please, point your telescope to zenith and press Yes if it is placed at the East side, else press No.";
inline constexpr std::string_view kNoResponse = "No response from Takahashi";

}  // namespace takahashi

// A value of zero or more as whole units, minutes and seconds, rounded to the second (half a
// second is added before each part is truncated).
struct SexagesimalParts {
    int whole = 0;
    int minutes = 0;
    int seconds = 0;
};
SexagesimalParts SplitRounded(double value);

// "Thhmmss" of a sidereal time in hours.
std::string TakahashiSiderealTimeCommand(double hours);
// "I+ddmmt", minutes in whole minutes and tenths; "I-..." south of the equator.
std::string TakahashiLatitudeCommand(double degrees);
// 'P' (goto) or 'D' (sync), "hhmmss" then "+ddmmt", "-ddmmt" or, exactly on the equator,
// " 00000".
std::string TakahashiCoordinateCommand(char letter, EquatorialPosition target);
// Two letters and CR LF; the guide rate has its own letters.
std::string_view TakahashiMoveCommand(ScopeDirection direction, bool guideRate);

// The second character of the reply to a coordinate command.
enum class TakahashiCoordinateReply : char {
    Accepted = '1',
    WrongRa = '2',
    WrongDec = '3',
    TooManyDigits = '4',
};

struct TakahashiReading {
    EquatorialPosition position;
    char pier = 0;
};
// 'E', "hhmmss", the sign ('+', '-' or ' ') and "ddmmt", the pier status: the fields out of
// range, a character that is not a digit or a reply cut short give nullopt.
std::optional<TakahashiReading> ParseTakahashiPosition(std::string_view reply);
// The controller's reply to "E", CR LF included.
std::string TakahashiPositionReply(EquatorialPosition position, char pier);

}  // namespace vsp
