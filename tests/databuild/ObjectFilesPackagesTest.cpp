// The deep-sky files built from the installed packages (stellarium-data, kstars-data,
// d3-celestial), checked against published facts. Skipped where the packages are absent.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "catalog/ConstellationTable.h"
#include "catalog/Designation.h"
#include "databuild/DataBuild.h"
#include "platform/ProgramDir.h"
#include "support/TempHome.h"
#include "ObjectFilesReadBack.h"

namespace vsp::databuild {
namespace {

bool PackagesPresent(const BuildOptions& options) {
    return FileExists(options.stellariumDir + "/nebulae/default/catalog.dat") &&
           FileExists(options.kstarsDir + "/OpenNGC.kscat") &&
           FileExists(DefaultD3CelestialDir() + "/data/lg.json");
}

std::string ConstellationOf(const ObjectRecord& record) {
    const ConstellationEntry* entry = ConstellationAt(record.constellation);
    return entry ? std::string(ConstellationName(*entry)) : "?";
}

TEST(ObjectFilesFromPackages, HoldPublishedObjects) {
    test::TempHome home;
    BuildOptions options;
    options.dataDir = home.Path("data/");
    if (!PackagesPresent(options)) GTEST_SKIP() << "stellarium-data, kstars-data or d3-celestial not installed";
    ASSERT_TRUE(MakeDirectory(options.dataDir));
    BuildReport report;
    ASSERT_EQ(BuildObjectFiles(options, report), 1) << report.problem;

    test::ObjectFilesReadBack files(home.Dir());
    ASSERT_EQ(files.Open(), 1);
    EXPECT_GE(files.objects.RecordCount(), 18000);
    EXPECT_EQ(files.objects.Version(), kObjectFileVersion);

    // M31 = NGC 224, 0h42m44.3s +41°16′09″ (J2000), in Andromeda.
    const int32_t m31 = files.Find(kCatalogMessier, 31);
    ASSERT_GE(m31, 0);
    const ObjectRecord andromeda = files.Record(m31);
    EXPECT_EQ(andromeda.catalog, kCatalogNgc);
    EXPECT_EQ(andromeda.number, 224);
    EXPECT_EQ(ConstellationOf(andromeda), "Andromeda");
    EXPECT_NEAR(andromeda.ra * 60.0, 42.0 + 44.3 / 60.0, 0.05);  // minutes of time
    EXPECT_NEAR(andromeda.dec, 41.0 + 16.0 / 60.0 + 9.0 / 3600.0, 1.0 / 60.0);
    EXPECT_NEAR(andromeda.magnitude, 3.4, 0.3);
    EXPECT_EQ(files.Find(kCatalogNgc, 224) >= 0, true);
    EXPECT_EQ(files.Record(files.Find(kCatalogNgc, 224)).link, m31);
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 224).name, "Andromeda Galaxy");

    // C14 is the Double Cluster, NGC 869 and NGC 884 in Perseus.
    const int32_t c14 = files.Find(kCatalogCaldwell, 14);
    ASSERT_GE(c14, 0);
    EXPECT_EQ(files.Record(c14).number, 869);
    EXPECT_EQ(ConstellationOf(files.Record(c14)), "Perseus");
    const test::CrossRefAnswer doubleCluster = files.CrossRef(kCatalogCaldwell, 14);
    EXPECT_EQ(doubleCluster.name, "Double Cluster");
    ASSERT_GE(doubleCluster.others.size(), 2u);
    EXPECT_EQ(doubleCluster.others[0], std::make_pair(int32_t(kCatalogNgc), 869));
    EXPECT_EQ(doubleCluster.others[1], std::make_pair(int32_t(kCatalogNgc), 884));

    // NGC 7000, the North America Nebula in Cygnus, is C20.
    const int32_t ngc7000 = files.Find(kCatalogNgc, 7000);
    ASSERT_GE(ngc7000, 0);
    EXPECT_EQ(ConstellationOf(files.Record(ngc7000)), "Cygnus");
    EXPECT_EQ(files.CrossRef(kCatalogNgc, 7000).name, "North America Nebula");
    EXPECT_EQ(files.Record(files.Find(kCatalogCaldwell, 20)).number, 7000);

    // The Messier list: M8 is NGC 6523 (the Lagoon), M45 the Pleiades (Mel 22), M102 NGC 5866.
    EXPECT_EQ(files.Record(files.Find(kCatalogMessier, 8)).number, 6523);
    const ObjectRecord pleiades = files.Record(files.Find(kCatalogMessier, 45));
    EXPECT_EQ(CatalogDesignation(files.catalogs, pleiades.catalog, pleiades.number), "Mel22");
    EXPECT_EQ(files.Record(files.Find(kCatalogMessier, 102)).number, 5866);
    for (int32_t n = 1; n <= kMessierCount; ++n) EXPECT_GE(files.Find(kCatalogMessier, n), 0) << "M" << n;
    for (int32_t n = 1; n <= kCaldwellCount; ++n) EXPECT_GE(files.Find(kCatalogCaldwell, n), 0) << "C" << n;
    // Sh2-155 (the Cave Nebula) and Barnard 33 (the Horsehead) by number.
    EXPECT_GE(files.Find(52, 155), 0);
    EXPECT_EQ(ConstellationOf(files.Record(files.Find(2, 33))), "Orion");
}

}  // namespace
}  // namespace vsp::databuild
