#include <cctype>

#include "ephemeris/BodyPosition.h"

namespace vsp {

const char* BodyName(int code) {
    static const char* const names[] = {"sun",    "moon",   "mercury", "venus",   "mars", "jupiter",
                                        "saturn", "uranus", "neptune", "pluto",   "earth"};
    if (code >= 0 && code <= kBodyEarth) return names[code];
    if (code == kBodyEclipseSun) return "sun";
    return "";
}

std::string BodyTitleName(int code) {
    std::string name = BodyName(code);
    if (!name.empty()) name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

}  // namespace vsp
