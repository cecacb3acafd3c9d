// finder: one PDF page per target at the paper asked for; the bright stars about M101 (Mizar,
// Alkaid: SIMBAD's J2000 places) where a tangent-plane projection of their own puts them, dark
// in poppler's rendering; the eyepiece views flip them and M31's outline along its position
// angle; the observing list's entries each a page; an unknown target fails.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "support/Netpbm.h"
#include "support/RunProgram.h"

namespace vsp::test {
namespace {

struct Known {
    const char* name;
    double raHours, decDeg;
};
constexpr Known kMizar{"Mizar", 13.0 + 23.0 / 60 + 55.54 / 3600, 54.0 + 55.0 / 60 + 31.3 / 3600};
constexpr Known kAlkaid{"Alkaid", 13.0 + 47.0 / 60 + 32.44 / 3600, 49.0 + 18.0 / 60 + 47.8 / 3600};

// Standard coordinates (east, north) from unit vectors: the place's vector over its component
// along the centre's.
void Tangent(double ra0, double dec0, double ra, double dec, double& xi, double& eta) {
    const double d = M_PI / 180.0;
    const double c[3] = {std::cos(dec0 * d) * std::cos(ra0 * 15 * d), std::cos(dec0 * d) * std::sin(ra0 * 15 * d),
                         std::sin(dec0 * d)};
    const double p[3] = {std::cos(dec * d) * std::cos(ra * 15 * d), std::cos(dec * d) * std::sin(ra * 15 * d),
                         std::sin(dec * d)};
    const double east[3] = {-std::sin(ra0 * 15 * d), std::cos(ra0 * 15 * d), 0.0};
    const double north[3] = {-std::sin(dec0 * d) * std::cos(ra0 * 15 * d), -std::sin(dec0 * d) * std::sin(ra0 * 15 * d),
                             std::cos(dec0 * d)};
    const double along = c[0] * p[0] + c[1] * p[1] + c[2] * p[2];
    xi = (east[0] * p[0] + east[1] * p[1]) / along;
    eta = (north[0] * p[0] + north[1] * p[1] + north[2] * p[2]) / along;
}

class Finder : public CatalogHomeTest {
protected:
    ProgramResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--home", home_.Root(), "--date", "2026-03-15", "--time", "22:00:00", "--tz", "0",
                                   "--lat", "48.1", "--lon", "11.6", "--json", "finder"});
        return RunVespertar(args);
    }
};

TEST_F(Finder, MakesAPageForEachTargetOnThePaperAskedFor) {
    if (!HasPoppler()) GTEST_SKIP() << "poppler-utils not installed";
    const std::string three = home_.Path("three.pdf"), one = home_.Path("one.pdf");
    ASSERT_EQ(Run({"M101", "M42", "M45", "--paper", "letter", "-o", three}).status, 0);
    const std::string info = CommandOutput("pdfinfo " + three);
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
    ASSERT_EQ(Run({"NGC 188", "--landscape", "-o", one}).status, 0);
    const std::string landscape = CommandOutput("pdfinfo " + one);
    EXPECT_NE(landscape.find("Pages:           1"), std::string::npos) << landscape;
    EXPECT_NE(landscape.find("841.89 x 595.276 pts"), std::string::npos) << landscape;
    // A PNG is the whole A4 sheet, margins included, at 144 dpi: its header's width and height.
    const std::string png = home_.Path("one.png");
    ASSERT_EQ(Run({"M101", "-o", png}).status, 0);
    std::ifstream in(png, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    const auto word = [&](int at) { return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]; };
    EXPECT_EQ(word(16), 1191);  // 210 mm
    EXPECT_EQ(word(20), 1684);  // 297 mm
}

