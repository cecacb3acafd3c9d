#pragma once
// A setting-circle box on a pushed telescope, for trying the program (or another client)
// without the hardware: it takes the resolutions its client hands it and reports the counts
// of the telescope's azimuth and altitude in the layout of its kind: the signed decimal "Q"
// reply of most boxes (the Intelliscope with one byte ahead), the Dave Ek box's binary
// exchanges.

#include <string>
#include <string_view>

#include "scope/EncoderCodec.h"

namespace vsp {

class EncoderEmulator {
public:
    // The drive codes of the boxes it can be.
    static constexpr int kBoxes[] = {1, 3, 4, 11, 12, 16, 22};

    // `steps`: counts per turn of each axis, positive.
    EncoderEmulator(int box, EncoderCounts steps);

    // Bytes in, reply bytes out; a command cut between two calls is answered when complete.
    std::string Receive(std::string_view bytes);
    // Where the telescope stands, degrees.
    void PointAt(double azimuth, double altitude);
    EncoderCounts Counts() const;
    EncoderCounts Steps() const { return steps_; }

private:
    // The length of the command at the front of the input, 0 while it is incomplete.
    size_t CommandLength(std::string_view input) const;
    std::string Execute(std::string_view command);
    // The two counts of a resolution command, which keep the old ones when unreadable.
    void TakeSteps(std::string_view numbers);

    EncoderBoxTraits box_;
    EncoderCounts steps_;
    double azimuth_ = 0, altitude_ = 0;
    std::string pending_;
};

}  // namespace vsp
