#pragma once
// The deep-sky inputs as read from their packages, before they are merged into objects:
// stellarium's catalog.dat and names.dat, OpenNGC (kstars-data) and d3-celestial's names,
// morphologies and Local Group objects. Readers fill these; nothing here is merged yet.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vsp::databuild {

// The designation slots of a stellarium catalog.dat record, in file order.
enum StellariumId : int {
    kStelNgc, kStelIc, kStelM, kStelC, kStelB, kStelSh2, kStelVdB, kStelRcw, kStelLdn, kStelLbn,
    kStelCr, kStelMel, kStelPgc, kStelUgc, kStelCed, kStelArp, kStelVv, kStelPk, kStelPng,
    kStelSnrg, kStelAco, kStelHcg, kStelEso, kStelVdBh, kStelDwb, kStelTr, kStelSt, kStelRu,
    kStelVdBHa, kStellariumIdCount
};

struct StellariumDso {
    uint32_t number = 0;  // stellarium's own object number
    double raDeg = 0, decDeg = 0;  // J2000
    double bMag = 99, vMag = 99;   // 99: none
    uint32_t type = 0;             // stellarium's type code
    std::string morphology;        // as stored ("SA(s)b;..."), may be empty
    double majorDeg = 0, minorDeg = 0;
    uint32_t orientationDeg = 0;
    // Each designation as text ("224", "19f"); empty when the object has none in that slot.
    std::array<std::string, kStellariumIdCount> ids;
};

// One line of names.dat: a designation (prefix "NGC", "M", "SH2", ... or empty for
// stellarium's own number) and an English name.
struct StellariumName {
    std::string prefix;
    std::string id;
    std::string name;
};

struct OpenNgcRow {
    int type = 0;                    // KStars type code
    double raDeg = 0, decDeg = 0;    // J2000
    double magnitude = 99;           // 99: null
    std::string name;                // "M 31", "NGC 224"
    std::string longName;            // "Andromeda Galaxy, PGC 2557, UGC 454, NGC 224"
    std::string catalogIdentifier;   // "NGC0224", "IC0715NW", "NGC0080 NED01"
    double majorArcmin = 0, minorArcmin = 0;  // 0: null
    double positionAngleDeg = -1;             // -1: null
};

// d3-celestial lg.json: Local Group objects with ids such as "Palomar1", "Terzan3", "UGCA86".
struct LocalGroupObject {
    std::string id;
    std::string name;
    double raDeg = 0, decDeg = 0;
    double magnitude = 99;
    double majorArcmin = 0;
    std::string type;  // d3's type word ("gc", "dsph", ...)
};

struct DsoSources {
    std::vector<StellariumDso> stellarium;
    std::vector<StellariumName> names;
    std::vector<OpenNgcRow> openNgc;
    std::map<std::string, std::string> d3Names;       // "NGC 224" -> common name
    std::map<std::string, std::string> d3Morphology;  // "NGC 224" -> morphology
    std::vector<LocalGroupObject> localGroup;
    // The numbered lists as their scripts give them (NGC numbers, file order).
    std::vector<int32_t> bestNgc;
    std::vector<int32_t> herschel400;
};

}  // namespace vsp::databuild
