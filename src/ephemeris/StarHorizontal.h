#pragma once
// A catalog star as the observer sees it at an instant, in the chart mode's
// reduction: modes 0/1 precession and nutation (within 1e-4" of ERFA pnm80), modes 2/3 the
// full vector reduction of ApparentPlace.h.

#include "ephemeris/ApparentPlace.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/ReductionState.h"
#include "ephemeris/Time.h"

namespace vsp {

// J2000 position with the Hipparcos conventions for the motions. Zero motions and parallax
// are allowed (a star with no parallax is put very far away).
struct StarCatalogPlace {
    double raHours = 0.0;          // J2000, epoch J2000
    double decDeg = 0.0;
    double pmRaMasPerYear = 0.0;   // mu_alpha* = mu_alpha cos(dec), milliarcseconds per year
    double pmDecMasPerYear = 0.0;  // milliarcseconds per year
    double parallaxMas = 0.0;      // milliarcseconds
};

struct StarPlace {
    double raHours = 0.0;  // true equator of date, refracted in the refraction modes
    double decDeg = 0.0;
    double altitude = 0.0;  // degrees
    double azimuth = 0.0;   // degrees from north through east
};

// Barycentric position of the star at its catalog distance, moved by its proper motion to the
// instant's TT; AU, J2000.
Vec3 StarBarycentric(const StarCatalogPlace& star, const Instant& when);

// chartMode 0..3 as in the settings; a negative mode takes the RA and Dec as given. Returns 0,
// or the Earth ephemeris' error (modes 2 and 3) with the outputs zeroed. The observer's place
// comes from settings.location.
int StarHorizontal(const StarCatalogPlace& star, int chartMode, const Instant& when, const EphemerisSettings& settings,
                   const BarycentricEphemeris& earth, ReductionState& state, StarPlace& out);
// The same with the program's Earth ephemeris.
int StarHorizontal(const StarCatalogPlace& star, int chartMode, const Instant& when, const EphemerisSettings& settings,
                   ReductionState& state, StarPlace& out);

}  // namespace vsp
