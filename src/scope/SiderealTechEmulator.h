#pragma once
// A SiderealTech servo controller, for trying the program without a telescope: commands end
// with a carriage return; "XXU..." and "XXV..." give the X (altitude or Dec) and Y (azimuth or
// RA) resolutions, "X" and "Y" the axis counts, "X<count>[S<speed>]" sets a target (and the
// speed) that the axis runs to, "XS<speed>" a speed, "XN" stops the axis; "Q" a status line.
// Time is the caller's.

#include <array>
#include <cstdint>

#include "scope/CommandEmulator.h"

namespace vsp {

class SiderealTechEmulator : public CommandEmulator {
public:
    // Counts per turn: a tenth of an arcsecond.
    static constexpr int32_t kDefaultResolution = 12960000;

    explicit SiderealTechEmulator(int32_t altitudeResolution = kDefaultResolution,
                                  int32_t azimuthResolution = kDefaultResolution);

    void Advance(double seconds);
    // At rest with the Y axis at RA x 15 degrees and the X axis at Dec.
    void PlaceAt(EquatorialPosition position);

private:
    struct Axis {
        int32_t resolution;
        double counts = 0;
        double target = 0;
        long speed = 0;  // the controller's units
    };

    size_t CommandLength(std::string_view input) const override;
    std::string Execute(std::string_view command) override;
    // Sets a target and speed ("<count>[S<speed>]"), a speed ("S<speed>") or a stop ("N").
    void Command(Axis& axis, std::string_view operand);

    Axis x_, y_;
};

}  // namespace vsp
