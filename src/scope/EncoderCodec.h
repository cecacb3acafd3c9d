#pragma once
// The arithmetic and byte layouts the setting-circle boxes share with their emulator: what
// sets each kind of box apart, the angle of a shaft encoder's count through the steps per
// turn (a negative value counts the other way) and a zero offset, the count an angle gives,
// and the "Q" reply of two signed decimal counts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scope/DriveTable.h"

namespace vsp {

// How a box is handed the steps per turn of its encoders.
enum class EncoderSetup {
    None,                // it needs none
    Resolutions,         // a text command answered by one byte, then its status is asked
    BinaryResolutions,   // "z" and the altitude then azimuth steps, low byte first, answered by
                         // one byte; then "A"
    ResolutionsAndZero,  // a text command, then the zero counts; neither answered
    Never,               // not by this program: the box answers once set up elsewhere
};

// Whether a box is ready before a read.
enum class EncoderStatus {
    Ready,  // always
    Asked,  // "a", answered "Y" when ready
    Never,
};

// How a box reports its counts.
enum class EncoderCountsLayout {
    Decimal,           // "Q", answered by the decimal counts (ParseEncoderCounts)
    DecimalAfterByte,  // "Q", answered by one byte and the decimal counts
    Binary,            // "y", answered by the altitude then azimuth counts, low byte first
};

struct EncoderBoxTraits {
    DriveId drive;
    EncoderSetup setup = EncoderSetup::None;
    // The printf formats of the azimuth then altitude steps, and of the zero counts.
    const char* resolutions = nullptr;
    const char* zeroCounts = nullptr;
    // Waited after the resolutions (the binary setup: after its answer, before "A").
    int settleMs = 0;
    EncoderStatus status = EncoderStatus::Ready;
    EncoderCountsLayout counts = EncoderCountsLayout::Decimal;
};

// The box of a drive of the encoder family, nothing for the other drives.
std::optional<EncoderBoxTraits> FindEncoderBox(DriveId drive);

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
