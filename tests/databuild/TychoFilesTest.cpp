// The Tycho step: Tycho-2 lines in the CDS I/259 column layout, built and read back through
// the star catalog's Tycho lookup and its region index.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "catalog/Designation.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "databuild/TychoFiles.h"
#include "BuildInputs.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::WriteGzip;
using Value = std::optional<double>;

// A whole tyc2.dat record, all 31 fields (TYC 1-8-1); the other main lines are this one with fields
// replaced, so they keep its columns.
const std::string kVerbatim =
    "0001 00008 1| |  2.31750494|  2.23184345|  -16.3|   -9.0| 68| 73| 1.7| 1.8|1958.89|1951.94| 4|1.0|1.0|"
    "0.9|1.0|12.146|0.158|12.146|0.223|999| |         |  2.31754222|  2.23186444|1.67|1.54| 88.0|100.8| |-0.2";

// Bytes first..last (1-based) right-aligned with `decimals` (zero-filled with `zeros`), blank
// when there is no value.
struct Field {
    int first, last;
    Value value;
    int decimals = 0, zeros = 0;
};
std::string Filled(std::string line, std::initializer_list<Field> fields) {
    for (const Field& f : fields) {
        const size_t width = size_t(f.last - f.first + 1);
        char text[32] = "";
        if (f.value) std::snprintf(text, sizeof text, f.zeros ? "%0*.*f" : "%*.*f", int(width), f.decimals, *f.value);
        line.replace(size_t(f.first - 1), width, std::string(width - std::strlen(text), ' ') + text);
    }
    return line;
}

std::string MainLine(int region, int within, int component, Value meanRa, Value meanDec, double ra, double dec,
                     Value bt, Value vt) {
    std::string line = Filled(kVerbatim, {{1, 4, region, 0, 1}, {6, 10, within, 0, 1}, {12, 12, component}, {16, 27, meanRa, 8},
                                          {29, 40, meanDec, 8}, {111, 116, bt, 3}, {124, 129, vt, 3}, {153, 164, ra, 8},
                                          {166, 177, dec, 8}});
    line[13] = meanRa ? ' ' : 'X';  // pflag
    return line;
}

