#pragma once
// One periodic term of the Galilean satellites' theory (Meeus ch. 44): an amplitude times the
// sine or cosine of an argument that is a constant plus up to four multiples of the theory's
// angles (degrees). The tables are in tables/GalileanTerms.h.

namespace vsp {

// The quantities an argument is formed from: the mean longitudes l, the longitudes of the
// perijoves pi and of the nodes omega, the libration-free angles of the theory, the true
// longitudes L and the longitude sums S of the four satellites.
enum GalileanAngle : int {
    kl1, kl2, kl3, kl4,
    kPi1, kPi2, kPi3, kPi4,
    kOm1, kOm2, kOm3, kOm4,
    kPhiLambda,   // the great inequality of the libration of Io, Europa and Ganymede
    kPsi,         // longitude of the node of Jupiter's equator on its orbit
    kPerihelion,  // longitude of Jupiter's perihelion
    kG,           // Jupiter's mean anomaly
    kGSaturn,     // Saturn's mean anomaly
    kL1, kL2, kL3, kL4,
    kS1, kS2, kS3, kS4,
    kGalileanAngleCount
};

struct GalileanTerm {
    double amplitude;
    double constantDeg;
    struct Factor {
        GalileanAngle angle;
        double multiplier;
    } factors[4];
};

}  // namespace vsp
