// The deep-sky files built from a handful of objects given as sources, read back through the
// program's own readers: object records, the lists and ranges, the chart indexes and the
// cross-references.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "catalog/ConstellationTable.h"
#include "catalog/Designation.h"
#include "catalog/ProgramDataFiles.h"
#include "databuild/ObjectFilesWrite.h"
#include "platform/ProgramDir.h"
#include "support/TempHome.h"
#include "ObjectFilesReadBack.h"

namespace vsp::databuild {
namespace {

// Catalog rows used below beside the ones CatalogTable.h names.
constexpr int32_t kCed = 10, kCr = 11, kLdn = 34, kMel = 39, kPal = 43, kRcw = 46, kSh2 = 52, kUgca = 62;

StellariumDso Stel(uint32_t number, double ra, double dec, double v, uint32_t type, const char* morph,
                   std::initializer_list<std::pair<StellariumId, const char*>> ids) {
    StellariumDso row;
    row.number = number;
    row.raDeg = ra;
    row.decDeg = dec;
    row.vMag = v;
    row.type = type;
    row.morphology = morph;
    row.majorDeg = 0.5;
    row.minorDeg = 0.25;
    row.orientationDeg = 100;
    for (const auto& [slot, id] : ids) row.ids[size_t(slot)] = id;
    return row;
}

OpenNgcRow Ngc(const char* identifier, int type, double ra, double dec, double mag, const char* name,
               const char* longName, double major, double minor = 0, double angle = -1) {
    return {type, ra, dec, mag, name, longName, identifier, major, minor, angle};
}

DsoSources Sources() {
    DsoSources s;
    s.stellarium = {
        Stel(1, 10.6847, 41.2689, 3.4, 0, "SA(s)b", {{kStelNgc, "224"}, {kStelM, "31"}, {kStelPgc, "2557"}, {kStelUgc, "454"}}),
        Stel(2, 34.75, 57.1333, 3.8, 6, "I3r", {{kStelNgc, "869"}, {kStelC, "14"}, {kStelCr, "24"}, {kStelMel, "13"}}),
        Stel(3, 35.6333, 57.15, 3.8, 6, "I3r", {{kStelNgc, "884"}, {kStelC, "14"}, {kStelCr, "25"}, {kStelMel, "14"}}),
        Stel(4, 344.3, 62.47, 7.7, 17, "3, 2, 2", {{kStelC, "9"}, {kStelSh2, "155"}, {kStelLbn, "529"}}),
        Stel(5, 299.96, 35.31, 9.0, 17, "", {{kStelSh2, "101"}, {kStelLbn, "168"}}),
        Stel(6, 300.5, 35.0, 99, 12, "", {{kStelSh2, "101"}, {kStelLdn, "1111"}}),
        Stel(7, 270.92, -24.38, 6.0, 17, "3, 3, 3", {{kStelM, "8"}, {kStelSh2, "25"}, {kStelRcw, "146"}, {kStelLbn, "25"}}),
        Stel(8, 270.9, -24.37, 99, 5, "", {{kStelNgc, "6523"}, {kStelCed, "152a"}}),
        Stel(9, 185.55, 58.08, 9.65, 28, "", {{kStelM, "40"}}),
        Stel(10, 56.75, 24.117, 1.2, 6, "I3rn", {{kStelM, "45"}, {kStelCr, "42"}, {kStelMel, "22"}}),
        Stel(11, 66.75, 15.867, 0.5, 6, "II3m", {{kStelC, "41"}, {kStelCr, "50"}, {kStelMel, "25"}}),
        Stel(12, 190.0, -63.0, 99, 12, "", {{kStelC, "99"}}),
        Stel(13, 59.956, 67.1436, 99, 0, "", {{kStelPgc, "14241"}}),
    };
    s.stellarium[12].majorDeg = 0;  // the UGCA 86 twin has no size: the Local Group one counts
    s.names = {{"NGC", "224", "Andromeda Galaxy"}, {"NGC", "224", "Andromeda Nebula"},
               {"NGC", "869", "Double Cluster"},   {"NGC", "884", "Double Cluster"},
               {"SH2", "155", "Cave Nebula"},      {"M", "45", "Pleiades"},
               {"C", "99", "Coalsack Nebula"},     {"", "7", "Lagoon Nebula"}};
    s.openNgc = {
        Ngc("IC0342 NED01", 8, 56.9, 68.1, 15.0, "IC 342", "", 1.0),
        Ngc("IC0342", 8, 56.7021, 68.0961, 9.1, "IC 342", "", 21.4, 20.9, 0),
        Ngc("IC0001 NED01", 17, 2.0, 27.7, 14.0, "IC 1", "", 0),
        Ngc("NGC0224", 8, 10.684792, 41.269056, 4.36, "M 31", "Andromeda Galaxy, PGC 2557, UGC 454, NGC 224",
            177.83, 69.66, 35),
        Ngc("NGC0869", 3, 34.744, 57.11725, 4.3, "NGC 869", "h Persei Cluster", 14.4),
        Ngc("NGC0884", 3, 35.63375, 57.144111, 4.4, "NGC 884", "chi Persei Cluster", 10.5),
        Ngc("NGC6523", 5, 270.921958, -24.380167, 5.0, "M 8", "Lagoon Nebula, NGC 6523", 45, 30),
        Ngc("NGC7000", 5, 314.8214, 44.5288, 4.0, "NGC 7000", "North America Nebula, LBN 373", 120, 30),
    };
    s.d3Names = {{"NGC 884", "chi Persei"}, {"Sh2 101", "Tulip Nebula"}};
    s.d3Morphology = {{"Sh2 101", "EN"}};
    s.localGroup = {{"Palomar5", "Palomar 5", 229.0186, -0.1114, 11.8, 6.9, "GC"},
                    {"UGCA86", "UGCA 86", 59.9604, 67.1436, 13.5, 2.5, "Im V-VI:"}};
    s.bestNgc = {7000, 224, 869};
    s.bestNgc.resize(110, 884);
    s.bestNgc.push_back(6523);  // one entry too many, as in the real list
    s.herschel400 = {869, 884};
    return s;
}

// Stellarium position checks: hours and degrees as the record's 32-bit floats hold them.
void ExpectPosition(const ObjectRecord& r, double raDeg, double decDeg) {
    EXPECT_NEAR(r.ra, raDeg / 15.0, 1e-5);
    EXPECT_NEAR(r.dec, decDeg, 1e-5);
}

std::string ConstellationOf(const ObjectRecord& r) {
    const ConstellationEntry* entry = ConstellationAt(r.constellation);
    return entry ? std::string(ConstellationName(*entry)) : "?";
}

class ObjectFiles : public testing::Test {
protected:
    void SetUp() override {
        options.dataDir = home.Path("data/");
        ASSERT_TRUE(MakeDirectory(options.dataDir));
        ASSERT_EQ(WriteObjectFiles(Sources(), options, report), 1) << report.problem;
        ASSERT_EQ(files.Open(), 1);
    }
    std::string Designation(int32_t at) {
        const ObjectRecord r = files.Record(at);
        return CatalogDesignation(files.catalogs, r.catalog, r.number);
    }
    bool HasNote(const std::string& part) const {
        return std::any_of(report.notes.begin(), report.notes.end(),
                           [&](const std::string& note) { return note.find(part) != std::string::npos; });
    }