// suppl_1.dat: position at J1991.25, proper motion (mas/yr), mflag, BT, VT.
std::string SupplementLine(int region, int within, double ra, double dec, Value pmRa, Value pmDec, char mflag,
                           Value bt, Value vt) {
    std::string line(122, ' ');
    for (int bar : {13, 15, 28, 41, 49, 57, 63, 69, 75, 81, 83, 90, 96, 103, 109, 113, 115}) line[size_t(bar - 1)] = '|';
    line = Filled(line, {{1, 4, region, 0, 1}, {6, 10, within, 0, 1}, {12, 12, 1}, {16, 27, ra, 8}, {29, 40, dec, 8},
                         {42, 48, pmRa, 1}, {50, 56, pmDec, 1}, {84, 89, bt, 3}, {97, 102, vt, 3}});
    line[13] = mflag == 'H' ? 'H' : 'T';
    line[81] = mflag;
    return line;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class TychoFiles : public testing::Test {
protected:
    TychoFiles() {
        MakeDirectory(options_.dataDir = home_.Path("data/"));
        MakeDirectory(options_.tycho2Dir = home_.Path("tycho2"));
    }
    std::optional<StarRecord> Lookup(const std::string& tyc) {
        int32_t number = 0;
        StarRecord star;
        if (!TychoTextToNumber(tyc, number) || !stars_.StarByTycho(number, star)) return std::nullopt;
        return star;
    }
    // The star `tyc` decodes to these bytes: RA h m s, Dec d ' " (each signed), V x 16, B-V tenths.
    void ExpectStar(const std::string& tyc, std::array<int, 8> b) {
        const auto got = Lookup(tyc);
        ASSERT_TRUE(got) << tyc;
        StarEntry want{.raHours = int8_t(b[0]), .raMinutes = int8_t(b[1]), .raSeconds = int8_t(b[2]),
                       .decDegrees = int8_t(b[3]), .decMinutes = int8_t(b[4]), .decSeconds = int8_t(b[5])};
        EXPECT_EQ(std::make_tuple(got->ra, got->dec, int(got->magnitude), int(got->colour)),
                  std::make_tuple(StarEntryRa(want), StarEntryDec(want), b[6], b[7])) << tyc;
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
    databuild::BuildOptions options_;
    databuild::BuildReport report_;
};

// Columns, the published V and B-V, pflag X, other components, the supplement's epoch, parts.
TEST_F(TychoFiles, StarsReadBackByTychoNumber) {
    WriteGzip(options_.tycho2Dir + "/tyc2.dat.00.gz",
              Lines({kVerbatim, MainLine(4660, 1234, 1, 250.0, -0.5, 250.1, -0.6, 9.543, 8.962),
                     MainLine(4660, 1234, 2, 250.2, -0.9, 250.2, -0.9, 6.0, 6.0),  // component 2: left out
                     MainLine(4660, 77, 1, {}, {}, 250.5, -1.25, 11.720, 10.105),  // pflag X
                     MainLine(9000, 5, 1, 320.0, -70.123, 320.0, -70.123, 12.5, {})}));
    for (int part = 1; part < 20; ++part)
        home_.WriteFile("tycho2/tyc2.dat." + std::string(part < 10 ? "0" : "") + std::to_string(part), "");
    // Sirius: Hipparcos position at J1991.25 and proper motion, Hp in the VT column; the last
    // line without its end.
    WriteGzip(options_.tycho2Dir + "/suppl_1.dat.gz",
              Lines({SupplementLine(5949, 2777, 101.28854105, -16.71314306, -546.0, -1223.1, 'H', {}, -1.088)}) +
                  SupplementLine(5949, 10, 100.0, -16.0, {}, {}, ' ', 7.0, 6.5));
    ASSERT_TRUE(databuild::BuildTychoFiles(options_, report_)) << report_.problem;

    for (int row : {5, 6}) {  // Tycho 390K, Tycho 2.5 Million
        ASSERT_EQ(stars_.OpenExtendedCatalog(row), 1) << row;
        // 2.31750494 deg = 556.20 s; 2.23184345 deg = 8034.6"; V = 12.146 (x16 = 194.3)
        ExpectStar("1-8-1", {0, 9, 16, 2, 13, 55, 194, 0});
        // V = 8.962 - 0.09 x 0.581 = 8.90971 (x16 = 142.56); B-V = 0.85 x 0.581 = 0.494
        ExpectStar("4660-1234-1", {16, 40, 0, 0, -30, 0, 143, 5});
        // V = 10.105 - 0.09 x 1.615 = 9.960 (x16 = 159.4); B-V = 1.373
        ExpectStar("4660-77-1", {16, 42, 0, -1, -15, 0, 159, 14});
        ExpectStar("9000-5-1", {21, 20, 0, -70, -7, -23, 200, 0});  // -70 deg 07' 22.8"
        // J2000 6h45m08.92s -16 deg 42' 58.0" (SIMBAD); V -1.09 stored as 0
        ExpectStar("5949-2777-1", {6, 45, 9, -16, -42, -58, 0, 0});
        ExpectStar("5949-10-1", {6, 40, 0, -16, 0, 0, 103, 4});  // V 6.455, B-V 0.425
    }
    EXPECT_TRUE(messages_.messages.empty());
}

// Stars, preferred entries -> entries, blocks the reader's rule gives back.
TEST(TychoBlockLayout, ReaderRuleHolds) {
    const std::pair<int64_t, std::array<int, 3>> cases[] = {
        {393246, {42, 42, 9363}}, {2496560, {80, 80, 31207}}, {6, {80, 42, 1}}, {32000, {42, 80, 596}}};
    for (const auto& [stars, c] : cases) {
        const auto layout = databuild::TychoBlockLayoutFor(stars, c[0]);
        EXPECT_EQ(std::make_pair(layout.entries, layout.blocks), std::make_pair(c[1], c[2])) << stars;
    }
}

// Interleaved regions, many stars on one declination so that blocks start inside runs of
// equal keys: every star is found through the region index.
TEST_F(TychoFiles, EveryStarFoundAcrossManyBlocks) {
    std::string text;
    // The declination search never answers block 0: its stars lie in a region not looked up.
    for (int i = 0; i < 100; ++i)
        text += Lines({MainLine(9537, i + 1, 1, i * 3.6, -89.9, i * 3.6, -89.9, 10.0, 10.0)});
    std::map<std::string, double> decOf;
    for (int region = 1; region <= 40; ++region) {
        for (int k = 0; k < 60; ++k) {
            const double ra = (region - 1) * 9.0 + k * 0.1;
            const double dec = -10.0 + region * 0.05 + (k % 30) * 20.0 / 3600.0;  // bands overlap
            text += Lines({MainLine(region, k + 1, 1, ra, dec, ra, dec, 8.3 + k % 7 * 0.5, 8.0 + k % 7 * 0.5)});
            decOf[std::to_string(region) + "-" + std::to_string(k + 1)] = dec;
        }
    }
    home_.WriteFile("tycho2/tyc2.dat", text);
    ASSERT_TRUE(databuild::BuildTychoFiles(options_, report_)) << report_.problem;
    const std::string built =
        home_.ReadFile("data/vespertar_tycho_2500k.ppc") + home_.ReadFile("data/vespertar_tycho_idx.ppc");

    for (int row : {5, 6}) {
        ASSERT_EQ(stars_.OpenExtendedCatalog(row), 1);
        for (const auto& [tyc, dec] : decOf) {
            const auto star = Lookup(tyc);
            EXPECT_TRUE(star && std::abs(star->dec / 292817.65851827303 - dec) < 1.0 / 3600) << tyc;
        }
    }
    // A rebuild gives equal bytes; a bad line stops with its place and keeps the files.
    ASSERT_TRUE(databuild::BuildTychoFiles(options_, report_));
    home_.WriteFile("tycho2/tyc2.dat", Lines({kVerbatim, "0001 00009 1| |  not a number"}));
    EXPECT_FALSE(databuild::BuildTychoFiles(options_, report_));
    EXPECT_NE(report_.problem.find("tyc2.dat line 2"), std::string::npos) << report_.problem;
    EXPECT_EQ(home_.ReadFile("data/vespertar_tycho_2500k.ppc") + home_.ReadFile("data/vespertar_tycho_idx.ppc"), built);
}

}  // namespace
}  // namespace vsp
