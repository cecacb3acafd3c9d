// The deep-sky files built from a handful of objects given as sources, read back through the
// program's own readers: object records, the lists and ranges, the chart indexes and the
// cross-references.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "BuildInputs.h"
#include "catalog/CatalogFiles.h"
#include "catalog/ConstellationTable.h"
#include "catalog/CrossReference.h"
#include "catalog/Designation.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ProgramDataFiles.h"
#include "catalog/ProgramDataTables.h"
#include "databuild/ObjectFilesWrite.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp::databuild {
namespace {

// Catalog rows used below beside the ones CatalogTable.h names.
constexpr int32_t kCed = 10, kCr = 11, kLdn = 34, kMel = 39, kPal = 43, kSh2 = 52, kUgc = 61, kUgca = 62;
using D = std::pair<int32_t, int32_t>;

// Reading built object files back the way the program does: the record layer, the catalog
// ranges and numbered lists from their tables, the object index and cross-reference searches.
class ObjectFilesReadBack {
public:
    explicit ObjectFilesReadBack(const ProgramDir& dir)
        : dir_(dir), objects(dir, messages), index(dir, messages), crossRefs(dir, messages),
          catalogs(DefaultCatalogTable()) {}

    // Opens the 18k object file and the cross-references and loads the tables.
    bool Open() {
        return objects.Open(kObjectFileTypeCode, kCatalogCreatorCode, 0, "data/", std::string(kObjectFile18k)) &&
               crossRefs.Open(kCrossReferenceTypeCode, kCatalogCreatorCode, 0, "data/", std::string(kCrossReferenceFile)) &&
               ProgramDataTablesLoad(dir_, lists, catalogs, classTexts);
    }

    ObjectRecord Record(int32_t at) {
        ObjectRecord record;
        record.catalog = -99;
        EXPECT_TRUE(ObjectRead(objects, messages, at, record)) << "record " << at;
        return record;
    }

    // The record a designation names: a list number through its table, anything else within
    // the catalog's range. -1 when not found.
    int32_t Find(int32_t catalog, int32_t number) {
        uint16_t listed = 0;
        if (IsListCatalog(catalog))
            return ObjectByListNumber(lists, catalog, number, listed) && listed < objects.RecordCount() ? listed : -1;
        const CatalogEntry& entry = catalogs[size_t(catalog)];
        for (int32_t i = entry.firstRecord; CatalogHasRecords(entry) && i < entry.endRecord; ++i) {
            const ObjectRecord r = Record(i);
            EXPECT_EQ(r.catalog, catalog) << "record " << i << " in the range of " << catalog;
            if (r.number == number) return i;
        }
        return -1;
    }

    // The other designations (catalog, number) and the name.
    std::pair<std::vector<D>, std::string> CrossRef(int32_t catalog, int32_t number) {
        int16_t others[kCrossReferenceOthers] = {};
        int32_t numbers[kCrossReferenceOthers] = {};
        int found = 0;
        char name[64] = {};
        std::vector<D> designations;
        CrossReferenceFind(crossRefs, messages, catalog, number, others, numbers, 3, found, name, sizeof name);
        for (int k = 0; k < found; ++k) designations.emplace_back(others[k], numbers[k]);
        return {designations, name};
    }

    // Every entry of index file `name` after the sentinel record, in file order.
    std::vector<ObjectIndexEntry> IndexEntries(std::string_view name) {
        std::vector<ObjectIndexEntry> entries;
        index.Close();
        EXPECT_TRUE(index.Open(kObjectIndexTypeCode, kCatalogCreatorCode, 0, "data/", std::string(name))) << name;
        uint8_t record[kObjectIndexRecordSize];
        for (int32_t i = 1; i < index.RecordCount(); ++i) {
            EXPECT_TRUE(index.Read(uint16_t(i), record, sizeof record));
            for (int32_t k = 0; k < kObjectIndexEntriesPerRecord; ++k)
                entries.push_back(DecodeObjectIndexEntry(record + k * kObjectIndexEntrySize));
        }
        return entries;
    }

