// The deep-sky readers on small inputs in each package's own format, and the corrections of
// known faults of the packages.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <map>

#include "BuildInputs.h"
#include "databuild/DsoReaders.h"
#include "databuild/SourceCorrections.h"
#include "support/TempHome.h"

namespace vsp::databuild {
namespace {

using vsp::test::TempHome;

// A Qt data stream as QDataStream lays it out (big-endian); text as UTF-16 from the compiler
// (u"" literals), independent of the reader's conversion.
struct QtBytes {
    std::string out;
    QtBytes& U32(uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) out += char(value >> shift & 0xFF);
        return *this;
    }
    QtBytes& F64(double value) {
        const uint64_t bits = std::bit_cast<uint64_t>(value);
        return U32(uint32_t(bits >> 32)).U32(uint32_t(bits));
    }
    QtBytes& Text(std::u16string_view text) {
        U32(uint32_t(text.size() * 2));
        for (char16_t unit : text) out += {char(unit >> 8), char(unit & 0xFF)};
        return *this;
    }
    // number; ra, dec (radians), B, V; type; morphology; axes, angle; then the ids: `numbers`
    // fill u32 slots (others 0), `texts` the text slots (others the null string).
    QtBytes& Record(uint32_t number, std::array<double, 4> values, uint32_t type, std::u16string_view morphology,
                    std::map<int, uint32_t> numbers, std::map<int, std::u16string> texts) {
        U32(number).F64(values[0]).F64(values[1]).F64(values[2]).F64(values[3]).U32(type).Text(morphology);
        F64(0.5).F64(0.25).U32(35);
        for (int i = 0; i < 6; ++i) F64(1.5 * i);  // redshift .. distance error: skipped
        for (int slot = 0; slot < kStellariumIdCount; ++slot) {
            const bool text = slot == kStelCed || slot == kStelPk || slot == kStelPng || slot == kStelSnrg ||
                              slot == kStelAco || slot == kStelHcg || slot == kStelEso || slot == kStelVdBh;
            if (!text) U32(numbers[slot]);
            else if (texts.count(slot)) Text(texts[slot]);
            else U32(0xFFFFFFFFu);
        }
        return *this;
    }
};

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
}

TEST(StellariumCatalogReadTest, ReadsEveryFieldOfGzippedRecordsAndStopsAtACutOne) {
    // Negative RA (wraps to 360), text designations beyond ASCII, a lone surrogate.
    const std::string bytes = QtBytes().Text(u"3.16").Text(u"standard")
        .Record(40, {0.186, 0.72, 4.36, 3.44}, 0, u"SA(s)b", {{kStelNgc, 224}, {kStelVdBHa, 4000000000u}}, {})
        .Record(7, {-0.5, -1.2, 99, 99}, 18, u"", {}, {{kStelPng, u"G010.4+04.4"}, {kStelAco, u"S\u03C9\U0001F600\xD800"}}).out;
    TempHome home;
    test::WriteGzip(home.Path("catalog.dat"), bytes);
    std::vector<StellariumDso> dsos;
    std::string problem;
    ASSERT_TRUE(ReadStellariumCatalog(home.Path("catalog.dat"), dsos, problem)) << problem;
    std::vector<std::string> got;
    for (const StellariumDso& d : dsos)
        got.push_back(std::to_string(d.number) + " " + Fixed(d.raDeg) + " " + Fixed(d.decDeg) + " " + Fixed(d.bMag) + " " +
                      Fixed(d.vMag) + " " + std::to_string(d.type) + " '" + d.morphology + "' " + Fixed(d.majorDeg) + " " +
                      Fixed(d.minorDeg) + " " + std::to_string(d.orientationDeg));
    // 0.186 rad = 10.65701°, 0.72 rad = 41.25296°, -0.5 rad = -28.64789°, -1.2 rad = -68.75494°.
    EXPECT_EQ(got, (std::vector<std::string>{"40 10.65701 41.25296 4.36000 3.44000 0 'SA(s)b' 0.50000 0.25000 35",
                                             "7 331.35211 -68.75494 99.00000 99.00000 18 '' 0.50000 0.25000 35"}));
    ASSERT_EQ(dsos.size(), 2u);
    std::array<std::string, kStellariumIdCount> first{}, second{};
    first[kStelNgc] = "224", first[kStelVdBHa] = "4000000000";
    second[kStelPng] = "G010.4+04.4", second[kStelAco] = "S\xCF\x89\xF0\x9F\x98\x80\xEF\xBF\xBD";
    EXPECT_EQ(std::make_pair(dsos[0].ids, dsos[1].ids), std::make_pair(first, second));

    test::WriteGzip(home.Path("cut.dat"), bytes.substr(0, bytes.size() - 5));
    EXPECT_FALSE(ReadStellariumCatalog(home.Path("cut.dat"), dsos, problem));
    EXPECT_NE(problem.find("record 2 "), std::string::npos) << problem;
}

