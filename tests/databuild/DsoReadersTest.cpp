#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

#include "databuild/DsoReaders.h"
#include "databuild/QtStream.h"
#include "GzipFile.h"
#include "support/TempHome.h"

namespace vsp::databuild {
namespace {

using vsp::test::TempHome;
using vsp::test::WriteGzip;

// --- A Qt data stream written byte by byte, as QDataStream lays it out (big-endian).
void PutU32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char(value >> shift & 0xFF);
}
void PutF64(std::string& out, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, uint32_t(bits >> 32));
    PutU32(out, uint32_t(bits));
}
// Text as UTF-16 from the compiler (u"" literals), independent of the reader's conversion.
void PutString(std::string& out, std::u16string_view text) {
    PutU32(out, uint32_t(text.size() * 2));
    for (char16_t unit : text) out += {char(unit >> 8), char(unit & 0xFF)};
}
void PutNull(std::string& out) { PutU32(out, 0xFFFFFFFFu); }

struct TestRecord {
    uint32_t number;
    double ra, dec, bMag, vMag;  // radians, magnitudes
    uint32_t type;
    std::u16string morphology;
    double major, minor;
    uint32_t angle;
};

// `numbers` fill u32 slots (others 0); `texts` fill text slots (others the null QString).
void PutRecord(std::string& s, const TestRecord& r, std::map<int, uint32_t> numbers,
               std::map<int, std::u16string> texts) {
    PutU32(s, r.number);
    for (double value : {r.ra, r.dec, r.bMag, r.vMag}) PutF64(s, value);
    PutU32(s, r.type);
    PutString(s, r.morphology);
    PutF64(s, r.major);
    PutF64(s, r.minor);
    PutU32(s, r.angle);
    for (int i = 0; i < 6; ++i) PutF64(s, 1.5 * i);  // redshift .. distance error: skipped
    for (int slot = 0; slot < kStellariumIdCount; ++slot) {
        const bool text = slot == kStelCed || slot == kStelPk || slot == kStelPng || slot == kStelSnrg ||
                          slot == kStelAco || slot == kStelHcg || slot == kStelEso || slot == kStelVdBh;
        if (!text) PutU32(s, numbers[slot]);
        else if (texts.count(slot)) PutString(s, texts[slot]);
        else PutNull(s);
    }
}

std::string TwoRecordCatalog() {
    std::string s;
    PutString(s, u"3.16");
    PutString(s, u"standard");
    PutRecord(s, {40, 0.186, 0.72, 4.36, 3.44, 0, u"SA(s)b", 3.15, 1.0, 35},
              {{kStelNgc, 224}, {kStelM, 31}, {kStelUgc, 454}, {kStelVdBHa, 4000000000u}}, {});
    // Negative RA (wraps to 360), no magnitudes, text designations beyond ASCII.
    PutRecord(s, {7, -0.5, -1.2, 99, 99, 18, u"", 0.1, 0.05, 359}, {},
              {{kStelCed, u"19f"}, {kStelPng, u"G010.4+04.4"}, {kStelAco, u"S\u03C9\U0001F600"}});
    return s;
}

// Every field of a row on one line, so a test checks them all in one comparison.
std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
}
std::string Describe(const StellariumDso& d) {
    return std::to_string(d.number) + " " + Fixed(d.raDeg) + " " + Fixed(d.decDeg) + " " +
                       Fixed(d.bMag) + " " + Fixed(d.vMag) + " " + std::to_string(d.type) + " '" +
                       d.morphology + "' " + Fixed(d.majorDeg) + " " + Fixed(d.minorDeg) + " " +
                       std::to_string(d.orientationDeg);
}
std::string Describe(const OpenNgcRow& r) {
    return r.catalogIdentifier + " " + std::to_string(r.type) + " " + Fixed(r.raDeg) + " " +
           Fixed(r.decDeg) + " " + Fixed(r.magnitude) + " '" + r.name + "' '" + r.longName + "' " +
           Fixed(r.majorArcmin) + " " + Fixed(r.minorArcmin) + " " + Fixed(r.positionAngleDeg);
}
std::string Describe(const LocalGroupObject& g) {
    return g.id + " '" + g.name + "' " + Fixed(g.raDeg) + " " + Fixed(g.decDeg) + " " +
           Fixed(g.magnitude) + " " + Fixed(g.majorArcmin) + " " + g.type;
}

