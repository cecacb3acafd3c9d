// Imports through to the databases: plain, gzip and over HTTP, the filters, the cap of 65535,
// and a failed import that leaves the previous database.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <fstream>

#include "platform/InfoSink.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MinorBodyImport.h"
#include "solarsystem/MpcElementLines.h"
#include "support/LocalHttpServer.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

std::string Fixture(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_TEST_DATA) + "/solarsystem/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Gzip(const std::string& text) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

class MinorBodyImport : public ::testing::Test {
protected:
    bool Import(const std::string& source, const MinorBodyImportOptions& options = {}) {
        return ImportMinorBodies(home_.Dir(), source, options, messages_, report_);
    }
    MinorBodies Load() {
        MinorBodies bodies;
        EXPECT_TRUE(LoadMinorBodies(home_.Dir(), messages_, bodies));
        return bodies;
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    MinorBodyImportReport report_;
};

// The same records, whichever way the bytes came; every field survives the record layout.
TEST_F(MinorBodyImport, PlainGzipAndHttpGiveTheSameRecords) {
    const std::string text = "Header of the file\n\n-----------\n" + Fixture("element_lines.txt");
    home_.WriteFile("plain.txt", text);
    home_.WriteFile("lines.gz", Gzip(text));
    test::LocalHttpServer server({{"/lines.gz", {200, Gzip(text)}}, {"/missing", {404, "gone"}}});
    std::vector<std::vector<MinorBodyRecord>> seen;
    for (const std::string& source : {home_.Path("plain.txt"), home_.Path("lines.gz"), server.Url("/lines.gz")}) {
        ASSERT_TRUE(Import(source)) << source;
        EXPECT_EQ(report_.rejectCount, 0) << source;
        EXPECT_EQ(report_.written[0], 5);
        EXPECT_EQ(report_.written[1], 4);
        MinorBodies bodies = Load();
        bodies.comets.insert(bodies.comets.end(), bodies.minorPlanets.begin(), bodies.minorPlanets.end());
        seen.push_back(bodies.comets);
    }
    const MinorBodyRecord& pallas = seen[2][6];
    MinorBodyRecord direct;
    std::string reason;
    ASSERT_TRUE(ReadMinorPlanetLine(Fixture("element_lines.txt").substr(203, 202), direct, reason)) << reason;
    EXPECT_EQ(MinorBodyLabel(pallas), MinorBodyLabel(direct));
    EXPECT_EQ(pallas.number, direct.number);
    EXPECT_EQ(pallas.elements.orbit.perihelionJd, direct.elements.orbit.perihelionJd);
    EXPECT_EQ(pallas.elements.slope, direct.elements.slope);
    EXPECT_TRUE(std::isnan(seen[2][7].elements.absoluteMagnitude));  // 2025 AB1 has no H
    for (size_t i = 1; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i].size(), seen[0].size());
        for (size_t j = 0; j < seen[0].size(); ++j) EXPECT_EQ(MinorBodyLabel(seen[i][j]), MinorBodyLabel(seen[0][j]));
    }
    EXPECT_FALSE(Import(server.Url("/missing")));
    EXPECT_EQ(Load().comets.size(), 5u);
}

TEST_F(MinorBodyImport, FailedImportsLeaveThePreviousDatabase) {
    home_.WriteFile("good.txt", Fixture("element_lines.txt"));
    ASSERT_TRUE(Import(home_.Path("good.txt")));
    const std::string line = Fixture("element_lines.txt").substr(0, 202);
    home_.WriteFile("damaged.txt", "-----\n" + line.substr(0, 90) + "\n" + line.substr(0, 70) + "x\n");
    const std::string gz = Gzip(Fixture("element_lines.txt"));
    home_.WriteFile("cut.gz", gz.substr(0, gz.size() / 2));
    home_.WriteFile("noends.txt", std::string(70000, 'x'));
    for (const char* name : {"damaged.txt", "cut.gz", "noends.txt", "absent.txt"})
        EXPECT_FALSE(Import(home_.Path(name))) << name;
    EXPECT_EQ(report_.rejects.size(), 0u);
    ASSERT_FALSE(Import(home_.Path("damaged.txt")));
    ASSERT_EQ(report_.rejects.size(), 2u);
    EXPECT_EQ(report_.rejects[1].line, 3);
    EXPECT_EQ(Load().comets.size(), 5u);
    EXPECT_EQ(Load().minorPlanets.size(), 4u);
    // A comet file replaces the comets only.
    MinorBodyImportOptions options;
    options.only = {"hale-bopp", "12", "2025 ab1"};
    ASSERT_TRUE(Import(home_.Path("good.txt"), options));
    const MinorBodies kept = Load();
    ASSERT_EQ(kept.comets.size(), 2u);
    EXPECT_EQ(kept.comets[1].designation, "12P");
    ASSERT_EQ(kept.minorPlanets.size(), 1u);
    options = {};
    options.kind = MinorBodyKind::Comet;
    options.brighterThan = 5.0;
    options.magnitude = [](const MinorBodyElements& e) { return e.absoluteMagnitude; };
    ASSERT_TRUE(Import(home_.Path("good.txt"), options));
    EXPECT_EQ(report_.kept[0], 3);  // the three lines of g -2.0; the two of 10.5 are fainter
    EXPECT_EQ(Load().minorPlanets.size(), 1u);
}

// Past 65535 objects the brightest stay, in their file order.
TEST_F(MinorBodyImport, OnlyTheBrightest65535AreKept) {
    const std::string ceres = Fixture("element_lines.txt").substr(0, 202);
    std::string text;
    const int total = kMaxMinorBodyRecords + 10;
    for (int i = 0; i < total; ++i) {
        std::string line = ceres;
        char h[8];
        std::snprintf(h, sizeof h, "%5.2f", i % 6553 == 6552 ? 25.0 : 20.0 - (i % 100) * 0.1 - (i == 7 ? 5 : 0));
        line.replace(8, 5, h);
        text += line + "\n";
    }
    home_.WriteFile("many.txt", text);
    ASSERT_TRUE(Import(home_.Path("many.txt")));
    EXPECT_EQ(report_.kept[1], total);
    const MinorBodies bodies = Load();
    ASSERT_EQ(bodies.minorPlanets.size(), size_t(kMaxMinorBodyRecords));
    double faintest = 0.0;
    for (const MinorBodyRecord& r : bodies.minorPlanets) faintest = std::max(faintest, r.elements.absoluteMagnitude);
    EXPECT_EQ(faintest, 20.0);  // the ten dropped are the ten of H 25
    EXPECT_DOUBLE_EQ(bodies.minorPlanets[7].elements.absoluteMagnitude, 14.3);
}

}  // namespace
}  // namespace vsp
