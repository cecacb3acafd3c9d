#pragma once
// The named features of the Moon and Mars (vespertar_moon.ppc, vespertar_mars.ppc: the IAU
// nomenclature, record layout in catalog/ProgramDataFiles.h): read whole, found by name.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/CatalogDb.h"

namespace vsp {

struct SurfaceFeature {
    std::string name;      // code page (Windows-1252), as stored
    std::string type;      // the IAU's two letters: "AA" crater, "ME" mare, "MO" mons, ...
    double latDeg = 0.0;   // planetographic, north positive
    double lonDeg = 0.0;   // east positive, -180 .. 180
    double diameterKm = 0.0;
};

// The records of `size` bytes back to back; a trailing part record is ignored, and a record
// with an empty name, a latitude beyond 90, a longitude beyond 180 or a size that is negative
// or not finite is passed over. The name ends at its first NUL or the field's end.
std::vector<SurfaceFeature> DecodeSurfaceFeatures(const uint8_t* bytes, size_t size);

enum class FeatureBody { kMoon, kMars };

// Opens the body's file under data/ and reads every feature. False with `problem` set
// (the file missing, or unreadable) and `out` empty.
bool ReadSurfaceFeatures(const ProgramDir& dir, InfoSink& messages, FeatureBody body,
                         std::vector<SurfaceFeature>& out, std::string& problem);

// The features whose name is `query`, then those whose name starts with it; when none does,
// those whose name contains it: ignoring case and accents (a typed "a" finds "a", "A", "Å"),
// in the file's order (by name) within each group. Empty for an empty query.
std::vector<const SurfaceFeature*> FindSurfaceFeatures(const std::vector<SurfaceFeature>& features,
                                                       std::string_view query);

// The IAU's name of a feature type ("Crater", "Mare", ...), or the two letters themselves.
std::string FeatureTypeName(std::string_view code);

}  // namespace vsp
