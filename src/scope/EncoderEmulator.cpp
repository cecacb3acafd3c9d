#include "scope/EncoderEmulator.h"

#include <cstdlib>

namespace vsp {
namespace {

// The Dave Ek box: "z" and the altitude then the azimuth resolution, low byte first.
constexpr size_t kDaveEkResolutionLength = 5;
// What a box answers to its resolutions.
constexpr char kResolutionsTaken = '*';

char LowByte(int32_t value) { return char(value & 0xFF); }
char HighByte(int32_t value) { return char((value >> 8) & 0xFF); }

}  // namespace

EncoderEmulator::EncoderEmulator(int box, EncoderCounts steps)
    : box_(FindEncoderBox(box).value_or(EncoderBoxTraits{.drive = box})), steps_(steps) {}

void EncoderEmulator::PointAt(double azimuth, double altitude) {
    azimuth_ = azimuth;
    altitude_ = altitude;
}

EncoderCounts EncoderEmulator::Counts() const {
    return {EncoderCountOf(azimuth_, steps_.azimuth), EncoderCountOf(altitude_, steps_.altitude)};
}

std::string EncoderEmulator::Receive(std::string_view bytes) {
    pending_.append(bytes);
    std::string reply;
    while (const size_t length = CommandLength(pending_)) {
        reply += Execute(std::string_view(pending_).substr(0, length));
        pending_.erase(0, length);
    }
    return reply;
}

size_t EncoderEmulator::CommandLength(std::string_view input) const {
    if (input.empty()) return 0;
    const auto through = [input](char end) {
        const size_t at = input.find(end);
        return at == std::string_view::npos ? 0 : at + 1;
    };
    switch (input.front()) {
        case 'z':
            if (box_.setup != EncoderSetup::BinaryResolutions) return 1;
            return input.size() >= kDaveEkResolutionLength ? kDaveEkResolutionLength : 0;
        case 'Z': return box_.setup == EncoderSetup::Resolutions ? through('\n') : 1;
        case 'R':
        case 'I': return box_.setup == EncoderSetup::ResolutionsAndZero ? through('\r') : 1;
        default: return 1;
    }
}

std::string EncoderEmulator::Execute(std::string_view command) {
    const EncoderCounts counts = Counts();
    if (box_.counts == EncoderCountsLayout::Binary) {
        switch (command.front()) {
            case 'z': {
                const auto word = [command](size_t i) { return uint8_t(command[i]) + 256 * uint8_t(command[i + 1]); };
                steps_ = {word(3), word(1)};
                return std::string(1, kResolutionsTaken);
            }
            case 'a': return "Y";
            case 'y':
                return {LowByte(counts.altitude), HighByte(counts.altitude), LowByte(counts.azimuth),
                        HighByte(counts.azimuth)};
            default: return "";
        }
    }
    switch (command.front()) {
        case 'Q': {
            const bool leadByte = box_.counts == EncoderCountsLayout::DecimalAfterByte;
            return (leadByte ? "Q" : "") + FormatEncoderCounts(counts);
        }
        case 'Z':
            if (box_.setup != EncoderSetup::Resolutions) return "";
            TakeSteps(command.substr(1));
            return std::string(1, kResolutionsTaken);
        case 'R':
            if (box_.setup == EncoderSetup::ResolutionsAndZero) TakeSteps(command.substr(1));
            return "";
        default: return "";
    }
}

void EncoderEmulator::TakeSteps(std::string_view numbers) {
    const std::string text(numbers);
    char* end = nullptr;
    const long azimuth = std::strtol(text.c_str(), &end, 10);
    const long altitude = std::strtol(end, &end, 10);
    if (azimuth > 0 && altitude > 0) steps_ = {int32_t(azimuth), int32_t(altitude)};
}

}  // namespace vsp