TEST(StellariumTextReadTest, NamesInFixedColumnsAndScriptNumberLists) {
    TempHome home;
    home.WriteFile("names.dat", "# Stellarium DSO Catalog Names\n\nNGC  7000            _(\"North America Nebula\") # WK\n"
                                "     17              _(\"Calabash Nebula\") # WP\r\n"
                                "SH2  155             _(\"Cave Nebula\")\t\n");
    home.WriteFile("bad.dat", "# header\nNGC  224             Andromeda Galaxy\n");
    std::vector<StellariumName> names;
    std::string problem;
    ASSERT_TRUE(ReadStellariumNames(home.Path("names.dat"), names, problem)) << problem;
    std::vector<std::string> lines;
    for (const StellariumName& n : names) lines.push_back(n.prefix + "|" + n.id + "|" + n.name);
    EXPECT_EQ(lines, (std::vector<std::string>{"NGC|7000|North America Nebula", "|17|Calabash Nebula", "SH2|155|Cave Nebula"}));
    EXPECT_FALSE(ReadStellariumNames(home.Path("bad.dat"), names, problem));
    EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;

    home.WriteFile("best.ssc", "var objlistCount = [5];\nvar objlist = [891, 7662, \n\t 185, 40,\n\t ];\n");
    home.WriteFile("bad.ssc", "var objlist = [891,\n 76x2];\n");
    std::vector<int32_t> numbers;
    ASSERT_TRUE(ReadScriptNumberList(home.Path("best.ssc"), "objlist", numbers, problem)) << problem;
    EXPECT_EQ(numbers, (std::vector<int32_t>{891, 7662, 185, 40}));
    EXPECT_FALSE(ReadScriptNumberList(home.Path("bad.ssc"), "objlist", numbers, problem));
    EXPECT_NE(problem.find("line 2: \"76x2\""), std::string::npos) << problem;
}

std::string MakeOpenNgc(const TempHome& home, const char* name, const char* rows) {
    const std::string path = home.Path(name);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    for (const char* sql : {"CREATE TABLE cat(hash, oid, type INT, ra REAL, dec REAL, magnitude REAL, name TEXT, "
                            "long_name TEXT, catalog_identifier TEXT, major_axis REAL, minor_axis REAL, "
                            "position_angle REAL, flux REAL, trixel INT, res_1, res_2, res_3, res_4, catalog INT)", rows})
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
    return path;
}

TEST(OpenNgcReadTest, RowsInIdentifierOrderWithDefaultsForNulls) {
    TempHome home;
    const std::string path = MakeOpenNgc(home, "OpenNGC.kscat",
        "INSERT INTO cat(hash, type, ra, dec, magnitude, name, long_name, catalog_identifier, major_axis, minor_axis, "
        "position_angle) VALUES (x'01', 8, 10.6848, 41.2691, 4.36, 'M 31', 'Andromeda Galaxy', 'NGC0224', 177.83, 69.66, 35),"
        "(x'03', NULL, 174.2276, -8.3774, NULL, NULL, NULL, 'IC0715', NULL, NULL, NULL)");
    std::vector<OpenNgcRow> rows;
    std::string problem;
    ASSERT_TRUE(ReadOpenNgc(path, rows, problem)) << problem;
    std::vector<std::string> got;
    for (const OpenNgcRow& r : rows)
        got.push_back(r.catalogIdentifier + " " + std::to_string(r.type) + " " + Fixed(r.raDeg) + " " + Fixed(r.decDeg) + " " +
                      Fixed(r.magnitude) + " '" + r.name + "' '" + r.longName + "' " + Fixed(r.majorArcmin) + " " +
                      Fixed(r.minorArcmin) + " " + Fixed(r.positionAngleDeg));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "IC0715 0 174.22760 -8.37740 99.00000 '' '' 0.00000 0.00000 -1.00000",
                       "NGC0224 8 10.68480 41.26910 4.36000 'M 31' 'Andromeda Galaxy' 177.83000 69.66000 35.00000"}));

    EXPECT_FALSE(ReadOpenNgc(home.Path("absent.kscat"), rows, problem));
    EXPECT_FALSE(std::filesystem::exists(home.Path("absent.kscat")));  // opened read-only
    const std::string nopos = MakeOpenNgc(home, "nopos.kscat",
        "INSERT INTO cat(type, ra, dec, catalog_identifier) VALUES (8, NULL, 1, 'NGC0001')");
    EXPECT_FALSE(ReadOpenNgc(nopos, rows, problem));
    EXPECT_NE(problem.find("NGC0001 has no position"), std::string::npos) << problem;
}

