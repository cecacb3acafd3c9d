#pragma once
// Writing a test input the way the catalog packages ship theirs: gzip'd.

#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <zlib.h>

namespace vsp::test {

inline void WriteGzip(const std::string& path, std::string_view bytes) {
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    EXPECT_EQ(gzwrite(file, bytes.data(), unsigned(bytes.size())), int(bytes.size())) << path;
    EXPECT_EQ(gzclose(file), Z_OK) << path;
}

}  // namespace vsp::test
