// Every form of the form table opens in `screen` on the built catalogs, the Monitor's setting on,
// without a box that calls it unfinished: no dead end is left in the window.
#include <gtest/gtest.h>

#include <string>

#include "e2e/CatalogHomeTest.h"
#include "shell/FormTable.h"

namespace vsp::test {
namespace {

class FormTableScreen : public CatalogHomeTest {};

TEST_F(FormTableScreen, EveryFormOpensWithoutABoxOfUnfinishedWork) {
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(Run({"prefs", "set", "monitor_form=1"}).status, 0);
    for (const FormTableEntry& entry : FormTableEntries()) {
        SCOPED_TRACE(entry.id);
        const nlohmann::json screen = Json({"screen", std::to_string(entry.id)});
        EXPECT_EQ(screen["form"], entry.id);
        for (const nlohmann::json& box : screen["info_boxes"]) {
            const std::string text = box["first"].get<std::string>() + "\n" + box["second"].get<std::string>();
            EXPECT_EQ(text.find("not done"), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace vsp::test
