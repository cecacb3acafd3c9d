#pragma once
// The arithmetic and byte layouts the setting-circle boxes share with their emulator: the
// angle of a shaft encoder's count through the steps per turn (a negative value counts the
// other way) and a zero offset, the count an angle gives, and the "Q" reply of two signed
// decimal counts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vsp {

struct EncoderCounts {
    int32_t azimuth = 0;
    int32_t altitude = 0;
};

// Degrees of a count, or none for 0 steps per turn: in [0, 360), or with `signedFold` past
// half a turn taken below zero, so that an altitude reads in (-180, 180].
std::optional<double> EncoderAngle(int32_t count, int32_t steps, int32_t offset, bool signedFold);
// The count in [0, |steps|) nearest an angle in degrees, as a box reports it.
int32_t EncoderCountOf(double degrees, int32_t steps);

// Characters 0-5 and 7-12 of the reply: the azimuth and altitude counts, each an optional
// sign and digits (spaces before them allowed); a shorter reply cuts the altitude short.
std::optional<EncoderCounts> ParseEncoderCounts(std::string_view reply);
// The same layout: each count as a sign and five digits, a tab between, a carriage return.
std::string FormatEncoderCounts(EncoderCounts counts);

}  // namespace vsp