    ProgramDir dir_;
    RecordingInfoSink messages;
    CatalogDb objects, index, crossRefs;
    CatalogTable catalogs;
    NumberedLists lists;
    std::vector<std::string> classTexts;
};


StellariumDso Stel(double ra, double dec, double v, uint32_t type, const char* morph,
                   std::initializer_list<std::pair<StellariumId, const char*>> ids) {
    StellariumDso row{.raDeg = ra, .decDeg = dec, .vMag = v, .type = type, .morphology = morph,
                      .majorDeg = 0.5, .minorDeg = 0.25, .orientationDeg = 100};
    for (const auto& [slot, id] : ids) row.ids[size_t(slot)] = id;
    return row;
}

DsoSources Sources() {
    DsoSources s;
    s.stellarium = {
        Stel(10.6847, 41.2689, 3.4, 0, "SA(s)b", {{kStelNgc, "224"}, {kStelM, "31"}, {kStelPgc, "2557"}, {kStelUgc, "454"}}),
        Stel(34.75, 57.1333, 3.8, 6, "I3r", {{kStelNgc, "869"}, {kStelC, "14"}, {kStelCr, "24"}, {kStelMel, "13"}}),
        Stel(35.6333, 57.15, 3.8, 6, "I3r", {{kStelNgc, "884"}, {kStelC, "14"}, {kStelCr, "25"}, {kStelMel, "14"}}),
        Stel(344.3, 62.47, 7.7, 17, "3, 2, 2", {{kStelC, "9"}, {kStelSh2, "155"}, {kStelLbn, "529"}}),
        Stel(299.96, 35.31, 9.0, 17, "", {{kStelSh2, "101"}, {kStelLbn, "168"}}),
        Stel(300.5, 35.0, 99, 12, "", {{kStelSh2, "101"}, {kStelLdn, "1111"}}),
        Stel(270.92, -24.38, 6.0, 17, "3, 3, 3", {{kStelM, "8"}, {kStelSh2, "25"}, {kStelRcw, "146"}, {kStelLbn, "25"}}),
        Stel(270.9, -24.37, 99, 5, "", {{kStelNgc, "6523"}, {kStelCed, "152a"}}),
        Stel(185.55, 58.08, 9.65, 28, "", {{kStelM, "40"}}),
        Stel(56.75, 24.117, 1.2, 6, "I3rn", {{kStelM, "45"}, {kStelCr, "42"}, {kStelMel, "22"}}),
        Stel(66.75, 15.867, 0.5, 6, "II3m", {{kStelC, "41"}, {kStelCr, "50"}, {kStelMel, "25"}}),
        Stel(190.0, -63.0, 99, 12, "", {{kStelC, "99"}}),
        Stel(59.956, 67.1436, 99, 0, "", {{kStelPgc, "14241"}}),
    };
    for (uint32_t i = 0; i < s.stellarium.size(); ++i) s.stellarium[i].number = i + 1;
    s.stellarium[12].majorDeg = 0;  // the UGCA 86 twin has no size: the Local Group one counts
    s.names = {{"NGC", "224", "Andromeda Galaxy"}, {"NGC", "224", "Andromeda Nebula"}, {"NGC", "869", "Double Cluster"},
               {"NGC", "884", "Double Cluster"}, {"SH2", "155", "Cave Nebula"}, {"M", "45", "Pleiades"},
               {"C", "99", "Coalsack Nebula"}, {"", "7", "Lagoon Nebula"}};
    // type, ra, dec, magnitude, name, long name, identifier, axes, angle
    s.openNgc = {
        {8, 56.9, 68.1, 15.0, "IC 342", "", "IC0342 NED01", 1.0},
        {8, 56.7021, 68.0961, 9.1, "IC 342", "", "IC0342", 21.4, 20.9, 0},
        {17, 2.0, 27.7, 14.0, "IC 1", "", "IC0001 NED01", 0},
        {8, 10.684792, 41.269056, 4.36, "M 31", "Andromeda Galaxy, PGC 2557, UGC 454, NGC 224", "NGC0224", 177.83, 69.66, 35},
        {3, 34.744, 57.11725, 4.3, "NGC 869", "h Persei Cluster", "NGC0869", 14.4},
        {3, 35.63375, 57.144111, 4.4, "NGC 884", "chi Persei Cluster", "NGC0884", 10.5},
        {5, 270.921958, -24.380167, 5.0, "M 8", "Lagoon Nebula, NGC 6523", "NGC6523", 45, 30},
        {5, 314.8214, 44.5288, 4.0, "NGC 7000", "North America Nebula, LBN 373", "NGC7000", 120, 30},
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

class ObjectFiles : public testing::Test {
protected:
    void SetUp() override {
        options.dataDir = home.Path("data/");
        ASSERT_TRUE(MakeDirectory(options.dataDir));
        ASSERT_TRUE(WriteObjectFiles(Sources(), options, report)) << report.problem;
        ASSERT_TRUE(files.Open());
    }
    ObjectRecord Named(int32_t catalog, int32_t number) { return files.Record(files.Find(catalog, number)); }
    std::string Designation(int32_t at) {
        const ObjectRecord r = files.Record(at);
        return CatalogDesignation(files.catalogs, r.catalog, r.number);
    }
    bool HasNote(const std::string& part) const {
        return std::ranges::any_of(report.notes, [&](const std::string& n) { return n.find(part) != std::string::npos; });
    }

    test::TempHome home;
    BuildOptions options;
    BuildReport report;
    ObjectFilesReadBack files{home.Dir()};
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
    EXPECT_TRUE(HasNote("M40"));
    // The ranges file names each row's records; list rows stay resolved by their lists.
    const auto range = [&](int32_t row) { return D(files.catalogs[row].firstRecord, files.catalogs[row].endRecord); };
    EXPECT_EQ(std::vector<D>({range(kCatalogNgc), range(kSh2)}), std::vector<D>({{24, 29}, {31, 34}}));
    EXPECT_EQ(files.catalogs[kCatalogMessier].firstRecord, kCatalogNoFirstRecord);
    EXPECT_EQ(files.catalogs[1].firstRecord, kCatalogNoFirstRecord);  // Abell: no source here
    // The 1k file is the core, byte for byte.
    const std::string full = home.ReadFile("data/vespertar_obj_18k.ppc"), core = home.ReadFile("data/vespertar_obj_1k.ppc");
    ASSERT_EQ(core.size(), size_t(16 + 11 * kObjectRecordSize));
    EXPECT_EQ(core.substr(0, 8) + core.substr(16), full.substr(0, 8) + full.substr(16, core.size() - 16));

    options.dataDir = home.Path("missing/data/");
    EXPECT_FALSE(WriteObjectFiles(Sources(), options, report));
    EXPECT_NE(report.problem.find("cannot be written"), std::string::npos);
}

TEST_F(ObjectFiles, EachValueFromTheSourceThatKnowsItBest) {
    // M31: GALXY; OpenNGC's position, axes and angle; stellarium's V before OpenNGC's B; its core record.
    const ObjectRecord m31 = Named(kCatalogNgc, 224);
    EXPECT_EQ(std::make_tuple(m31.ra, m31.dec, m31.type, m31.magnitude, m31.sizeMajor, m31.sizeMinor, int(m31.code2), m31.link),
              std::make_tuple(float(10.684792 / 15), float(41.269056), 16, 3.4f, 177.83f, 69.66f, 35, 2));
    EXPECT_EQ(ConstellationName(*ConstellationAt(m31.constellation)), "Andromeda");
    // Stellarium's M8 row and its NGC 6523 row are one object (BRTNB): the Messier row's type
    // and magnitude, OpenNGC's position, the designations of both.
    const ObjectRecord lagoon = Named(kCatalogNgc, 6523);
    EXPECT_EQ(std::make_tuple(lagoon.ra, lagoon.dec, lagoon.type, lagoon.magnitude, lagoon.link),
              std::make_tuple(float(270.921958 / 15), float(-24.380167), 20, 6.0f, 5));
    EXPECT_EQ(std::make_pair(Named(kSh2, 25).link, Named(kCed, 152).link), std::make_pair(5, 5));
    // An object only OpenNGC knows, its own type code mapped (NEBUL), no angle.
    const ObjectRecord northAmerica = Named(kCatalogNgc, 7000);
    EXPECT_EQ(std::make_tuple(northAmerica.type, northAmerica.magnitude, northAmerica.code2),
              std::make_tuple(19, 4.0f, kNoSmallCode));
    // OpenNGC's plain row beats a component listed before it; a lone component (2STAR) stands in.
    EXPECT_EQ(std::make_pair(Named(kCatalogIc, 342).magnitude, Named(kCatalogIc, 1).type), std::make_pair(9.1f, 31));
    // The brighter of two objects with one Sharpless number keeps it (stellarium's degrees as
    // arcminutes); the other keeps its LDN.
    const ObjectRecord tulip = Named(kSh2, 101), ldn = Named(kLdn, 1111);
    EXPECT_EQ(std::make_tuple(tulip.ra, tulip.sizeMajor, int(tulip.code2), ldn.ra, ldn.magnitude),
              std::make_tuple(float(299.96 / 15), 30.0f, 100, float(300.5 / 15), kUnknownMagnitude));
    // Local Group numbers: found in stellarium by position (UGCA 86), or an object of their own.
    const ObjectRecord ugca86 = Named(kUgca, 86), palomar5 = Named(kPal, 5);
    EXPECT_EQ(std::make_tuple(ugca86.dec, ugca86.magnitude, ugca86.sizeMajor, palomar5.type),
              std::make_tuple(float(67.1436), 13.5f, 2.5f, 2));
    EXPECT_EQ(ConstellationName(*ConstellationAt(palomar5.constellation)), "Serpens Caput");
    EXPECT_EQ(files.Find(kUgc, 454), -1);  // no UGC record for a galaxy with an NGC number
}

TEST_F(ObjectFiles, ListsPointAtCoreRecords) {
    // M31, M8, C14 (equal magnitudes: the first row), SAC 1 and 110, H400 2; M1 not in these sources.
    const D numbers[] = {{kCatalogMessier, 31}, {kCatalogMessier, 8}, {kCatalogCaldwell, 14}, {kCatalogSac, 1},
                         {kCatalogSac, 110},    {kCatalogHerschel, 2}, {kCatalogMessier, 1}};
    std::vector<int32_t> records;
    for (const auto& [catalog, number] : numbers) records.push_back(files.Find(catalog, number));
    EXPECT_EQ(records, (std::vector<int32_t>{2, 5, 3, 6, 4, 4, -1}));
    EXPECT_EQ(Designation(files.Find(kCatalogMessier, 45)), "Mel22");
    EXPECT_GE(files.Find(kCatalogMessier, 40), 11);  // no place in the core: only the 18k file has it
    EXPECT_TRUE(HasNote("NGC 6523 (entry 111) dropped"));
}

TEST_F(ObjectFiles, CrossReferencesAndClassTexts) {
    // C14 names both clusters; each cluster names C14 first.
    EXPECT_EQ(files.CrossRef(kCatalogCaldwell, 14),
              std::make_pair(std::vector<D>{{kCatalogNgc, 869}, {kCatalogNgc, 884}, {kMel, 13}}, std::string("Double Cluster")));
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 884).first, (std::vector<D>{{kCatalogCaldwell, 14}, {kMel, 14}, {kCr, 25}}));
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 224).first, (std::vector<D>{{kCatalogMessier, 31}, {kUgc, 454}}));
    EXPECT_EQ(files.CrossRef(kSh2, 25).first, (std::vector<D>{{kCatalogMessier, 8}, {kCatalogNgc, 6523}, {kCed, 152}}));
    // Names: names.dat by stellarium's own number, d3, OpenNGC's long name; none without a record.
    std::vector<std::string> names;
    for (const auto& [catalog, number] : {D{kCatalogMessier, 8}, D{kSh2, 101}, D{kCatalogNgc, 7000}, D{kPal, 5}})
        names.push_back(files.CrossRef(catalog, number).second);
    EXPECT_EQ(names, (std::vector<std::string>{"Lagoon Nebula", "Tulip Nebula", "North America Nebula", ""}));

    // Galaxies from 0, clusters from 100 ("I3r" twice, then the others in text order), nebulae
    // from 200 (the list objects' texts before the Tulip's, from d3); a star has no class.
    const auto& t = files.classTexts;
    EXPECT_EQ(std::vector<std::string>({t[0], t[1], t[100], t[101], t[102], t[200], t[201], t[202]}),
              std::vector<std::string>({"SA(s)b", "", "I3r", "I3rn", "II3m", "3, 2, 2", "3, 3, 3", "EN"}));
    EXPECT_EQ(ObjectClassText(t, Named(kCatalogNgc, 869).code1), " I3r");
    EXPECT_EQ(Named(kCatalogMessier, 40).code1, kNoSmallCode);
}

