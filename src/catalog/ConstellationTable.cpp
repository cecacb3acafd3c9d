#include "catalog/ConstellationTable.h"

#include <cstring>

namespace vsp {
namespace {

// Label points other than Andromeda's, Antlia's and Vulpecula's: the label points of
// d3-celestial 0.7.35 (data/constellations.json), see docs/catalog-tables.md.
constexpr std::array<ConstellationEntry, kConstellationCount> kConstellations = {{
    {"And", "Andromeda", 564, 3925},
    {"Ant", "Antlia", 10118, -3365},
    {"Aps", "Apus", 16000, -7400},
    {"Aql", "Aquila", 19400, 800},
    {"Aqr", "Aquarius", 22500, -500},
    {"Ara", "Ara", 17200, -5600},
    {"Ari", "Aries", 2800, 2200},
    {"Aur", "Auriga", 5500, 3700},
    {"Boo", "Bo\xF6" "tes", 14900, 3500},
    {"Cae", "Caelum", 4900, -4200},
    {"Cam", "Camelopardalis", 5600, 7200},
    {"Cap", "Capricornus", 21000, -2200},
    {"Car", "Carina", 9600, -6600},
    {"Cas", "Cassiopeia", 23600, 5550},
    {"Cen", "Centaurus", 13300, -4000},
    {"Cep", "Cepheus", 22500, 7100},
    {"Cet", "Cetus", 1900, -500},
    {"Cha", "Chamaeleon", 12600, -8100},
    {"Cir", "Circinus", 14500, -6700},
    {"CMa", "Canis Major", 6500, -2600},
    {"CMi", "Canis Minor", 7300, 500},
    {"Cnc", "Cancer", 8550, 2700},
    {"Col", "Columba", 5700, -3900},
    {"Com", "Coma Berenices", 12900, 2400},
    {"CrA", "Corona Austrina", 18800, -4000},
    {"CrB", "Corona Borealis", 15900, 3200},
    {"Crt", "Crater", 11650, -1500},
    {"Cru", "Crux", 12900, -6200},
    {"Crv", "Corvus", 12400, -1950},
    {"CVn", "Canes Venatici", 12800, 4300},
    {"Cyg", "Cygnus", 20500, 5000},
    {"Del", "Delphinus", 20600, 600},
    {"Dor", "Dorado", 5100, -6400},
    {"Dra", "Draco", 17900, 6400},
    {"Equ", "Equuleus", 21350, 1150},
    {"Eri", "Eridanus", 3500, -1800},
    {"For", "Fornax", 2700, -2800},
    {"Gem", "Gemini", 7150, 2350},
    {"Gru", "Grus", 22800, -4150},
    {"Her", "Hercules", 16900, 3500},
    {"Hor", "Horologium", 3400, -5200},
    {"Hya", "Hydra", 10000, -2200},
    {"Hyi", "Hydrus", 2300, -7200},
    {"Ind", "Indus", 21200, -5550},
    {"Lac", "Lacerta", 22800, 4700},
    {"Leo", "Leo", 10600, 1500},
    {"Lep", "Lepus", 5900, -2500},
    {"Lib", "Libra", 15400, -2600},
    {"LMi", "Leo Minor", 10500, 3000},
    {"Lup", "Lupus", 15250, -3500},
    {"Lyn", "Lynx", 8100, 4900},
    {"Lyr", "Lyra", 18600, 3000},
    {"Men", "Mensa", 5500, -8000},
    {"Mic", "Microscopium", 21100, -3700},
    {"Mon", "Monoceros", 7650, -600},
    {"Mus", "Musca", 13000, -7300},
    {"Nor", "Norma", 16200, -5200},
    {"Oct", "Octans", 20000, -8000},
    {"Oph", "Ophiuchus", 17200, 300},
    {"Ori", "Orion", 5600, 1300},
    {"Pav", "Pavo", 19800, -6200},
    {"Peg", "Pegasus", 22300, 1600},
    {"Per", "Perseus", 4400, 4500},
    {"Phe", "Phoenix", 1100, -4300},
    {"Pic", "Pictor", 5500, -5000},
    {"PsA", "Piscis Austrinus", 22200, -2900},
    {"Psc", "Pisces", 1300, 1500},
    {"Pup", "Puppis", 7400, -4600},
    {"Pyx", "Pyxis", 8800, -2400},
    {"Ret", "Reticulum", 3700, -6100},
    {"Scl", "Sculptor", 100, -3300},
    {"Sco", "Scorpius", 16600, -3800},
    {"Sct", "Scutum", 18800, -1250},
    {"Ser", "Serpens Caput", 15500, 500},
    {"Ser", "Serpens Cauda", 18700, 300},
    {"Sex", "Sextans", 10500, -700},
    {"Sge", "Sagitta", 19400, 1800},
    {"Sgr", "Sagittarius", 19500, -3400},
    {"Tau", "Taurus", 3600, 1500},
    {"Tel", "Telescopium", 18500, -5400},
    {"TrA", "Triangulum Australe", 16000, -6750},
    {"Tri", "Triangulum", 1800, 3400},
    {"Tuc", "Tucana", 23200, -6400},
    {"UMa", "Ursa Major", 11000, 4800},
    {"UMi", "Ursa Minor", 15100, 6800},
    {"Vel", "Vela", 9550, -4600},
    {"Vir", "Virgo", 13300, -400},
    {"Vol", "Volans", 7400, -7300},
    {"Vul", "Vulpecula", 20367, 2503},
}};

}  // namespace

const std::array<ConstellationEntry, kConstellationCount>& ConstellationTable() {
    return kConstellations;
}

const ConstellationEntry* ConstellationAt(int index) {
    if (index < 0 || index >= kConstellationCount) return nullptr;
    return &kConstellations[index];
}

std::string_view ConstellationAbbreviation(const ConstellationEntry& entry) {
    return std::string_view(entry.abbreviation, strnlen(entry.abbreviation, sizeof entry.abbreviation));
}

std::string_view ConstellationName(const ConstellationEntry& entry) {
    return std::string_view(entry.name, strnlen(entry.name, sizeof entry.name));
}

}  // namespace vsp