TEST(D3DsoReadTest, NamesMorphologiesAndLocalGroupRows) {
    TempHome home;
    home.WriteFile("dsonames.json", R"({"NGC 224":{"name":"Andromeda Galaxy","de":"Andromeda-Galaxie"}})");
    home.WriteFile("dsos.json", R"({"type":"FeatureCollection","features":[)"
                                R"({"type":"Feature","id":"NGC 224","properties":{"desig":"M 31","morph":"SA(s)b"}},)"
                                R"({"type":"Feature","id":"C 99","properties":{"morph":""}}]})");
    const char* point = R"(,"geometry":{"type":"Point","coordinates":)";
    home.WriteFile("lg.json", std::string(R"({"features":[)") +
        R"({"id":"WLM","properties":{"name":"WLM","mag":"11.0","dim":"11.5x4.0","type":"IBm"})" + point + "[0.4921,-15.4608]}}," +
        R"({"id":"Palomar5","properties":{"name":"Palomar 5","mag":"11.8","dim":"8.0","type":"GC"})" + point +
        "[-130.9779,0.1114]}}," +
        R"({"id":"UGCA86","properties":{"name":"UGCA 86","mag":13.5,"dim":"","type":"Im"})" + point + "[59.9513,67.1386]}}]}");
    home.WriteFile("noid.json", R"({"features":[{"id":"NGC 1","properties":{}},{"properties":{"morph":"E"}}]})");
    std::map<std::string, std::string> names, morphology;
    std::vector<LocalGroupObject> group;
    std::string problem;
    ASSERT_TRUE(ReadD3Names(home.Path("dsonames.json"), names, problem)) << problem;
    ASSERT_TRUE(ReadD3Morphology(home.Path("dsos.json"), morphology, problem)) << problem;
    using Names = std::map<std::string, std::string>;
    EXPECT_EQ(std::make_pair(names, morphology),
              std::make_pair(Names{{"NGC 224", "Andromeda Galaxy"}}, Names{{"NGC 224", "SA(s)b"}}));
    ASSERT_TRUE(ReadD3LocalGroup(home.Path("lg.json"), group, problem)) << problem;
    std::vector<std::string> rows;  // WLM is no row of ours
    for (const LocalGroupObject& g : group)
        rows.push_back(g.id + " '" + g.name + "' " + Fixed(g.raDeg) + " " + Fixed(g.decDeg) + " " + Fixed(g.magnitude) + " " +
                       Fixed(g.majorArcmin) + " " + g.type);
    EXPECT_EQ(rows, (std::vector<std::string>{"Palomar5 'Palomar 5' 229.02210 0.11140 11.80000 8.00000 GC",
                                              "UGCA86 'UGCA 86' 59.95130 67.13860 13.50000 0.00000 Im"}));
    EXPECT_FALSE(ReadD3Morphology(home.Path("noid.json"), morphology, problem));
    EXPECT_NE(problem.find("feature 2 has no id"), std::string::npos) << problem;
}

// Harris (2010): Pal 5 at -0°06'41", Pal 15 at -0°32'31"; d3-celestial 0.7.35 prints +0.1114
// and +0.5419. A package that has them right already is not touched again.
TEST(SourceCorrections, RestoresTheLostSignsOnce) {
    std::vector<LocalGroupObject> objects = {
        {.id = "Palomar5", .decDeg = 0.1114}, {.id = "Palomar15", .decDeg = 0.5419},
        {.id = "Palomar14", .decDeg = 14.9578}, {.id = "Terzan5", .decDeg = 0.1114}};
    for (size_t expectedNotes : {2u, 0u}) {
        std::vector<std::string> notes;
        CorrectLocalGroupSigns(objects, notes);
        EXPECT_NEAR(objects[0].decDeg, -0.11139, 1e-4);
        EXPECT_NEAR(objects[1].decDeg, -0.54194, 1e-4);
        EXPECT_EQ(std::make_pair(objects[2].decDeg, objects[3].decDeg), std::make_pair(14.9578, 0.1114));
        EXPECT_EQ(notes.size(), expectedNotes);
    }
}

}  // namespace
}  // namespace vsp::databuild