    test::TempHome home;
    BuildOptions options;
    BuildReport report;
    test::ObjectFilesReadBack files{home.Dir()};
};

TEST_F(ObjectFiles, CoreThenEveryRowByNumber) {
    // Core: IC part, NGC part (list objects first, then the brightest), the tail of list
    // objects without NGC/IC numbers (stars last; M40 left out), then the rows.
    const std::vector<std::string> expected = {
        "IC1", "IC342", "NGC224", "NGC869", "NGC884", "NGC6523", "NGC7000", "Mel22", "Sh2155", "Mel25", "C99",
        "Ced152", "Cr24", "Cr25", "Cr42", "Cr50", "IC1", "IC342", "LDN1111", "Mel13", "Mel14", "Mel22", "Mel25",
        "M40", "NGC224", "NGC869", "NGC884", "NGC6523", "NGC7000", "Pal5", "RCW146", "Sh225", "Sh2101", "Sh2155",
        "UGCA86"};
    ASSERT_EQ(files.objects.RecordCount(), int32_t(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Designation(int32_t(i)), expected[i]) << i;
    EXPECT_EQ(files.objects.Version(), kObjectFileVersion);
    EXPECT_TRUE(HasNote("M40"));
    EXPECT_TRUE(HasNote("1k ranges"));  // 2 IC and 5 NGC objects cannot fill the core
    EXPECT_TRUE(HasNote("catalogs Abell, B, Basel"));

    // The ranges file names each row's records; list rows stay resolved by their lists.
    EXPECT_EQ(files.catalogs[kCatalogNgc].firstRecord, 24);
    EXPECT_EQ(files.catalogs[kCatalogNgc].endRecord, 29);
    EXPECT_EQ(files.catalogs[kSh2].firstRecord, 31);
    EXPECT_EQ(files.catalogs[kSh2].endRecord, 34);
    EXPECT_EQ(files.catalogs[kCatalogMessier].firstRecord, kCatalogNoFirstRecord);
    EXPECT_EQ(files.catalogs[kCatalogCaldwell].endRecord, 0);
    EXPECT_EQ(files.catalogs[1].firstRecord, kCatalogNoFirstRecord);  // Abell: no source here
    EXPECT_EQ(std::string(CatalogPrefix(files.catalogs[kCatalogNgc])), "NGC");

    // The 1k file is the core, byte for byte.
    const std::string full = home.ReadFile("data/vespertar_obj_18k.ppc");
    const std::string core = home.ReadFile("data/vespertar_obj_1k.ppc");
    ASSERT_EQ(core.size(), size_t(16 + 11 * kObjectRecordSize));
    EXPECT_EQ(core.substr(0, 8), full.substr(0, 8));
    EXPECT_EQ(core.substr(16), full.substr(16, core.size() - 16));
}

TEST_F(ObjectFiles, EachValueFromTheSourceThatKnowsItBest) {
    const int32_t m31 = files.Find(kCatalogNgc, 224);
    ASSERT_GE(m31, 0);
    const ObjectRecord andromeda = files.Record(m31);
    EXPECT_EQ(andromeda.type, 16);                         // GALXY
    ExpectPosition(andromeda, 10.684792, 41.269056);      // OpenNGC's position
    EXPECT_FLOAT_EQ(andromeda.magnitude, 3.4f);            // stellarium V before OpenNGC B
    EXPECT_FLOAT_EQ(andromeda.sizeMajor, 177.83f);         // OpenNGC's axes and angle
    EXPECT_FLOAT_EQ(andromeda.sizeMinor, 69.66f);
    EXPECT_EQ(andromeda.code2, 35);
    EXPECT_EQ(ConstellationOf(andromeda), "Andromeda");
    EXPECT_EQ(andromeda.link, 2);  // its core record
    EXPECT_EQ(files.Record(2).link, 2);

    // Stellarium's M8 row and its NGC 6523 row are one object: the Messier row's type and
    // magnitude, OpenNGC's position, the designations of both.
    const ObjectRecord lagoon = files.Record(files.Find(kCatalogNgc, 6523));
    EXPECT_EQ(lagoon.type, 20);  // BRTNB
    EXPECT_FLOAT_EQ(lagoon.magnitude, 6.0f);
    ExpectPosition(lagoon, 270.921958, -24.380167);
    EXPECT_EQ(lagoon.link, 5);
    EXPECT_EQ(files.Record(files.Find(kSh2, 25)).link, 5);
    EXPECT_EQ(files.Record(files.Find(kCed, 152)).link, 5);

    // An object only OpenNGC knows, with its own type code mapped.
    const ObjectRecord northAmerica = files.Record(files.Find(kCatalogNgc, 7000));
    EXPECT_EQ(northAmerica.type, 19);  // NEBUL
    EXPECT_FLOAT_EQ(northAmerica.magnitude, 4.0f);
    EXPECT_EQ(ConstellationOf(northAmerica), "Cygnus");
    EXPECT_EQ(northAmerica.code2, kNoSmallCode);  // OpenNGC gives no angle

    // OpenNGC's plain row beats a component listed before it; a lone component stands in.
    EXPECT_FLOAT_EQ(files.Record(files.Find(kCatalogIc, 342)).magnitude, 9.1f);
    EXPECT_EQ(files.Record(files.Find(kCatalogIc, 1)).type, 31);  // 2STAR

    // The brighter of two objects with one Sharpless number keeps it; the other keeps its LDN.
    const ObjectRecord tulip = files.Record(files.Find(kSh2, 101));
    ExpectPosition(tulip, 299.96, 35.31);
    EXPECT_FLOAT_EQ(tulip.sizeMajor, 30.0f);  // stellarium's degrees as arcminutes
    EXPECT_EQ(tulip.code2, 100);
    ExpectPosition(files.Record(files.Find(kLdn, 1111)), 300.5, 35.0);
    EXPECT_FLOAT_EQ(files.Record(files.Find(kLdn, 1111)).magnitude, kUnknownMagnitude);

    // Local Group numbers: found in stellarium by position (UGCA 86), or an object of their own.
    const ObjectRecord ugca86 = files.Record(files.Find(kUgca, 86));
    ExpectPosition(ugca86, 59.956, 67.1436);
    EXPECT_FLOAT_EQ(ugca86.magnitude, 13.5f);
    EXPECT_FLOAT_EQ(ugca86.sizeMajor, 2.5f);
    const ObjectRecord palomar5 = files.Record(files.Find(kPal, 5));
    EXPECT_EQ(palomar5.type, 2);  // GLOCL
    EXPECT_EQ(ConstellationOf(palomar5), "Serpens Caput");
    // No UGC record for a galaxy with an NGC number.
    EXPECT_EQ(files.Find(61, 454), -1);
}

TEST_F(ObjectFiles, ListsPointAtCoreRecords) {
    EXPECT_EQ(files.Find(kCatalogMessier, 31), 2);
    EXPECT_EQ(files.Find(kCatalogMessier, 8), 5);
    EXPECT_EQ(files.Find(kCatalogCaldwell, 14), 3);  // equal magnitudes: the first row
    EXPECT_EQ(Designation(files.Find(kCatalogMessier, 45)), "Mel22");
    EXPECT_EQ(Designation(files.Find(kCatalogCaldwell, 99)), "C99");
    EXPECT_EQ(files.Find(kCatalogMessier, 1), -1);  // not in these sources
    // M40 has no place in the core: its record is in the rows, so only the 18k file has it.
    const int32_t m40 = files.Find(kCatalogMessier, 40);
    EXPECT_EQ(Designation(m40), "M40");
    EXPECT_GE(m40, 11);

    ASSERT_EQ(files.lists.sac.size(), size_t(kSacCount));
    EXPECT_EQ(files.Find(kCatalogSac, 1), 6);
    EXPECT_EQ(files.Find(kCatalogSac, 110), 4);
    EXPECT_TRUE(HasNote("NGC 6523 (entry 111) dropped"));
    ASSERT_EQ(files.lists.herschel.size(), size_t(kHerschelCount));
    EXPECT_EQ(files.Find(kCatalogHerschel, 2), 4);
    EXPECT_EQ(files.lists.herschel[2], 0xFFFF);

    const ObjectNames names = ObjectDesignations(files.catalogs, files.lists, 2, files.Record(2));
    EXPECT_EQ(names.first, "M31");
    EXPECT_EQ(names.second, "NGC224");

    // The same list tables serve the 1k file.
    test::ObjectFilesReadBack oneK(home.Dir());
    ASSERT_EQ(oneK.Open(kObjectFile1k), 1);
    EXPECT_EQ(oneK.Record(oneK.Find(kCatalogCaldwell, 41)).number, 25);
    EXPECT_EQ(oneK.Find(kCatalogMessier, 40), -1);
}

TEST_F(ObjectFiles, CrossReferencesNameTheOtherDesignations) {
    using D = std::pair<int32_t, int32_t>;
    const test::CrossRefAnswer ngc224 = files.CrossRef(kCatalogNgc, 224);
    EXPECT_EQ(ngc224.name, "Andromeda Galaxy");
    EXPECT_EQ(ngc224.others, (std::vector<D>{{kCatalogMessier, 31}, {61, 454}}));
    EXPECT_EQ(files.CrossRef(61, 454).others, (std::vector<D>{{kCatalogMessier, 31}, {kCatalogNgc, 224}}));

    // C14 names both clusters; each cluster names C14 first.
    const test::CrossRefAnswer c14 = files.CrossRef(kCatalogCaldwell, 14);
    EXPECT_EQ(c14.name, "Double Cluster");
    EXPECT_EQ(c14.others, (std::vector<D>{{kCatalogNgc, 869}, {kCatalogNgc, 884}, {kMel, 13}}));
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 884).others, (std::vector<D>{{kCatalogCaldwell, 14}, {kMel, 14}, {kCr, 25}}));

