#pragma once
// A mount behind a NexStar hand controller, for trying the program without a telescope: the
// position, goto, sync, slewing and cancel commands, the echo, the version and the model, the
// motor pass-through slews and firmware version, and the NexStar 5 and 8's binary exchanges opened by "?". A precise
// controller (firmware 4.21) also takes the 32-bit commands; an older one (1.2) ignores
// them. Time is the caller's, as for the LX200 emulator.

#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"
#include "scope/NexStarCodec.h"

namespace vsp {

class NexStarEmulator {
public:
    static constexpr double kStepSeconds = 0.25;

    // An Ultima 2000 (`ultima`) takes each command only with the carriage return after it;
    // the cancel "M" alone is answered at once.
    explicit NexStarEmulator(bool precise, bool ultima = false);

    // Bytes in, reply bytes out; a command cut between two calls is answered when complete.
    std::string Receive(std::string_view bytes);
    void Advance(double seconds);
    void PlaceAt(EquatorialPosition position) { mount_.Sync(position); }
    const EmulatedMount& Mount() const { return mount_; }

private:
    // The length of the command at the front of the input, 0 while it is incomplete.
    size_t CommandLength(std::string_view input) const;
    std::string Execute(std::string_view command);
    std::string Position(NexStarPrecision precision) const;
    std::string Target(std::string_view command, bool sync);
    std::string PassThrough(std::string_view packet);

    EmulatedMount mount_;
    bool precise_;
    bool ultima_;
    bool legacy_ = false;  // a "?" was seen: the NexStar 5 and 8's binary layouts
    std::string pending_;
    double unspentSeconds_ = 0;
};

}  // namespace vsp
