// Every form of the form table opens in `screen` on the built catalogs, the Monitor's setting on,
// without a box that calls it unfinished: no dead end is left in the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The polar assistant and a checklist page at work: the pole star's lines, and a tap on an item
// that ticks it in the checklist file.
TEST_F(FormTableScreen, PolarAssistantAndChecklistWork) {
    if (IsSkipped() || HasFatalFailure()) return;
    const auto visibleTexts = [](const nlohmann::json& screen, const std::string& kind) {
        std::vector<std::string> texts;
        for (const nlohmann::json& c : screen["controls"])
            if (c["visible"] == true && (kind.empty() || c["kind"] == kind)) texts.push_back(c["text"]);
        return texts;
    };
    const auto polar = visibleTexts(Json({"--lat", "-30", "screen", "2470"}), "");
    EXPECT_NE(std::find_if(polar.begin(), polar.end(),
                           [](const std::string& t) { return t.rfind("sigma Octantis hour angle: ", 0) == 0; }),
              polar.end());
    const auto boxes = visibleTexts(Json({"screen", "2200", "--tap", "22,36"}), "checkbox");
    ASSERT_FALSE(boxes.empty());
    const nlohmann::json page = Json({"checklist", "show", "--page", "1"})["pages"][0]["items"];
    EXPECT_EQ(page[0]["text"], boxes[0]);
    EXPECT_EQ(page[0]["ticked"], true);
}

}  // namespace
}  // namespace vsp::test
