#include "scope/NexStarEmulator.h"

namespace vsp {
namespace {

constexpr size_t kShortCoordinates = 10, kPreciseCoordinates = 18, kPacket = 8;
constexpr size_t kLegacyCoordinates = 5;
const std::string kAck(1, nexstar::kAck);

// The rate nearest a motor rate of 1..9.
ScopeRate RateOf(int fixedRate) {
    if (fixedRate >= 9) return ScopeRate::Fast;
    if (fixedRate >= 7) return ScopeRate::Find;
    return fixedRate >= 4 ? ScopeRate::Center : ScopeRate::Guide;
}

}  // namespace

NexStarEmulator::NexStarEmulator(bool precise, bool ultima) : precise_(precise), ultima_(ultima) {}

std::string NexStarEmulator::Receive(std::string_view bytes) {
    pending_.append(bytes);
    std::string reply;
    for (size_t length; !pending_.empty() && (length = CommandLength(pending_)) > 0;) {
        const bool closed = ultima_ && pending_[0] != 'M';
        if (closed && pending_.size() <= length) break;  // the carriage return is still to come
        reply += Execute(std::string_view(pending_).substr(0, length));
        pending_.erase(0, closed ? length + 1 : length);
    }
    return reply;
}

void NexStarEmulator::Advance(double seconds) {
    unspentSeconds_ += seconds;
    for (; unspentSeconds_ >= kStepSeconds; unspentSeconds_ -= kStepSeconds) mount_.Step();
}

size_t NexStarEmulator::CommandLength(std::string_view input) const {
    size_t length = 1;
    switch (input[0]) {
        case 'K':
        case 0x05: length = 2; break;
        case 'R': length = legacy_ ? kLegacyCoordinates : kShortCoordinates; break;
        case 'S':
        case 'F': length = kShortCoordinates; break;
        case 'r':
        case 's': length = kPreciseCoordinates; break;
        case 'P':
        case 0x06:
        case 0x07: length = kPacket; break;
        default: break;
    }
    return input.size() >= length ? length : 0;
}

std::string NexStarEmulator::Execute(std::string_view command) {
    switch (command[0]) {
        case '?': legacy_ = true; return kAck;
        case 'K': legacy_ = false; return std::string(1, command[1]) + kAck;
        case 'V': return precise_ ? std::string("\x04\x15#") : std::string("\x01\x02#");
        case 'E': return Position(NexStarPrecision::Short);
        case 'e': return precise_ ? Position(NexStarPrecision::Precise) : "";
        case 'R':
        case 'r': return Target(command, false);
        case 'S':
        case 's':
        case 'F': return Target(command, true);
        case 'm': return std::string("\x14#");  // the model: an equatorial Advanced VX
        case 'L': return mount_.Moving() ? "1#" : "0#";
        case 'M': mount_.Stop(); return kAck;
        case 'P': return PassThrough(command);
        case 0x05: mount_.Stop(); return "";
        default: return "";  // the old GT's motion packets and stray bytes go unanswered
    }
}

std::string NexStarEmulator::Position(NexStarPrecision precision) const {
    const EquatorialPosition at = mount_.Current();
    // The position replies are the goto commands' operands.
    if (legacy_) return NexStarLegacyCoordinateCommand(at).substr(1);
    return NexStarCoordinateCommand('E', at, precision).substr(1) + kAck;
}

std::string NexStarEmulator::Target(std::string_view command, bool sync) {
    const bool precise = command[0] == 'r' || command[0] == 's';
    if (precise && !precise_) return "";
    const auto angles = legacy_ && command[0] == 'R'
                            ? ParseNexStarLegacyAngles(command.substr(1))
                            : ParseNexStarAngles(command.substr(1), precise ? NexStarPrecision::Precise
                                                                            : NexStarPrecision::Short);
    if (!angles) return "";
    const EquatorialPosition target = NexStarPosition(*angles);
    if (sync) {
        mount_.Sync(target);
    } else {
        mount_.Goto(target);
    }
    return legacy_ ? "" : kAck;
}

// Slews of the azimuth (16) and altitude (17) motors: 36 the positive way, 37 the negative,
// at the rate of the fifth byte, 0 halting the mount.
// The motors' firmware version (254) is 7.11.
std::string NexStarEmulator::PassThrough(std::string_view packet) {
    const int motor = packet[2], direction = packet[3], rate = packet[4];
    if (uint8_t(direction) == 254) return std::string("\x07\x0B#");
    if ((motor == 16 || motor == 17) && (direction == 36 || direction == 37)) {
        if (rate == 0) {
            mount_.Stop();
        } else {
            mount_.SetRate(RateOf(rate));
            const bool positive = direction == 36;
            mount_.Move(motor == 17 ? (positive ? ScopeDirection::North : ScopeDirection::South)
                                    : (positive ? ScopeDirection::West : ScopeDirection::East));
        }
    }
    return kAck;
}

}  // namespace vsp