TEST(QtStreamTest, FailsOnMalformedStringsAndStaysFailed) {
    std::string bytes;
    PutString(bytes, u"\u00E9\xD800x");  // é, an unpaired surrogate, x
    QtStream stream(bytes);
    std::string text;
    ASSERT_TRUE(stream.ReadQString(text));
    EXPECT_EQ(text, "\xC3\xA9\xEF\xBF\xBDx");
    uint32_t u = 0;
    EXPECT_FALSE(stream.ReadU32(u));
    EXPECT_TRUE(stream.Failed());
    for (const std::string& bad : {std::string("\0\0\0\3abc", 7), std::string("\0\0\0\x08" "abcd", 8)}) {
        QtStream badStream(bad);  // odd byte count; longer than the data
        EXPECT_FALSE(badStream.ReadQString(text));
        EXPECT_FALSE(badStream.ReadU32(u));
    }
}

TEST(StellariumCatalogReadTest, ReadsEveryFieldOfGzippedRecords) {
    TempHome home;
    WriteGzip(home.Path("catalog.dat"), TwoRecordCatalog());
    std::vector<StellariumDso> dsos;
    std::string problem;
    ASSERT_EQ(ReadStellariumCatalog(home.Path("catalog.dat"), dsos, problem), 1) << problem;
    ASSERT_EQ(dsos.size(), 2u);
    // 0.186 rad = 10.65701°, 0.72 rad = 41.25296°, -0.5 rad = -28.64789°, -1.2 rad = -68.75494°.
    EXPECT_EQ(Describe(dsos[0]), "40 10.65701 41.25296 4.36000 3.44000 0 'SA(s)b' 3.15000 1.00000 35");
    EXPECT_EQ(Describe(dsos[1]), "7 331.35211 -68.75494 99.00000 99.00000 18 '' 0.10000 0.05000 359");
    std::array<std::string, kStellariumIdCount> first{}, second{};
    first[kStelNgc] = "224";
    first[kStelM] = "31";
    first[kStelUgc] = "454";
    first[kStelVdBHa] = "4000000000";
    second[kStelCed] = "19f";
    second[kStelPng] = "G010.4+04.4";
    second[kStelAco] = "S\xCF\x89\xF0\x9F\x98\x80";
    EXPECT_EQ(dsos[0].ids, first);
    EXPECT_EQ(dsos[1].ids, second);
}

TEST(StellariumCatalogReadTest, TruncatedOrForeignFilesGiveAProblem) {
    TempHome home;
    std::string bytes = TwoRecordCatalog();
    bytes.resize(bytes.size() - 5);
    WriteGzip(home.Path("cut.dat"), bytes);
    home.WriteFile("text.dat", "hello");
    std::vector<StellariumDso> dsos;
    std::string problem;
    EXPECT_EQ(ReadStellariumCatalog(home.Path("cut.dat"), dsos, problem), 0);
    EXPECT_NE(problem.find("record 2 "), std::string::npos) << problem;
    EXPECT_TRUE(dsos.empty());
    EXPECT_EQ(ReadStellariumCatalog(home.Path("text.dat"), dsos, problem), 0);
    EXPECT_NE(problem.find("text.dat"), std::string::npos) << problem;
}

TEST(StellariumNamesReadTest, ReadsFixedColumnsAndRejectsALineWithoutName) {
    TempHome home;
    home.WriteFile("names.dat",
                   "# Stellarium DSO Catalog Names\n\n"
                   "NGC  7000            _(\"North America Nebula\") # WK, SIMBAD\n"
                   "     17              _(\"Calabash Nebula\") # WP\r\n"
                   "SH2  155             _(\"Cave Nebula\")\t\n"
                   "NGC  5139            _(\"\xCF\x89 Cen Cluster\") # WK\n");
    std::vector<StellariumName> names;
    std::string problem;
    ASSERT_EQ(ReadStellariumNames(home.Path("names.dat"), names, problem), 1) << problem;
    std::vector<std::string> lines;
    for (const StellariumName& n : names) lines.push_back(n.prefix + "|" + n.id + "|" + n.name);
    EXPECT_EQ(lines, (std::vector<std::string>{"NGC|7000|North America Nebula", "|17|Calabash Nebula",
                                               "SH2|155|Cave Nebula", "NGC|5139|\xCF\x89 Cen Cluster"}));

    home.WriteFile("bad.dat", "# header\nNGC  224             Andromeda Galaxy\n");
    EXPECT_EQ(ReadStellariumNames(home.Path("bad.dat"), names, problem), 0);
    EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;
}

