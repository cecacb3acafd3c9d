#include "ephemeris/BodyPosition.h"

namespace vsp {

const char* BodyName(int code) {
    static const char* const names[] = {"sun",    "moon",   "mercury", "venus",   "mars", "jupiter",
                                        "saturn", "uranus", "neptune", "pluto",   "earth"};
    if (code >= 0 && code <= kBodyEarth) return names[code];
    if (code == kBodyEclipseSun) return "sun";
    return "";
}

}  // namespace vsp
