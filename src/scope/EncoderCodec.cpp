#include "scope/EncoderCodec.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/ParseNumber.h"

namespace vsp {

std::optional<EncoderBoxTraits> FindEncoderBox(DriveId drive) {
    namespace code = drive_code;
    using Setup = EncoderSetup;
    constexpr std::array<EncoderBoxTraits, 8> kBoxes{{
        {.drive = code::kAamSkyvector},
        {.drive = code::kBBox, .setup = Setup::Resolutions, .resolutions = "Z%05ld %05ld\n", .settleMs = 500},
        {.drive = code::kDaveEk, .setup = Setup::BinaryResolutions, .settleMs = 250, .status = EncoderStatus::Asked,
         .counts = EncoderCountsLayout::Binary},
        {.drive = code::kNgcMax},
        {.drive = code::kOuranos, .setup = Setup::ResolutionsAndZero, .resolutions = "R%05ld\t%05ld\r",
         .zeroCounts = "I%05ld\t%05ld\r", .settleMs = 1000},
        {.drive = code::kIntelliscope, .counts = EncoderCountsLayout::DecimalAfterByte},
        {.drive = code::kUnlistedEncoder, .setup = Setup::Never, .status = EncoderStatus::Never},
        {.drive = code::kSkyWizard, .setup = Setup::Resolutions, .resolutions = "Z\t+%05ld\t+%05ld\n"},
    }};
    for (const EncoderBoxTraits& box : kBoxes)
        if (box.drive == drive) return box;
    return std::nullopt;
}

namespace {

constexpr size_t kFieldLength = 6;
constexpr size_t kAltitudeStart = 7;

std::optional<int32_t> ParseField(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    const bool negative = !field.empty() && field.front() == '-';
    if (!field.empty() && (field.front() == '+' || negative)) field.remove_prefix(1);
    if (field.empty() || field.front() < '0' || field.front() > '9') return std::nullopt;
    int32_t value = 0;
    if (!ParseWhole(field, value)) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::optional<double> EncoderAngle(int32_t count, int32_t steps, int32_t offset, bool signedFold) {
    const int64_t turn = std::abs(int64_t(steps));
    if (turn == 0) return std::nullopt;
    int64_t v = ((steps < 0 ? turn - count : int64_t(count)) - offset) % turn;
    if (v < 0) v += turn;
    if (signedFold && v > turn / 2) v -= turn;
    return double(v) * 360.0 / double(turn);
}

int32_t EncoderCountOf(double degrees, int32_t steps) {
    const int64_t turn = std::abs(int64_t(steps));
    if (turn == 0) return 0;
    int64_t v = std::llround(degrees * double(turn) / 360.0) % turn;
    if (steps < 0) v = turn - v;
    v %= turn;
    return int32_t(v < 0 ? v + turn : v);
}

std::optional<EncoderCounts> ParseEncoderCounts(std::string_view reply) {
    if (reply.size() <= kAltitudeStart) return std::nullopt;
    const auto azimuth = ParseField(reply.substr(0, kFieldLength));
    const auto altitude = ParseField(reply.substr(kAltitudeStart, kFieldLength));
    if (!azimuth || !altitude) return std::nullopt;
    return EncoderCounts{*azimuth, *altitude};
}

std::string FormatEncoderCounts(EncoderCounts counts) {
    char text[32];
    std::snprintf(text, sizeof text, "%+06d\t%+06d\r", int(counts.azimuth), int(counts.altitude));
    return text;
}

}  // namespace vsp
