#pragma once
// A Takahashi controller, for trying the program without a telescope: the version, the site's
// sidereal time and latitude, the zenith routine (the pier status reads 'F' for a moment,
// then the side the mount stands on; "PT" turns it over), positions, gotos started by "PS",
// syncs, motions that stop unless repeated, and the stops. Time is the caller's, as for the
// other emulated mounts.

#include <optional>
#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"
#include "scope/TakahashiCodec.h"

namespace vsp {

class TakahashiEmulator {
public:
    static constexpr double kStepSeconds = 0.25;
    static constexpr double kZenithRoutineSeconds = 1.0;
    // A motion lasts this long unless repeated: a little more than the 2 s between the
    // repeats of a held button.
    static constexpr double kMotionSeconds = 2.5;

    // `pier`: takahashi::kPierEast or kPierWest.
    explicit TakahashiEmulator(char pier);

    // Bytes in, reply bytes out; a command is answered once its line feed arrived.
    std::string Receive(std::string_view bytes);
    void Advance(double seconds);
    void PlaceAt(EquatorialPosition position) { mount_.Sync(position); }
    const EmulatedMount& Mount() const { return mount_; }
    char Pier() const { return pier_; }

private:
    std::string Execute(std::string_view line);
    // A goto ('P') or sync ('D') and its verdict.
    std::string Coordinates(std::string_view line);
    void Zenith();
    void StartMotion(std::string_view line);

    EmulatedMount mount_;
    char pier_;
    std::string pending_;
    std::optional<EquatorialPosition> acceptedTarget_;  // waiting for "PS"
    std::optional<double> siderealHours_, latitude_;
    double zenithSeconds_ = 0;  // left of the zenith routine
    double motionSeconds_ = 0;  // left of the last motion command
    double unspentSeconds_ = 0;
};

}  // namespace vsp
