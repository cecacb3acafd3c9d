#pragma once
// Inputs of the builder's tests: files gzip'd the way the catalog packages ship theirs, and the
// installed packages (stellarium-data, kstars-data, d3-celestial that `npm ci` puts in databuild/).

#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <zlib.h>

#include "databuild/DataBuild.h"

namespace vsp::test {

inline void WriteGzip(const std::string& path, std::string_view bytes) {
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    EXPECT_EQ(gzwrite(file, bytes.data(), unsigned(bytes.size())), int(bytes.size())) << path;
    EXPECT_EQ(gzclose(file), Z_OK) << path;
}

// False when a package is missing; the options then point at the installed ones.
inline bool InstalledPackages(databuild::BuildOptions& options) {
    options.d3CelestialDir = std::string(VESPERTAR_SOURCE_DIR) + "/databuild/node_modules/d3-celestial";
    return std::filesystem::exists(options.d3CelestialDir + "/data/stars.14.json") &&
           std::filesystem::exists(options.stellariumDir + "/nebulae/default/catalog.dat") &&
           std::filesystem::exists(options.kstarsDir + "/OpenNGC.kscat");
}

}  // namespace vsp::test
