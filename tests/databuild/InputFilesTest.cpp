// Reading the packages: a gzip stream cut short, and where the d3-celestial package is found.

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "BuildInputs.h"
#include "databuild/DataBuild.h"
#include "databuild/InputFiles.h"
#include "support/TempHome.h"

namespace vsp::databuild {
namespace {

TEST(InputFiles, GzipCutInTheMiddleOfItsCompressedBytesStopsTheBuild) {
    test::TempHome home;
    std::string text;
    for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 100003) + "\t\t1\t2\t" + std::to_string(i) + "\n";
    const std::string whole = home.Path("whole.gz");
    test::WriteGzip(whole, text);
    std::string read, problem;
    ASSERT_TRUE(ReadWholeFile(whole, read, problem)) << problem;
    EXPECT_EQ(read, text);

    const std::string compressed = home.ReadFile("whole.gz");
    home.WriteFile("stellarium/stars/default/cross-id.dat", compressed.substr(0, compressed.size() / 2));
    BuildOptions options;
    options.dataDir = home.Path("data/");
    options.stellariumDir = home.Path("stellarium");
    options.d3CelestialDir = home.Path("d3");
    BuildReport report;
    EXPECT_FALSE(DataBuild(options, report));
    EXPECT_NE(report.problem.find("cross-id.dat: damaged or cut short"), std::string::npos) << report.problem;
}

TEST(InputFiles, D3CelestialFromTheOptionThenTheEnvironmentThenBesideTheProgram) {
    std::string dir, problem;
    ::setenv("VESPERTAR_D3CELESTIAL", "/from/environment", 1);
    ASSERT_TRUE(FindD3Celestial("/given", dir, problem));
    EXPECT_EQ(dir, "/given");
    ASSERT_TRUE(FindD3Celestial("", dir, problem));
    EXPECT_EQ(dir, "/from/environment");
    ::unsetenv("VESPERTAR_D3CELESTIAL");
    // The test program lies in the build tree, where `npm ci` puts nothing.
    const auto beside = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    EXPECT_FALSE(FindD3Celestial("", dir, problem));
    EXPECT_NE(problem.find((beside / "databuild/node_modules/d3-celestial").string()), std::string::npos) << problem;
}

}  // namespace
}  // namespace vsp::databuild
