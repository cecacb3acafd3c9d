#include "databuild/SourceCorrections.h"

#include <cmath>

namespace vsp::databuild {
namespace {

// Declinations (J2000) from Harris, Catalog of Parameters for Milky Way Globular Clusters
// (1996, 2010 edition).
struct PublishedDeclination {
    const char* id;
    double decDeg;
};
constexpr PublishedDeclination kSouthOfEquator[] = {
    {"Palomar5", -(6.0 / 60 + 41.0 / 3600)},   // -0°06'41"
    {"Palomar15", -(32.0 / 60 + 31.0 / 3600)},  // -0°32'31"
};

// The package's four decimals of a degree.
constexpr double kSameValueDeg = 0.0005;

}  // namespace

void CorrectLocalGroupSigns(std::vector<LocalGroupObject>& objects, std::vector<std::string>& notes) {
    for (LocalGroupObject& object : objects) {
        for (const PublishedDeclination& published : kSouthOfEquator) {
            if (object.id != published.id) continue;
            if (std::fabs(object.decDeg + published.decDeg) > kSameValueDeg) continue;
            object.decDeg = -object.decDeg;
            notes.push_back(object.id + ": declination sign restored (d3-celestial lg.json gives " +
                            std::to_string(-object.decDeg) + ")");
        }
    }
}

}  // namespace vsp::databuild