void Exec(sqlite3* db, const char* sql) { ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

std::string MakeOpenNgc(const TempHome& home, const char* name, const char* rows) {
    const std::string path = home.Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    Exec(db, "CREATE TABLE cat(hash, oid, type INT, ra REAL, dec REAL, magnitude REAL, name TEXT, "
             "long_name TEXT, catalog_identifier TEXT, major_axis REAL, minor_axis REAL, "
             "position_angle REAL, flux REAL, trixel INT, res_1, res_2, res_3, res_4, catalog INT)");
    Exec(db, rows);
    sqlite3_close(db);
    return path;
}

TEST(OpenNgcReadTest, ReadsRowsInIdentifierOrderWithDefaultsForNulls) {
    TempHome home;
    const std::string path = MakeOpenNgc(home, "OpenNGC.kscat",
        "INSERT INTO cat(hash, type, ra, dec, magnitude, name, long_name, catalog_identifier, "
        "major_axis, minor_axis, position_angle) VALUES "
        "(x'02', 5, 314.8214, 44.5288, 4.0, 'NGC 7000', 'North America Nebula', 'NGC7000', 120, 30, NULL),"
        "(x'01', 8, 10.6848, 41.2691, 4.36, 'M 31', 'Andromeda Galaxy, PGC 2557', 'NGC0224', 177.83, 69.66, 35),"
        "(x'03', NULL, 174.2276, -8.3774, NULL, NULL, NULL, 'IC0715', NULL, NULL, NULL)");
    std::vector<OpenNgcRow> rows;
    std::string problem;
    ASSERT_EQ(ReadOpenNgc(path, rows, problem), 1) << problem;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Describe(rows[0]), "IC0715 0 174.22760 -8.37740 99.00000 '' '' 0.00000 0.00000 -1.00000");
    EXPECT_EQ(Describe(rows[1]), "NGC0224 8 10.68480 41.26910 4.36000 'M 31' 'Andromeda Galaxy, PGC 2557' "
                                 "177.83000 69.66000 35.00000");
    EXPECT_EQ(Describe(rows[2]), "NGC7000 5 314.82140 44.52880 4.00000 'NGC 7000' 'North America Nebula' "
                                 "120.00000 30.00000 -1.00000");
}

TEST(OpenNgcReadTest, MissingFileOrPositionGivesAProblem) {
    TempHome home;
    std::vector<OpenNgcRow> rows;
    std::string problem;
    EXPECT_EQ(ReadOpenNgc(home.Path("absent.kscat"), rows, problem), 0);
    EXPECT_NE(problem.find("absent.kscat"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.Path("absent.kscat")));  // opened read-only

    const std::string path = MakeOpenNgc(home, "nopos.kscat",
        "INSERT INTO cat(type, ra, dec, catalog_identifier) VALUES (8, NULL, 1, 'NGC0001')");
    EXPECT_EQ(ReadOpenNgc(path, rows, problem), 0);
    EXPECT_NE(problem.find("NGC0001 has no position"), std::string::npos) << problem;
    EXPECT_TRUE(rows.empty());
}

TEST(D3DsoReadTest, ReadsNamesMorphologiesAndLocalGroupRows) {
    TempHome home;
    home.WriteFile("dsonames.json",
                   R"({"NGC 224":{"name":"Andromeda Galaxy","de":"Andromeda-Galaxie"},)"
                   R"("18":{"name":"Frosty Leo Nebula"}})");
    home.WriteFile("dsos.json",
                   R"({"type":"FeatureCollection","features":[)"
                   R"({"type":"Feature","id":"NGC 224","properties":{"desig":"M 31","morph":"SA(s)b"}},)"
                   R"({"type":"Feature","id":"C 99","properties":{"morph":""}},)"
                   R"({"type":"Feature","id":"PN G 000.0-01.3","properties":{"morph":"2"}}]})");
    home.WriteFile("lg.json",
                   R"({"type":"FeatureCollection","features":[)"
                   R"({"id":"WLM","properties":{"name":"WLM","mag":"11.0","dim":"11.5x4.0","type":"IBm"},"geometry":{"type":"Point","coordinates":[0.4921,-15.4608]}},)"
                   R"({"id":"Palomar5","properties":{"name":"Palomar 5","mag":"11.8","dim":"8.0","type":"GC"},"geometry":{"type":"Point","coordinates":[-130.9779,0.1114]}},)"
                   R"({"id":"Terzan10","properties":{"name":"Terzan 10","mag":"","dim":"","type":"GC"},"geometry":{"type":"Point","coordinates":[270.74,-26.0667]}},)"
                   R"({"id":"UGCA86","properties":{"name":"UGCA 86","mag":13.5,"dim":"5.0x3.1","type":"Im V-VI:"},"geometry":{"type":"Point","coordinates":[59.9513,67.1386]}}]})");
    std::map<std::string, std::string> names, morphology;
    std::vector<LocalGroupObject> group;
    std::string problem;
    ASSERT_EQ(ReadD3Names(home.Path("dsonames.json"), names, problem), 1) << problem;
    EXPECT_EQ(names, (std::map<std::string, std::string>{{"18", "Frosty Leo Nebula"},
                                                         {"NGC 224", "Andromeda Galaxy"}}));
    ASSERT_EQ(ReadD3Morphology(home.Path("dsos.json"), morphology, problem), 1) << problem;
    EXPECT_EQ(morphology, (std::map<std::string, std::string>{{"NGC 224", "SA(s)b"},
                                                              {"PN G 000.0-01.3", "2"}}));
    ASSERT_EQ(ReadD3LocalGroup(home.Path("lg.json"), group, problem), 1) << problem;
    ASSERT_EQ(group.size(), 3u);  // WLM is no row of ours
    EXPECT_EQ(Describe(group[0]), "Palomar5 'Palomar 5' 229.02210 0.11140 11.80000 8.00000 GC");
    EXPECT_EQ(Describe(group[1]), "Terzan10 'Terzan 10' 270.74000 -26.06670 99.00000 0.00000 GC");
    EXPECT_EQ(Describe(group[2]), "UGCA86 'UGCA 86' 59.95130 67.13860 13.50000 5.00000 Im V-VI:");
}

