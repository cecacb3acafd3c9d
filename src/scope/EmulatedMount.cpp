#include "scope/EmulatedMount.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

// A tenth of the way while farther than the threshold, then the rest at once.
double Approach(double current, double target, double threshold) {
    const double gap = target - current;
    return std::fabs(gap) > threshold ? current + gap / 10 : target;
}

}  // namespace

void EmulatedMount::SetRate(ScopeRate rate) {
    constexpr std::array<double, 4> kMagnitudes{2.0, 0.5, 0.1, 0.05};
    magnitude_ = kMagnitudes[size_t(rate)];
}

void EmulatedMount::Move(ScopeDirection direction) {
    switch (direction) {
        case ScopeDirection::North: decRate_ = -magnitude_; break;
        case ScopeDirection::South: decRate_ = magnitude_; break;
        case ScopeDirection::East: raRate_ = -magnitude_ / 15; break;
        case ScopeDirection::West: raRate_ = magnitude_ / 15; break;
    }
}

void EmulatedMount::Stop() {
    raRate_ = decRate_ = 0;
    target_ = current_;
}

void EmulatedMount::Goto(EquatorialPosition target) {
    target_ = target;
    raRate_ = decRate_ = 0;
}

void EmulatedMount::Sync(EquatorialPosition position) {
    current_ = target_ = position;
    raRate_ = decRate_ = 0;
}

EquatorialPosition EmulatedMount::Step() {
    current_.raHours = raRate_ != 0 ? current_.raHours + raRate_
                                    : Approach(current_.raHours, target_.raHours, 1.0 / 15);
    current_.raHours = ReduceAngle(current_.raHours, 24.0);
    current_.decDegrees = decRate_ != 0 ? current_.decDegrees + decRate_
                                        : Approach(current_.decDegrees, target_.decDegrees, 1.0);
    current_.decDegrees = std::clamp(current_.decDegrees, -90.0, 90.0);
    return current_;
}

bool EmulatedMount::Moving() const {
    return raRate_ != 0 || decRate_ != 0 || current_.raHours != target_.raHours ||
           current_.decDegrees != target_.decDegrees;
}

}  // namespace vsp
