#include "catalog/ObjectTypeTable.h"

#include <cstring>

namespace vsp {
namespace {

struct TypeRow {
    uint8_t group;
    const char* code;
    const char* name;
    uint16_t glyph;
};

constexpr TypeRow kTypeRows[kObjectTypeCount] = {
    {0, "      ", "      ", 0},
    {0, "ASTER", "Asterism", 42},
    {1, "GLOCL", "Globular Cluster", 69},
    {1, "GX+GC", "Globular Cluster in a Galaxy", 69},
    {1, "LMCGC", "Globular Cluster in the LMC", 69},
    {1, "SMCGC", "Globular Cluster in the SMC", 69},
    {1, "OPNCL", "Open Cluster", 29},
    {1, "LMCOC", "Open Cluster in the LMC", 29},
    {1, "SMCOC", "Open Cluster in the SMC", 29},
    {4, "CL+NB", "Cluster with Nebulosity", 45},
    {4, "G+C+N", "Cluster with Nebulosity in a Galaxy", 0},
    {1, "LMCCN", "Cluster with Nebulosity in the LMC", 0},
    {1, "SMCCN", "Cluster with Nebulosity in the SMC", 0},
    {9, "COMET", "Comet&Asteroid", 0},
    {8, "CONST", "Constellation", 0},
    {10, "SATEL", "Earth Satellite", 0},
    {3, "GALXY", "Galaxy", 33},
    {3, "GALCL", "Galaxy Cluster", 51},
    {9, "MINOR", "Minor Planet/Asteroid", 0},
    {4, "NEBUL", "Nebula", 0},
    {4, "BRTNB", "Bright Nebula", 0},
    {4, "DRKNB", "Dark Nebula", 0},
    {4, "GX+DN", "Diffuse Nebula in a Galaxy", 0},
    {4, "LMCDN", "Diffuse Nebula in the LMC", 0},
    {4, "SMCDN", "Diffuse Nebula in the SMC", 0},
    {4, "PLNNB", "Planetary Nebula", 0},
    {0, "NONEX", "Nonexistent in RNGC", 93},
    {7, "PLANET", "Planet", 0},
    {0, "PLSAR", "Pulsar", 0},
    {0, "METEOR", "Meteor Showers", 0},
    {5, "1STAR", "Star", 0},
    {6, "2STAR", "Stars (Double)", 40},
    {6, "3STAR", "Stars (Triple)", 0},
    {6, "4STAR", "Stars (Quadruple)", 0},
    {6, "5STAR", "Stars (Five)", 0},
    {6, "6STAR", "Stars (Six)", 0},
    {6, "7STAR", "Stars (Seven)", 0},
    {6, "8STAR", "Stars (Eight)", 0},
    {5, "VSTAR", "Star Variable", 0},
    {2, "SNREM", "Supernova Remnant", 0},
    {0, "UVSOB", "Unverified Southern Object", 0},
    {0, "XRAYS", "Xray Source", 0},
};

void CopyPadded(char* out, size_t size, const char* text) {
    std::memset(out, 0, size);
    std::strncpy(out, text, size - 1);
}

}  // namespace

ObjectTypeTable DefaultObjectTypeTable() {
    ObjectTypeTable table{};
    for (int i = 0; i < kObjectTypeCount; ++i) {
        table[i].group = kTypeRows[i].group;
        CopyPadded(table[i].code, sizeof table[i].code, kTypeRows[i].code);
        CopyPadded(table[i].name, sizeof table[i].name, kTypeRows[i].name);
        table[i].glyph = kTypeRows[i].glyph;
        table[i].shown = 1;
    }
    return table;
}

std::string_view ObjectTypeCode(const ObjectType& type) {
    return std::string_view(type.code, strnlen(type.code, sizeof type.code));
}

std::string_view ObjectTypeName(const ObjectType& type) {
    return std::string_view(type.name, strnlen(type.name, sizeof type.name));
}

}  // namespace vsp
