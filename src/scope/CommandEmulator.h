#pragma once
// What the emulated mounts of the simpler serial protocols share: the client's bytes cut into
// the family's commands, each answered once it is complete, and for the mounts that report
// RA and Dec, an emulated mount moving in steps of the caller's time.

#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"

namespace vsp {

class CommandEmulator {
public:
    virtual ~CommandEmulator() = default;
    // Bytes in, reply bytes out; a command cut between two calls is answered when complete.
    std::string Receive(std::string_view bytes);

protected:
    // The length of the command at the front of `input`, 0 while it is incomplete.
    virtual size_t CommandLength(std::string_view input) const = 0;
    virtual std::string Execute(std::string_view command) = 0;

private:
    std::string pending_;
};

class SteppedMountEmulator : public CommandEmulator {
public:
    // Seconds of simulated motion per step of the mount, as for the LX200 emulator.
    static constexpr double kStepSeconds = 0.25;

    void Advance(double seconds);
    // The mount at rest at `position`.
    void PlaceAt(EquatorialPosition position) { mount_.Sync(position); }
    const EmulatedMount& Mount() const { return mount_; }

protected:
    // "HH.hhh +DD.ddd" with `decimals` decimals, RA hours within the day.
    std::string PositionText(int decimals) const;

    EmulatedMount mount_;

private:
    double unspentSeconds_ = 0;
};

}  // namespace vsp
