#pragma once
// A mount that speaks the LX200 command set, for trying the program without a telescope:
// it takes the bytes a client writes and gives back the bytes a mount would answer. Time is
// the caller's: motion happens only in `Advance`, so a pseudo-terminal loop or a test drives
// it at whatever pace it likes.

#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"
#include "scope/Lx200Codec.h"

namespace vsp {

class Lx200Emulator {
public:
    // Seconds of simulated motion per step of the mount.
    static constexpr double kStepSeconds = 0.25;

    explicit Lx200Emulator(Lx200Precision precision = Lx200Precision::Short);

    // Bytes in, reply bytes out; a command cut between two calls is answered when complete.
    std::string Receive(std::string_view bytes);
    void Advance(double seconds);
    // The calendar date the mount reports, as month/day/two-digit year.
    void SetDate(int year, int month, int day);
    // The mount at rest at `position`, as after a sync.
    void PlaceAt(EquatorialPosition position) { mount_.Sync(position); }

    const EmulatedMount& Mount() const { return mount_; }
    Lx200Precision Precision() const { return precision_; }

private:
    std::string Execute(std::string_view command);
    std::string SetTarget(std::string_view command);
    std::string RaReply() const;
    std::string DecReply() const;

    EmulatedMount mount_;
    Lx200Precision precision_;
    EquatorialPosition target_;
    std::string pending_;
    std::string date_ = "01/01/00#";
    double unspentSeconds_ = 0;
};

}  // namespace vsp
