#include "scope/NexStarCodec.h"

#include <array>
#include <cmath>

#include "ephemeris/ReduceAngle.h"
#include "platform/FormatText.h"

namespace vsp {
namespace {

// 65536 / 360 as the hand controllers' firmware computes it, per arc minute.
constexpr double kShortUnitsPerArcMinute = 3.0340740740740744;
constexpr double kPreciseUnitsPerDegree = 4294967296.0 / 360;

constexpr char kPassThrough = 'P';
constexpr char kAzimuthMotor = 16, kAltitudeMotor = 17;
constexpr char kPositiveSlew = 36, kNegativeSlew = 37;

size_t Digits(NexStarPrecision precision) { return precision == NexStarPrecision::Precise ? 8 : 4; }

std::optional<uint32_t> ParseHex(std::string_view digits) {
    uint32_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | uint32_t(digit);
    }
    return value;
}

std::string BigEndian16(uint32_t value) { return {char(value >> 8 & 0xFF), char(value & 0xFF)}; }

std::string Packet(std::initializer_list<int> bytes) {
    std::string packet;
    for (const int byte : bytes) packet += char(byte);
    return packet;
}

}  // namespace

uint32_t NexStarTurn(double degrees, NexStarPrecision precision) {
    const double normalized = ReduceAngle(degrees, 360.0);
    if (precision == NexStarPrecision::Precise) return uint32_t(uint64_t(normalized * kPreciseUnitsPerDegree));
    return uint32_t(normalized * 60 * kShortUnitsPerArcMinute) & 0xFFFF;
}

double NexStarDegrees(uint32_t turn, NexStarPrecision precision) {
    if (precision == NexStarPrecision::Precise) return turn / kPreciseUnitsPerDegree;
    return turn * 360.0 / 65536;
}

// Past the pole the reading goes on round the meridian; everything from the far side of the
// north pole down to the south pole folds as 180 - d.
double FoldNexStarDeclination(double degrees) {
    if (degrees <= 90) return degrees;
    if (degrees <= 270) return 180 - degrees;
    return degrees - 360;
}

std::string NexStarCoordinateCommand(char letter, EquatorialPosition target, NexStarPrecision precision) {
    const char* format = precision == NexStarPrecision::Precise ? "%c%08X,%08X" : "%c%04X,%04X";
    return FormatText(format, letter, unsigned(NexStarTurn(target.raHours * 15, precision)),
                      unsigned(NexStarTurn(target.decDegrees, precision)));
}

std::string NexStarLegacyCoordinateCommand(EquatorialPosition target) {
    return "R" + BigEndian16(NexStarTurn(target.raHours * 15, NexStarPrecision::Short)) +
           BigEndian16(NexStarTurn(target.decDegrees, NexStarPrecision::Short));
}

std::optional<NexStarAngles> ParseNexStarAngles(std::string_view text, NexStarPrecision precision) {
    const size_t digits = Digits(precision);
    if (text.size() == 2 * digits + 2 && text.back() == nexstar::kAck) text.remove_suffix(1);
    if (text.size() != 2 * digits + 1 || text[digits] != ',') return std::nullopt;
    const auto ra = ParseHex(text.substr(0, digits));
    const auto dec = ParseHex(text.substr(digits + 1));
    if (!ra || !dec) return std::nullopt;
    return NexStarAngles{NexStarDegrees(*ra, precision), NexStarDegrees(*dec, precision)};
}

std::optional<NexStarAngles> ParseNexStarLegacyAngles(std::string_view reply) {
    if (reply.size() != nexstar::kLegacyPositionLength) return std::nullopt;
    const auto word = [&reply](size_t at) { return uint32_t(uint8_t(reply[at])) << 8 | uint8_t(reply[at + 1]); };
    return NexStarAngles{NexStarDegrees(word(0), NexStarPrecision::Short),
                         NexStarDegrees(word(2), NexStarPrecision::Short)};
}

EquatorialPosition NexStarPosition(NexStarAngles angles) {
    return {angles.ra / 15, FoldNexStarDeclination(angles.dec)};
}

int NexStarFixedRate(ScopeRate rate) {
    constexpr std::array<int, 4> kRates{9, 7, 4, 2};
    return kRates[size_t(rate)];
}

std::string NexStarMovePacket(ScopeDirection direction, int fixedRate) {
    const bool altitude = direction == ScopeDirection::North || direction == ScopeDirection::South;
    const bool positive = direction == ScopeDirection::North || direction == ScopeDirection::West;
    return Packet({kPassThrough, 2, altitude ? kAltitudeMotor : kAzimuthMotor, positive ? kPositiveSlew : kNegativeSlew,
                   fixedRate, 0, 0, 0});
}

std::string NexStarOldGtMove(ScopeDirection direction, int fixedRate) {
    const int v = fixedRate * 100000 / 9;
    const int v2 = v >> 16 & 0xFF, v1 = v >> 8 & 0xFF, v0 = v & 0xFF;
    switch (direction) {
        case ScopeDirection::North: return Packet({0x06, 0, 0, 0, 0x1A, v2, v1, v0});
        case ScopeDirection::South: return Packet({0x06, 0, 0, 0, 0x1B, v2, v1, v0});
        case ScopeDirection::East: return Packet({0x07, v2, v1, v0, 0x1A, 0, 0, 0});
        case ScopeDirection::West: break;
    }
    return Packet({0x06, v2, v1, v0, 0x1A, 0, 0, 0});
}

std::string NexStarOldGtStopAxis() { return Packet({0x06, 0, 0, 0, 0x1A, 0, 0, 0}); }

std::string NexStarOldGtStop() { return Packet({0x05, 0x19}); }

std::optional<NexStarModel> FindNexStarModel(DriveId drive) {
    using enum NexStarMotion;
    namespace code = drive_code;
    // 8 data bits with the RTS handshake, which the Ultima 2000 needs.
    constexpr uint8_t kUltimaFraming = 208;
    constexpr std::array<NexStarModel, 5> kModels{{
        {.drive = code::kNexStar58, .legacy = true, .motion = None},
        {.drive = code::kNexStarOldGt, .motion = OldGt},
        {.drive = code::kNexStarGps},
        {.drive = code::kUltima2000, .carriageReturn = true, .syncLetter = 'F', .framing = kUltimaFraming,
         .exactEcho = true, .motion = None},
        {.drive = code::kSkyScanEq6, .acknowledgesMotion = false},
    }};
    for (const NexStarModel& model : kModels)
        if (model.drive == drive) return model;
    return std::nullopt;
}

// The NexStar 5 and 8 answer "?" with "#"; the Ultima 2000 echoes exactly the character sent;
// the others may answer it in capitals.
bool AcceptsNexStarEcho(DriveId drive, std::string_view reply) {
    const NexStarModel model = FindNexStarModel(drive).value_or(NexStarModel{});
    if (model.legacy) return reply == "#";
    if (model.exactEcho) return reply.size() == 2 && reply[0] == 'x';
    return !reply.empty() && (reply[0] == 'x' || reply[0] == 'X');
}

}  // namespace vsp