TEST(D3DsoReadTest, MalformedJsonGivesAProblem) {
    TempHome home;
    home.WriteFile("broken.json", R"({"NGC 224":{"name":"Andromeda Galaxy"})");
    home.WriteFile("noname.json", R"({"NGC 224":{"de":"Andromeda-Galaxie"}})");
    home.WriteFile("noid.json", R"({"features":[{"id":"NGC 1","properties":{}},{"properties":{"morph":"E"}}]})");
    home.WriteFile("nopoint.json", R"({"features":[{"id":"Palomar1","properties":{"mag":"13.2"}}]})");
    std::map<std::string, std::string> map;
    std::vector<LocalGroupObject> group;
    std::string p1, p2, p3, p4;
    EXPECT_EQ(ReadD3Names(home.Path("broken.json"), map, p1) + ReadD3Names(home.Path("noname.json"), map, p2) +
                  ReadD3Morphology(home.Path("noid.json"), map, p3) +
                  ReadD3LocalGroup(home.Path("nopoint.json"), group, p4), 0);
    EXPECT_NE(p1.find("broken.json: not a JSON object"), std::string::npos) << p1;
    EXPECT_NE(p2.find("\"NGC 224\" has no name"), std::string::npos) << p2;
    EXPECT_NE(p3.find("feature 2 has no id"), std::string::npos) << p3;
    EXPECT_NE(p4.find("(Palomar1) has no point coordinates"), std::string::npos) << p4;
    EXPECT_EQ(ReadD3Morphology(home.Path("broken.json"), map, p1), 0);  // read as events, not a tree
    EXPECT_NE(p1.find("broken.json: not valid JSON"), std::string::npos) << p1;
}

TEST(StellariumListsReadTest, ReadsTheNamedArrayInFileOrder) {
    TempHome home;
    home.WriteFile("best.ssc",
                   "include(\"i18n.inc\");\n"
                   "var objlistCount = [5];\n"
                   "var objlist = [891, 7662, \n\t       185, 40,\n\t      ];\n"
                   "var h400 = [   40,  129,\n 7814];\n");
    std::vector<int32_t> numbers;
    std::string problem;
    ASSERT_EQ(ReadScriptNumberList(home.Path("best.ssc"), "objlist", numbers, problem), 1) << problem;
    EXPECT_EQ(numbers, (std::vector<int32_t>{891, 7662, 185, 40}));
    ASSERT_EQ(ReadScriptNumberList(home.Path("best.ssc"), "h400", numbers, problem), 1) << problem;
    EXPECT_EQ(numbers, (std::vector<int32_t>{40, 129, 7814}));

    EXPECT_EQ(ReadScriptNumberList(home.Path("best.ssc"), "messier", numbers, problem), 0);
    EXPECT_NE(problem.find("var messier"), std::string::npos) << problem;
    home.WriteFile("bad.ssc", "var objlist = [891,\n 76x2];\n");
    EXPECT_EQ(ReadScriptNumberList(home.Path("bad.ssc"), "objlist", numbers, problem), 0);
    EXPECT_NE(problem.find("line 2: \"76x2\""), std::string::npos) << problem;
}