TEST_F(Finder, PutsTheBrightStarsWhereTheTangentPlaneDoesAndFlipsThemForTheEyepiece) {
    if (!HasPoppler()) GTEST_SKIP() << "poppler-utils not installed";
    struct View {
        const char* flag;
        int east, north;  // page x per east, page y per north
    };
    for (const View view : {View{"", -1, -1}, View{"--mirrored", 1, -1}, View{"--inverted", 1, 1}}) {
        const std::string pdf = home_.Path(std::string("m101") + view.flag + ".pdf");
        std::vector<std::string> args = {"M101", "--fov", "15", "-o", pdf};
        if (*view.flag) args.push_back(view.flag);
        const ProgramResult r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json page = nlohmann::json::parse(r.out)["pages"][0];
        const double side = page["chart"]["side"], left = page["chart"]["left"], top = page["chart"]["top"];
        const double perTangent = side / 2 / std::tan(7.5 * M_PI / 180.0);
        const NetpbmImage grey = RenderFirstPage(pdf, 72, true, home_.Path("m101"));
        ASSERT_EQ(grey.channels, 1);
        for (const Known& star : {kMizar, kAlkaid}) {
            double xi = 0, eta = 0;
            Tangent(page["ra_hours"], page["dec_deg"], star.raHours, star.decDeg, xi, eta);
            const double x = left + side / 2 + view.east * xi * perTangent;
            const double y = top + side / 2 + view.north * eta * perTangent;
            double nearest = 1e9;
            for (const nlohmann::json& s : page["stars"])
                nearest = std::min(nearest, std::hypot(s["x"].get<double>() - x, s["y"].get<double>() - y));
            EXPECT_LT(nearest, 1.0) << star.name << " " << view.flag;
            const int px = int(std::lround(x)), py = int(std::lround(y));
            ASSERT_TRUE(px >= 0 && py >= 0 && px < grey.width && py < grey.height);
            EXPECT_LT(grey.Grey(px, py), 80) << star.name << " " << view.flag;
        }
    }
}

TEST_F(Finder, MakesAPageForEachEntryOfTheObservingListAndRefusesAnEmptyList) {
    const std::string pdf = home_.Path("list.pdf");
    const ProgramResult empty = Run({"--list", "-o", pdf});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("The list is empty."), std::string::npos) << empty.err;
    EXPECT_FALSE(std::ifstream(pdf).good());
    ASSERT_EQ(RunVespertar({"--home", home_.Root(), "list", "add", "M31", "NGC 7000", "Vega"}).status, 0);
    const ProgramResult r = Run({"--list", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json pages = nlohmann::json::parse(r.out)["pages"];
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NEAR(pages[2]["dec_deg"].get<double>(), 38.784, 0.03);  // Vega, SIMBAD J2000
    if (HasPoppler()) {
        EXPECT_NE(CommandOutput("pdfinfo " + pdf).find("Pages:           3"), std::string::npos);
    }
}

// M31's outline: its long axis at the position angle (RC3: 35 degrees from north through east),
// read off the outline's ink far from the middle, where only the ends of the long axis reach.
TEST_F(Finder, DrawsAGalaxyOutlineAlongItsPositionAngleInEachView) {
    if (!HasPoppler()) GTEST_SKIP() << "poppler-utils not installed";
    constexpr double kPositionAngle = 35.0 * M_PI / 180.0, kSemiMajorDeg = 95.0 / 60.0;
    for (const char* flag : {"", "--mirrored", "--inverted"}) {
        const std::string pdf = home_.Path(std::string("m31") + flag + ".pdf");
        std::vector<std::string> args = {"M31", "--fov", "5", "-o", pdf};
        if (*flag) args.push_back(flag);
        const ProgramResult r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json page = nlohmann::json::parse(r.out)["pages"][0];
        const double side = page["chart"]["side"], cx = page["chart"]["left"].get<double>() + side / 2,
                     cy = page["chart"]["top"].get<double>() + side / 2;
        const double reach = kSemiMajorDeg * page["points_per_degree"].get<double>();
        const NetpbmImage image = RenderFirstPage(pdf, 72, false, home_.Path("m31"));
        ASSERT_EQ(image.channels, 3);
        // The deep-sky ink is the one blue on the page; the doubled angle averages a line's two ends.
        double c2 = 0, s2 = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const unsigned char* p = image.At(x, y);
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
                if (p[2] - p[0] < 15 || d < 0.7 * reach || d > 1.1 * reach) continue;
                c2 += std::cos(2 * std::atan2(dy, dx)), s2 += std::sin(2 * std::atan2(dy, dx));
            }
        }
        ASSERT_GT(std::hypot(c2, s2), 10.0) << flag;
        // North up and east left as the sky shows it; a diagonal swaps east, a straight eyepiece both.
        const double east = *flag ? 1 : -1, north = std::string(flag) == "--inverted" ? 1 : -1;
        const double expected = std::atan2(north * std::cos(kPositionAngle), east * std::sin(kPositionAngle));
        EXPECT_NEAR(std::remainder(std::atan2(s2, c2) / 2 - expected, M_PI) * 180 / M_PI, 0.0, 3.0) << flag;
    }
}

TEST_F(Finder, RefusesAnUnknownTargetAndWritesNothing) {
    const std::string pdf = home_.Path("none.pdf");
    const ProgramResult r = Run({"M999", "-o", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Messier list runs from 1 to 110"), std::string::npos) << r.err;
    EXPECT_FALSE(std::ifstream(pdf).good());
    EXPECT_EQ(Run({"M101", "M42", "-o", home_.Path("two.svg")}).status, 2);
}

}  // namespace
}  // namespace vsp::test
