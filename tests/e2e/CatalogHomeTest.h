#pragma once
// A test of the built program on a program directory of its own whose data/ is the catalog home
// built from the packages (a link: read only); skipped where the packages are not installed.

#include <filesystem>

#include "support/CatalogHome.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {

class CatalogHomeTest : public ProgramHomeTest {
protected:
    void SetUp() override {
        const CatalogHome& built = BuiltCatalogHome();
        if (!built.missing.empty()) GTEST_SKIP() << "the catalog inputs are missing:" << built.missing;
        ASSERT_TRUE(built.problem.empty()) << built.problem;
        std::filesystem::create_directory_symlink(built.root + "data", home_.Path("data"));
    }
};

}  // namespace vsp::test
