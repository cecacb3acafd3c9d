// The catalog, object type and constellation tables: their row counts, known rows
// and the record ranges for the two object files.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/ConstellationTable.h"
#include "catalog/ObjectTypeTable.h"

namespace vsp {
namespace {

TEST(CatalogTable, RowsPrefixesAndNames) {
    const CatalogTable table = DefaultCatalogTable();
    ASSERT_EQ(table.size(), 68u);
    struct Row {
        int index;
        const char* prefix;
        const char* longName;
    };
    const Row rows[] = {
        {0, "None", "No Criteria"},   {9, "C", "Caldwell"},
        {12, "Comet", "Comet&Asteroid"}, {13, "      ", "Constellation"},
        {16, "DoDz", "Dolidze-Dzimselej"}, {26, "HIP", "Hipparchos"},
        {39, "Mel", "Melotte"},       {40, "M", "Messier"},
        {42, "NGC", "NGC"},           {45, "      ", "Planet"},
        {49, "SAC", "110 Best of NGC"}, {52, "Sh2", "Sharpless"},
        {54, "      ", "Stars (Brighest)"}, {60, "TYC", "Tycho"},
        {65, "vdB-Ha", "Van den Bergh-Hagen"}, {67, "Westr", "Westerlund"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(CatalogPrefix(table[r.index]), r.prefix);
        EXPECT_EQ(CatalogLongName(table[r.index]), r.longName);
    }
    // NUL padding: nothing after the text.
    const CatalogEntry& ngc = table[kCatalogNgc];
    for (size_t i = 3; i < sizeof ngc.prefix; ++i) EXPECT_EQ(ngc.prefix[i], '\0');
}

TEST(CatalogTable, RangesOfTheTwoObjectFiles) {
    CatalogTable table = DefaultCatalogTable();
    EXPECT_EQ(table[kCatalogNgc].firstRecord, 10055);
    EXPECT_EQ(table[kCatalogNgc].endRecord, 18521);
    EXPECT_EQ(table[kCatalogIc].firstRecord, 4345);
    EXPECT_EQ(table[1].firstRecord, 1130);  // Abell follows the core of bright objects
    EXPECT_EQ(table[67].endRecord, 19402);
    // Rows resolved elsewhere hold no records of their own.
    for (int index : {9, 12, 13, 25, 26, 28, 40, 41, 45, 49, 54, 60, 63}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(table[index].firstRecord, kCatalogNoFirstRecord);
        EXPECT_FALSE(CatalogHasRecords(table[index]));
    }
    // The ranges of the 18k file do not overlap.
    for (int a = 0; a < kCatalogCount; ++a) {
        for (int b = a + 1; b < kCatalogCount; ++b) {
            if (!CatalogHasRecords(table[a]) || !CatalogHasRecords(table[b])) continue;
            EXPECT_TRUE(table[a].endRecord <= table[b].firstRecord) << a << " " << b;
        }
    }

    UseOneKObjectRanges(table);
    EXPECT_EQ(table[kCatalogIc].firstRecord, 0);
    EXPECT_EQ(table[kCatalogIc].endRecord, 72);
    EXPECT_EQ(table[kCatalogNgc].firstRecord, 72);
    EXPECT_EQ(table[kCatalogNgc].endRecord, 1126);
    int withRecords = 0;
    for (const CatalogEntry& entry : table) withRecords += CatalogHasRecords(entry) ? 1 : 0;
    EXPECT_EQ(withRecords, 2);
    EXPECT_EQ(table[1].firstRecord, kCatalogNoFirstRecord);
    EXPECT_EQ(table[1].endRecord, 0);
    EXPECT_EQ(CatalogPrefix(table[1]), "Abell");  // names are untouched
}

TEST(ObjectTypeTable, RowsGroupsAndGlyphs) {
    const ObjectTypeTable types = DefaultObjectTypeTable();
    ASSERT_EQ(types.size(), 42u);
    struct Row {
        int code;
        int group;
        const char* shortCode;
        const char* name;
        int glyph;
    };
    const Row rows[] = {
        {1, 0, "ASTER", "Asterism", 42},
        {2, 1, "GLOCL", "Globular Cluster", 69},
        {6, 1, "OPNCL", "Open Cluster", 29},
        {9, 4, "CL+NB", "Cluster with Nebulosity", 45},
        {10, 4, "G+C+N", "Cluster with Nebulosity in a Galaxy", 0},
        {14, 8, "CONST", "Constellation", 0},
        {15, 10, "SATEL", "Earth Satellite", 0},
        {16, 3, "GALXY", "Galaxy", 33},
        {17, 3, "GALCL", "Galaxy Cluster", 51},
        {26, 0, "NONEX", "Nonexistent in RNGC", 93},
        {27, 7, "PLANET", "Planet", 0},
        {29, 0, "METEOR", "Meteor Showers", 0},
        {31, 6, "2STAR", "Stars (Double)", 40},
        {39, 2, "SNREM", "Supernova Remnant", 0},
        {41, 0, "XRAYS", "Xray Source", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(types[r.code].group, r.group);
        EXPECT_EQ(ObjectTypeCode(types[r.code]), r.shortCode);
        EXPECT_EQ(ObjectTypeName(types[r.code]), r.name);
        EXPECT_EQ(types[r.code].glyph, r.glyph);
    }
    // The quick selections count their kinds by group.
    int clusters = 0, galaxies = 0, multiples = 0;
    for (const ObjectType& t : types) {
        clusters += t.group == kGroupCluster;
        galaxies += t.group == kGroupGalaxy;
        multiples += t.group == kGroupMultipleStar;
    }
    EXPECT_EQ(clusters, 9);
    EXPECT_EQ(galaxies, 2);
    EXPECT_EQ(multiples, 7);
}

TEST(ConstellationTable, RowsOrderAndLabelPoints) {
    const auto& table = ConstellationTable();
    ASSERT_EQ(table.size(), 89u);
    const ConstellationEntry& first = table.front();
    EXPECT_EQ(ConstellationAbbreviation(first), "And");
    EXPECT_EQ(ConstellationName(first), "Andromeda");
    EXPECT_EQ(first.labelRaMilliHours, 564);
    EXPECT_EQ(first.labelDecCentiDegrees, 3925);
    EXPECT_EQ(ConstellationName(table[1]), "Antlia");
    EXPECT_EQ(table[1].labelRaMilliHours, 10118);
    EXPECT_EQ(table[1].labelDecCentiDegrees, -3365);
    const ConstellationEntry& last = table.back();
    EXPECT_EQ(ConstellationAbbreviation(last), "Vul");
    EXPECT_EQ(ConstellationName(last), "Vulpecula");
    EXPECT_EQ(last.labelRaMilliHours, 20367);
    EXPECT_EQ(last.labelDecCentiDegrees, 2503);
    EXPECT_EQ(ConstellationName(table[8]), "Bo\xF6tes");  // code-page text

    // Alphabetical by abbreviation, Serpens twice; every label point on the sky.
    auto lower = [](std::string_view s) {
        std::string t(s);
        for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].name);
        EXPECT_EQ(ConstellationAbbreviation(table[i]).size(), 3u);
        if (i > 0) {
            EXPECT_LE(lower(ConstellationAbbreviation(table[i - 1])), lower(ConstellationAbbreviation(table[i])));
        }
        EXPECT_GE(table[i].labelRaMilliHours, 0);
        EXPECT_LT(table[i].labelRaMilliHours, 24000);
        EXPECT_GE(table[i].labelDecCentiDegrees, -9000);
        EXPECT_LE(table[i].labelDecCentiDegrees, 9000);
    }
    EXPECT_EQ(ConstellationName(table[73]), "Serpens Caput");
    EXPECT_EQ(ConstellationName(table[74]), "Serpens Cauda");
    EXPECT_EQ(ConstellationAt(-1), nullptr);
    EXPECT_EQ(ConstellationAt(89), nullptr);
}

}  // namespace
}  // namespace vsp
