#include "databuild/DsoValues.h"

#include <algorithm>
#include <cmath>

#include "catalog/ObjectTypeTable.h"
#include "ephemeris/ReduceAngle.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

// Rows of the object type table the sources map to.
enum : int32_t {
    kNoType = 0, kAsterism = 1, kGlobular = 2, kOpenCluster = 6, kClusterNebula = 9,
    kGalaxy = 16, kGalaxyCluster = 17, kNebula = 19, kBrightNebula = 20, kDarkNebula = 21,
    kPlanetary = 25, kNonexistent = 26, kStar = 30, kDoubleStar = 31, kRemnant = 39,
};

constexpr double kNoValue = 90;  // the sources write 99 for a value they lack
constexpr size_t kClassTextLength = 9;

bool Known(double value) { return value < kNoValue; }

uint16_t AngleCode(double degrees) {
    const long rounded = std::lround(ReduceAngle(degrees, 360.0));
    return uint16_t(rounded % 360);
}

}  // namespace

int32_t TypeOfStellarium(uint32_t code) {
    switch (code) {
        case 0: case 1: case 2: case 3: case 4: case 21: case 22: case 25: case 34: return kGalaxy;
        case 33: return kGalaxyCluster;
        case 5: case 6: case 8: return kOpenCluster;
        case 7: return kGlobular;
        case 16: return kClusterNebula;
        case 13: case 15: case 17: return kBrightNebula;
        case 10: case 14: case 19: case 20: return kNebula;
        case 12: case 23: return kDarkNebula;
        case 11: case 26: case 27: return kPlanetary;
        case 18: case 31: case 32: return kRemnant;
        case 24: case 28: case 29: case 30: return kStar;
        default: return kNoType;
    }
}

int32_t TypeOfOpenNgc(int code) {
    switch (code) {
        case 0: return kStar;
        case 3: return kOpenCluster;
        case 4: return kGlobular;
        case 5: return kNebula;
        case 6: return kPlanetary;
        case 7: return kRemnant;
        case 8: return kGalaxy;
        case 13: return kAsterism;
        case 14: return kGalaxyCluster;
        case 17: return kDoubleStar;
        case 255: return kNonexistent;
        default: return kNoType;
    }
}

int32_t TypeOfLocalGroup(const std::string& word) {
    // d3 types its Palomar and Terzan objects "GC" (or "GC/UFD"); the rest are galaxies.
    return word.starts_with("GC") ? kGlobular : kGalaxy;
}

ClassPart ClassPartOfType(int32_t type) {
    static const ObjectTypeTable table = DefaultObjectTypeTable();
    if (type < 0 || type >= kObjectTypeCount) return ClassPart::kNone;
    // Galaxy clusters carry Bautz-Morgan classes, which sit with the cluster classes.
    if (type == kGalaxyCluster) return ClassPart::kCluster;
    switch (table[size_t(type)].group) {
        case kGroupGalaxy: return ClassPart::kGalaxy;
        case kGroupCluster: return ClassPart::kCluster;
        case kGroupNebula:
        case kGroupRemnant: return ClassPart::kNebula;
        default: return ClassPart::kNone;
    }
}

std::string ClassTextOf(const std::string& morphology, ClassPart part) {
    std::string_view text(morphology);
    text = TrimBlanks(text.substr(0, text.find(';')));
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80) return {};
    if (text.size() > kClassTextLength) return {};
    // Some galaxies carry a bare Hubble-stage number ("3", "-5") instead of a class.
    const bool hasLetter = std::any_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    if (part == ClassPart::kGalaxy && !hasLetter) return {};
    return std::string(text);
}

float MagnitudeOf(const StellariumDso* stellarium, const OpenNgcRow* openNgc,
                  const LocalGroupObject* localGroup) {
    // Stellarium keeps a dark nebula's opacity class (1..6) in its magnitude fields: not a
    // brightness, and the chart would show opaque clouds as if they were bright objects.
    if (stellarium && (stellarium->type == 12 || stellarium->type == 23)) stellarium = nullptr;
    if (stellarium && Known(stellarium->vMag)) return float(stellarium->vMag);
    if (openNgc && Known(openNgc->magnitude)) return float(openNgc->magnitude);
    if (stellarium && Known(stellarium->bMag)) return float(stellarium->bMag);
    if (localGroup && Known(localGroup->magnitude)) return float(localGroup->magnitude);
    return kUnknownMagnitude;
}

void SetPositionAndSize(const StellariumDso* stellarium, const OpenNgcRow* openNgc,
                        const LocalGroupObject* localGroup, DsoObject& object) {
    double raDeg = 0, decDeg = 0;
    if (openNgc) {
        raDeg = openNgc->raDeg;
        decDeg = openNgc->decDeg;
    } else if (stellarium) {
        raDeg = stellarium->raDeg;
        decDeg = stellarium->decDeg;
    } else if (localGroup) {
        raDeg = localGroup->raDeg;
        decDeg = localGroup->decDeg;
    }
    object.raHours = ReduceAngle(raDeg, 360.0) / 15.0;
    object.decDeg = decDeg;

    // Both axes and the angle from one source, so an ellipse never mixes two measurements;
    // an angle only means something for an ellipse.
    object.sizeMajor = object.sizeMinor = 0;
    object.positionAngle = kNoSmallCode;
    if (openNgc && openNgc->majorArcmin > 0) {
        object.sizeMajor = float(openNgc->majorArcmin);
        object.sizeMinor = float(std::max(0.0, openNgc->minorArcmin));
        if (openNgc->positionAngleDeg >= 0) object.positionAngle = AngleCode(openNgc->positionAngleDeg);
    } else if (stellarium && stellarium->majorDeg > 0) {
        object.sizeMajor = float(stellarium->majorDeg * 60.0);
        object.sizeMinor = float(std::max(0.0, stellarium->minorDeg * 60.0));
        if (stellarium->minorDeg > 0 && stellarium->minorDeg < stellarium->majorDeg)
            object.positionAngle = AngleCode(double(stellarium->orientationDeg));
    } else if (localGroup && localGroup->majorArcmin > 0) {
        object.sizeMajor = float(localGroup->majorArcmin);
    }
}

bool LooksLikeDesignation(const std::string& part) {
    for (char c : part)
        if (c >= '0' && c <= '9') return true;
    return false;
}

}  // namespace vsp::databuild