TEST(DsoSourcesReadTest, FindsEveryInputBelowThePackageFolders) {
    TempHome home;
    home.WriteFile("st/nebulae/default/names.dat", "NGC  224             _(\"Andromeda Galaxy\")\n");
    WriteGzip(home.Path("st/nebulae/default/catalog.dat"), TwoRecordCatalog());
    home.WriteFile("st/scripts/best_ngc.ssc", "var objlist = [891];");
    home.WriteFile("st/scripts/common_objects.inc", "var h400 = [40, 129];");
    home.WriteFile("d3/data/dsonames.json", R"({"NGC 224":{"name":"Andromeda Galaxy"}})");
    home.WriteFile("d3/data/dsos.20.json", R"({"features":[{"id":"NGC 224","properties":{"morph":"Sb"}}]})");
    home.WriteFile("d3/data/lg.json", R"({"features":[]})");
    MakeOpenNgc(home, "ks/OpenNGC.kscat", "INSERT INTO cat(ra, dec, catalog_identifier) VALUES (1, 2, 'NGC0001')");
    BuildOptions options;
    options.stellariumDir = home.Path("st");
    options.kstarsDir = home.Path("ks/");
    options.d3CelestialDir = home.Path("d3");
    DsoSources sources;
    std::string problem;
    ASSERT_EQ(ReadDsoSources(options, sources, problem), 1) << problem;
    EXPECT_EQ(sources.stellarium.size() + sources.names.size() + sources.openNgc.size() +
                  sources.d3Names.size() + sources.d3Morphology.size(), 6u);
    EXPECT_EQ(sources.bestNgc, (std::vector<int32_t>{891}));
    EXPECT_EQ(sources.herschel400, (std::vector<int32_t>{40, 129}));

    std::filesystem::remove(home.Path("st/scripts/common_objects.inc"));
    EXPECT_EQ(ReadDsoSources(options, sources, problem), 0);
    EXPECT_NE(problem.find("common_objects.inc"), std::string::npos) << problem;
    EXPECT_TRUE(sources.stellarium.empty());
}

// The installed packages against published facts (M31 = NGC 224 at 0h42m44s +41°16′09″, the
// Crab Nebula a supernova remnant, the list sizes of the Saguaro club's and Herschel's lists).
TEST(DsoSourcesRealPackagesTest, ReadsTheInstalledCatalogs) {
    if (!std::filesystem::exists("/usr/share/stellarium/nebulae/default/catalog.dat") ||
        !std::filesystem::exists("/usr/share/kstars/OpenNGC.kscat"))
        GTEST_SKIP() << "stellarium-data or kstars-data not installed";
    BuildOptions options;
    DsoSources sources;
    std::string problem;
    ASSERT_EQ(ReadDsoSources(options, sources, problem), 1) << problem;
    EXPECT_EQ(sources.stellarium.size(), 94663u);
    EXPECT_EQ(sources.openNgc.size(), 13960u);
    EXPECT_EQ(sources.bestNgc.size(), 111u);
    EXPECT_EQ(sources.herschel400.size(), 400u);
    EXPECT_EQ(sources.localGroup.size(), 26u);  // 13 Palomar, 11 Terzan, 2 UGCA

    std::map<std::string, const StellariumDso*> messier;
    for (const StellariumDso& dso : sources.stellarium)
        if (!dso.ids[kStelM].empty()) messier[dso.ids[kStelM]] = &dso;
    ASSERT_TRUE(messier.count("31") && messier.count("1"));
    EXPECT_EQ(messier["31"]->ids[kStelNgc], "224");
    EXPECT_NEAR(messier["31"]->raDeg, 10.6847, 0.001);
    EXPECT_NEAR(messier["31"]->decDeg, 41.269, 0.001);
    EXPECT_EQ(messier["31"]->type, 0u);  // galaxy
    EXPECT_EQ(messier["1"]->ids[kStelNgc], "1952");
    EXPECT_EQ(messier["1"]->type, 18u);  // supernova remnant

    const auto northAmerica = std::find_if(sources.names.begin(), sources.names.end(), [](const auto& n) {
        return n.prefix == "NGC" && n.id == "7000";
    });
    ASSERT_NE(northAmerica, sources.names.end());
    EXPECT_EQ(northAmerica->name, "North America Nebula");
    EXPECT_EQ(sources.d3Names.at("NGC 224"), "Andromeda Galaxy");
    EXPECT_EQ(sources.d3Morphology.at("NGC 224"), "SA(s)b");
    EXPECT_EQ(sources.bestNgc.front(), 891);
    EXPECT_EQ(sources.herschel400.front(), 40);
    EXPECT_EQ(sources.herschel400.back(), 7814);
}

}  // namespace
}  // namespace vsp::databuild
