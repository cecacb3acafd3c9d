// `chart -o FILE.svg` and `-o FILE.pdf`: the SVG parses as XML and holds a disc at every star
// the chart placed (the places `chart --json` reports for the PNG); the PDF opens in poppler
// with the page asked for, and its rendering is lit where the bright stars are.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include "e2e/CatalogHomeTest.h"
#include "support/Netpbm.h"
#include "support/RunProgram.h"

namespace vsp::test {
namespace {

struct Box {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};

// The boxes about every sub-path's points of every <path>: a disc's Bezier points lie
// symmetrically about its centre.
std::vector<Box> SubPathBoxes(const pugi::xml_document& svg) {
    std::vector<Box> boxes;
    const std::regex number(R"(-?[0-9]+(\.[0-9]+)?)");
    for (const pugi::xpath_node& node : svg.select_nodes("//*[local-name()='path']")) {
        std::string d = node.node().attribute("d").value();
        std::stringstream parts(std::regex_replace(d, std::regex("M"), "\n"));
        for (std::string part; std::getline(parts, part);) {
            std::vector<double> v;
            for (std::sregex_iterator i(part.begin(), part.end(), number), end; i != end; ++i) v.push_back(std::stod(i->str()));
            if (v.size() < 4) continue;
            Box b;
            for (size_t k = 0; k + 1 < v.size(); k += 2) {
                b.left = std::min(b.left, v[k]), b.right = std::max(b.right, v[k]);
                b.top = std::min(b.top, v[k + 1]), b.bottom = std::max(b.bottom, v[k + 1]);
            }
            boxes.push_back(b);
        }
    }
    return boxes;
}

bool HasDiscAt(const std::vector<Box>& boxes, double x, double y) {
    for (const Box& b : boxes) {
        if (b.right - b.left > 14) continue;
        if (std::hypot((b.left + b.right) / 2 - x, (b.top + b.bottom) / 2 - y) <= 1.0) return true;
    }
    return false;
}

class ChartVector : public CatalogHomeTest {
protected:
    // --json as the first of `args` asks for the placed list.
    ProgramResult Chart(std::vector<std::string> args) const {
        args.insert(args.begin() + (!args.empty() && args[0] == "--json"),
                    {"--home", home_.Root(), "--date", "2026-01-15", "--time", "21:00:00", "--tz", "0", "--lat", "48.1",
                     "--lon", "11.6", "chart"});
        return RunVespertar(args);
    }
};

TEST_F(ChartVector, SvgHoldsADiscAtEveryPlacedStarOfEachCentredAndHorizontalChart) {
    for (const char* type : {"0", "2", "4"}) {
        const std::string svg = home_.Path(std::string("sky") + type + ".svg");
        const ProgramResult r = Chart({"--json", "--type", type, "--zoom", "4", "-o", svg});
        ASSERT_EQ(r.status, 0) << r.err;
        pugi::xml_document document;
        ASSERT_TRUE(document.load_file(svg.c_str())) << type;
        const std::vector<Box> boxes = SubPathBoxes(document);
        int stars = 0, found = 0;
        const nlohmann::json chart = nlohmann::json::parse(r.out);
        for (const nlohmann::json& p : chart["placed"]) {
            if (p["kind"] != "bright_star" && p["kind"] != "star") continue;
            ++stars;
            // The PNG's pixel (x, y) is the square from (x, y) to (x + 1, y + 1).
            found += HasDiscAt(boxes, p["x"].get<int>() + 0.5, p["y"].get<int>() + 0.5);
        }
        EXPECT_GT(stars, 100) << type;
        EXPECT_EQ(found, stars) << "chart type " << type;
    }
}

// cairo draws SVG text as outlines; the names and information lines are there as invisible
// <text> too, for a viewer to select and search: an object's name just beside the object.
TEST_F(ChartVector, SvgCarriesEachNameAndInformationLineAsInvisibleTextBesideWhatItNames) {
    const std::string svg = home_.Path("named.svg");
    const ProgramResult r = Chart({"--json", "--type", "2", "--zoom", "3", "-o", svg});
    ASSERT_EQ(r.status, 0) << r.err;
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(svg.c_str()));
    struct Text {
        std::string content;
        double x, y;
    };
    std::vector<Text> texts;
    for (const pugi::xpath_node& node : document.select_nodes("//*[local-name()='text']")) {
        texts.push_back({node.node().text().get(), node.node().attribute("x").as_double(), node.node().attribute("y").as_double()});
        EXPECT_EQ(std::string(node.node().parent().attribute("fill-opacity").value()), "0");
    }
    const auto has = [&](const std::string& content, double x, double y, double reach) {
        return std::any_of(texts.begin(), texts.end(), [&](const Text& t) {
            return t.content == content && std::abs(t.x - x) <= reach && std::abs(t.y - y) <= reach;
        });
    };
    const nlohmann::json chart = nlohmann::json::parse(r.out);
    for (const nlohmann::json& line : chart["info_lines"]) EXPECT_TRUE(has(line, 0, 0, 1e9)) << line;
    EXPECT_FALSE(chart["info_lines"].empty());
    // Most names sit below the object's right (the text's baseline start here); some turn left
    // of it or give way to a neighbour.
    int named = 0, found = 0;
    for (const nlohmann::json& p : chart["placed"]) {
        if (p["kind"] != "object" || p["name"] == "") continue;
        ++named;
        found += has(p["name"], p["x"].get<double>() + 10, p["y"].get<double>() + 11, 7);
    }
    EXPECT_GE(found, 40) << named;
}

TEST_F(ChartVector, PdfOpensInPopplerWithThePageAskedForAndRendersTheStarsWhereTheChartPlacedThem) {
    if (!HasPoppler()) GTEST_SKIP() << "poppler-utils not installed";
    const std::string a4 = home_.Path("a4.pdf"), sized = home_.Path("sized.pdf");
    ASSERT_EQ(Chart({"--type", "2", "--paper", "a4", "--landscape", "-o", a4}).status, 0);
    const std::string info = CommandOutput("pdfinfo " + a4);
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("841.89 x 595.276 pts"), std::string::npos) << info;

