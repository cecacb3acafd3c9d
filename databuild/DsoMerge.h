#pragma once
// The deep-sky sources merged into physical objects: one object per stellarium row, one per
// NGC/IC number that only OpenNGC knows and one per Local Group object found in neither.
// Each object carries the designations it has in rows of the catalog table and the values
// the object file stores, each taken from the source that is best for it.

#include <cstdint>
#include <string>
#include <vector>

#include "databuild/DsoSources.h"

namespace vsp::databuild {

struct TableDesignation {
    int32_t catalog = 0;  // row of the catalog table
    int32_t number = 0;
    // The object holds this (row, number) in the object file. False for rows resolved through
    // the lists (M, C), for a number another object won, for UGC numbers cut, and for
    // designations only a cross-reference carries.
    bool record = false;
};

// Which third of the class texts an object's class text belongs to.
enum class ClassPart { kNone, kGalaxy, kCluster, kNebula };

struct DsoObject {
    std::vector<TableDesignation> designations;
    int32_t type = 0;  // row of the object type table
    double raHours = 0;
    double decDeg = 0;
    float magnitude = 0;  // kUnknownMagnitude when no source has one
    float sizeMajor = 0;  // arcminutes, 0 unknown
    float sizeMinor = 0;
    uint16_t positionAngle = 0;  // degrees, kNoSmallCode unknown
    ClassPart classPart = ClassPart::kNone;
    std::string classText;   // up to 9 characters, empty when none
    std::string commonName;  // UTF-8, empty when none
    // Where the values came from (indexes into the DsoSources vectors, -1 none).
    int32_t stellariumRow = -1;
    int32_t openNgcRow = -1;
    int32_t localGroupRow = -1;
    std::vector<int32_t> mergedStellariumRows;  // further rows found to be this object
};

inline constexpr float kUnknownMagnitude = 99.9f;
inline constexpr uint16_t kNoSmallCode = 0xFFFF;

struct DsoCatalog {
    // Objects with at least one record or a place in a list, in source order: stellarium
    // rows, then OpenNGC-only numbers, then Local Group objects.
    std::vector<DsoObject> objects;
    // List number n at n - 1: the object's index, -1 when the list names nothing found.
    std::vector<int32_t> messier, caldwell, sac, herschel;
    std::vector<std::string> notes;  // choices a user of the files should know about
};

void MergeDsoSources(const DsoSources& sources, DsoCatalog& out);

// Designation order wherever one designation must come first (the record that represents an
// object, the other designations of a cross-reference): M, C, NGC, IC, Mel, then table row.
int DesignationRank(int32_t catalog);
// Rows whose numbers get records of their own (the sorted part of the object file).
bool IsRecordRow(int32_t catalog);

}  // namespace vsp::databuild
