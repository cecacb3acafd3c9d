#pragma once
// A test of the built program on a program directory of its own whose data/ is the catalog home
// built from the packages (a link: read only); skipped where the packages are not installed.

#include "support/CatalogHome.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {

class CatalogHomeTest : public ProgramHomeTest {
protected:
    void SetUp() override {
        LinkCatalogData(home_.Path("data"));
    }
};

}  // namespace vsp::test