    // Names: names.dat by stellarium's own number, d3, OpenNGC's long name.
    EXPECT_EQ(files.CrossRef(kCatalogMessier, 8).name, "Lagoon Nebula");
    EXPECT_EQ(files.CrossRef(kSh2, 25).others, (std::vector<D>{{kCatalogMessier, 8}, {kCatalogNgc, 6523}, {kCed, 152}}));
    EXPECT_EQ(files.CrossRef(kSh2, 101).name, "Tulip Nebula");
    EXPECT_EQ(files.CrossRef(kSh2, 101).others, (std::vector<D>{{kLdn, 1111}}));
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 7000).name, "North America Nebula");
    EXPECT_EQ(files.CrossRef(kPal, 5).name, "");  // no other designation, no name: no record
    EXPECT_EQ(files.CrossRef(kCatalogCaldwell, 99).name, "Coalsack Nebula");
}

TEST_F(ObjectFiles, ChartIndexesHoldEachObjectOnceByDeclination) {
    ASSERT_EQ(files.OpenIndex(kObjectIndex18k), 1);
    const std::vector<ObjectIndexEntry> entries = files.IndexEntries();
    std::set<int32_t> records;
    int32_t lastDec = INT32_MIN;
    for (const ObjectIndexEntry& e : entries) {
        if (e.record < 0) {
            EXPECT_EQ(e.magnitudeKey, 32767);
            continue;
        }
        EXPECT_TRUE(records.insert(e.record).second) << e.record;
        EXPECT_GE(e.dec, lastDec);
        lastDec = e.dec;
        const ObjectRecord r = files.Record(e.record);
        EXPECT_EQ(r.link, e.record);
        EXPECT_EQ(e.catalog, r.catalog);
        EXPECT_EQ(e.type, r.type);
        EXPECT_EQ(e.magnitudeKey, int16_t(std::lround(r.magnitude * 10)));
        EXPECT_NEAR(e.dec, r.dec * 292817.65851827303, 1.0);
        EXPECT_NEAR(e.ra, r.ra * 4392264.877774095, 1.0);
    }
    // 16 physical objects: the 11 of the core and the Tulip, its faint twin, M40, Pal 5, UGCA 86.
    EXPECT_EQ(records.size(), 16u);
    EXPECT_EQ(files.index.RecordCount(), 3);
    EXPECT_EQ(entries.size(), 30u);

    // The search compares with each record's first entry: IC 342, the northernmost object,
    // opens record 2, C99 record 1; M31 falls inside record 1.
    EXPECT_EQ(ObjectIndexSearch(files.index, files.messages, entries[15].dec), 2);
    EXPECT_EQ(ObjectIndexSearch(files.index, files.messages, entries[0].dec), 1);
    EXPECT_EQ(entries[15].record, files.Record(files.Find(kCatalogIc, 342)).link);
    EXPECT_EQ(entries[0].record, files.Find(kCatalogCaldwell, 99));
    const int32_t m31Key = int32_t(std::lround(41.269056 * 292817.65851827303));
    EXPECT_GT(m31Key, entries[0].dec);
    EXPECT_LT(m31Key, entries[15].dec);

    ASSERT_EQ(files.OpenIndex(kObjectIndex1k), 1);
    std::set<int32_t> core;
    for (const ObjectIndexEntry& e : files.IndexEntries())
        if (e.record >= 0) core.insert(e.record);
    EXPECT_EQ(core, (std::set<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_EQ(files.OpenIndex(kObjectIndex2k), 1);
    EXPECT_EQ(files.index.RecordCount(), 3);  // fewer objects than 2000: all of them
}

TEST_F(ObjectFiles, ClassTextsListObjectsFirst) {
    ASSERT_EQ(files.classTexts.size(), size_t(kClassTextCount));
    EXPECT_EQ(files.classTexts[0], "SA(s)b");
    EXPECT_EQ(files.classTexts[1], "");
    // Clusters: "I3r" twice, then "I3rn" and "II3m" once each, in text order.
    EXPECT_EQ(files.classTexts[100], "I3r");
    EXPECT_EQ(files.classTexts[101], "I3rn");
    EXPECT_EQ(files.classTexts[102], "II3m");
    // Nebulae: the list objects' texts before the Tulip's (from d3).
    EXPECT_EQ(files.classTexts[200], "3, 2, 2");
    EXPECT_EQ(files.classTexts[201], "3, 3, 3");
    EXPECT_EQ(files.classTexts[202], "EN");
    EXPECT_EQ(ObjectClassText(files.classTexts, files.Record(files.Find(kCatalogNgc, 869)).code1), " I3r");
    EXPECT_EQ(files.Record(files.Find(kCatalogMessier, 40)).code1, kNoSmallCode);  // a star has no class
}

TEST_F(ObjectFiles, SecondRunGivesTheSameBytes) {
    test::TempHome again;
    BuildOptions second = options;
    second.dataDir = again.Path("data/");
    ASSERT_TRUE(MakeDirectory(second.dataDir));
    BuildReport secondReport;
    ASSERT_EQ(WriteObjectFiles(Sources(), second, secondReport), 1);
    ASSERT_EQ(secondReport.files.size(), report.files.size());
    EXPECT_EQ(report.files.size(), 12u);
    for (const BuiltFile& file : report.files)
        EXPECT_EQ(again.ReadFile("data/" + file.name), home.ReadFile("data/" + file.name)) << file.name;
}

TEST(ObjectFilesFailure, UnwritableFolderStopsTheStep) {
    test::TempHome home;
    BuildOptions options;
    options.dataDir = home.Path("missing/data/");
    BuildReport report;
    EXPECT_EQ(WriteObjectFiles(Sources(), options, report), 0);
    EXPECT_NE(report.problem.find("cannot be written"), std::string::npos);
    EXPECT_TRUE(report.files.empty());
}

}  // namespace
}  // namespace vsp::databuild
