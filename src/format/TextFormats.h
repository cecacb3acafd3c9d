#pragma once
// How the program writes hours and angles: the hour and angle format codes of the settings,
// and where a format error is shown.

#include "platform/InfoSink.h"

namespace vsp {

struct TextFormats {
    int hourFormat = 2;            // 0 "23.75", 1 "23:45:00", 2 "23h45m00", 3 "23h45.0"
    int angleFormat = 2;           // 0 "-70.75", 1 "-70:45:00", 2 "-70°45'00", 3 "-70°45.0"
    InfoSink* messages = nullptr;  // where an unknown format code is reported; none: dropped
};

}  // namespace vsp
