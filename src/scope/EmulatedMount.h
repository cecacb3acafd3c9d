#pragma once
// The mount that stands in for an LX200-family telescope that does not answer: it moves by
// a fixed step at each position read, and closes on a goto target by a tenth of the way.

#include "scope/ScopeMotion.h"

namespace vsp {

struct EquatorialPosition {
    double raHours = 0;
    double decDegrees = 0;
};

class EmulatedMount {
public:
    void SetRate(ScopeRate rate);
    void Move(ScopeDirection direction);
    // Halting either axis halts both and holds the mount where it is.
    void Stop();
    void Goto(EquatorialPosition target);
    void Sync(EquatorialPosition position);
    // One read: advance one step and give the position.
    EquatorialPosition Step();

    EquatorialPosition Current() const { return current_; }
    bool Moving() const;

private:
    double raRate_ = 0;   // hours per step
    double decRate_ = 0;  // degrees per step
    double magnitude_ = 2.0;
    EquatorialPosition current_;
    EquatorialPosition target_;
};

}  // namespace vsp