TEST_F(ObjectFiles, ChartIndexesHoldEachObjectOnceByDeclination) {
    std::set<int32_t> records;
    int32_t lastDec = INT32_MIN;
    for (const ObjectIndexEntry& e : files.IndexEntries(kObjectIndex18k)) {
        if (e.record < 0) continue;  // padding
        EXPECT_TRUE(records.insert(e.record).second) << e.record;
        EXPECT_GE(e.dec, lastDec);
        lastDec = e.dec;
        const ObjectRecord r = files.Record(e.record);
        EXPECT_EQ(std::make_tuple(r.link, r.catalog, r.type, int(std::lround(r.magnitude * 10))),
                  std::make_tuple(e.record, int32_t(e.catalog), int32_t(e.type), int(e.magnitudeKey)));
        EXPECT_NEAR(e.dec, r.dec * 292817.65851827303, 1.0);
        EXPECT_NEAR(e.ra, r.ra * 4392264.877774095, 1.0);
    }
    // 16 physical objects: the 11 of the core and the Tulip, its faint twin, M40, Pal 5, UGCA 86.
    EXPECT_EQ(records.size(), 16u);
}

// Every Messier and Caldwell object of the installed packages found; M8 is NGC 6523, M45 the
// Pleiades (Mel 22), Barnard 33 in Orion.
TEST(InstalledPackages, EveryListObjectFound) {
    BuildOptions options;
    if (!test::InstalledPackages(options)) GTEST_SKIP() << "stellarium-data, kstars-data or d3-celestial (npm ci) missing";
    test::TempHome home;
    BuildReport report;
    ASSERT_TRUE(MakeDirectory(options.dataDir = home.Path("data/")));
    ASSERT_TRUE(BuildObjectFiles(options, report)) << report.problem;
    ObjectFilesReadBack files(home.Dir());
    ASSERT_TRUE(files.Open());
    EXPECT_GE(files.objects.RecordCount(), 18000);
    for (int32_t n = 1; n <= kMessierCount; ++n) EXPECT_GE(files.Find(kCatalogMessier, n), 0) << "M" << n;
    for (int32_t n = 1; n <= kCaldwellCount; ++n) EXPECT_GE(files.Find(kCatalogCaldwell, n), 0) << "C" << n;
    EXPECT_EQ(files.Record(files.Find(kCatalogMessier, 8)).number, 6523);
    const ObjectRecord pleiades = files.Record(files.Find(kCatalogMessier, 45));
    EXPECT_EQ(CatalogDesignation(files.catalogs, pleiades.catalog, pleiades.number), "Mel22");
    EXPECT_EQ(ConstellationAbbreviation(*ConstellationAt(files.Record(files.Find(2, 33)).constellation)), "Ori");
}

}  // namespace
}  // namespace vsp::databuild