    const ProgramResult r = Chart({"--json", "--type", "2", "--size", "600x500", "-o", sized});
    ASSERT_EQ(r.status, 0) << r.err;
    // At 72 dpi one PDF point, which is one chart pixel here, is one rendered pixel.
    const NetpbmImage page = RenderFirstPage(sized, 72, false, home_.Path("sized"));
    ASSERT_EQ(page.channels, 3);
    ASSERT_EQ(page.width, 600);
    ASSERT_EQ(page.height, 500);
    int bright = 0, lit = 0;
    const nlohmann::json chart = nlohmann::json::parse(r.out);
    for (const nlohmann::json& p : chart["placed"]) {
        if (p["kind"] != "bright_star") continue;
        ++bright;
        const int x = p["x"], y = p["y"];
        int best = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) best = std::max(best, page.Grey(x + dx, y + dy));
        lit += best > 60;  // the faintest dots are dim grey on the black sky
    }
    EXPECT_GT(bright, 300);
    EXPECT_GE(lit, bright * 95 / 100);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A write cut short (here by a file-size limit, the signal ignored so that write() fails with
// EFBIG as on a full disk) fails with the message and keeps the earlier chart whole.
TEST_F(ChartVector, AWriteCutShortKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    const std::string folder = home_.Path("cut"), pdf = folder + "/sky.pdf";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(Chart({"--type", "2", "-o", pdf}).status, 0);
    const std::string before = FileBytes(pdf);
    ASSERT_GT(before.size(), 20000u);
    const std::string command = "trap '' XFSZ; ulimit -f 16; '" + std::string(VespertarPath()) + "' --home '" +
                                home_.Root() + "' --date 2026-01-15 --time 21:00:00 --tz 0 --lat 48.1 --lon 11.6 " +
                                "chart --type 0 -o '" + pdf + "' 2>'" + folder + "/err'";
    EXPECT_NE(std::system(("bash -c \"" + command + "\"").c_str()), 0);
    EXPECT_NE(FileBytes(folder + "/err").find("Cannot write " + pdf), std::string::npos) << FileBytes(folder + "/err");
    EXPECT_EQ(FileBytes(pdf), before);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 2);  // the chart and the captured message
}

}  // namespace
}  // namespace vsp::test
