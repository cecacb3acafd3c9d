// finder: one PDF page per target at the paper asked for; the bright stars about M101 (Mizar,
// Alkaid: SIMBAD's J2000 places) where a tangent-plane projection of their own puts them, dark
// in poppler's rendering; the eyepiece views flip them; an unknown target fails.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
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

std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, n);
        pclose(pipe);
    }
    return text;
}

class Finder : public CatalogHomeTest {
protected:
    ProgramResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--home", home_.Root(), "--date", "2026-03-15", "--time", "22:00:00", "--tz", "0",
                                   "--lat", "48.1", "--lon", "11.6", "--json", "finder"});
        return RunVespertar(args);
    }
    static bool HasPoppler() { return std::system("command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null") == 0; }
};

TEST_F(Finder, MakesAPageForEachTargetOnThePaperAskedFor) {
    if (!HasPoppler()) GTEST_SKIP() << "poppler-utils not installed";
    const std::string three = home_.Path("three.pdf"), one = home_.Path("one.pdf");
    ASSERT_EQ(Run({"M101", "M42", "M45", "--paper", "letter", "-o", three}).status, 0);
    const std::string info = Output("pdfinfo " + three);
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
    ASSERT_EQ(Run({"NGC 188", "--landscape", "-o", one}).status, 0);
    const std::string landscape = Output("pdfinfo " + one);
    EXPECT_NE(landscape.find("Pages:           1"), std::string::npos) << landscape;
    EXPECT_NE(landscape.find("841.89 x 595.276 pts"), std::string::npos) << landscape;
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
        ASSERT_EQ(std::system(("pdftoppm -r 72 -gray -singlefile " + pdf + " " + home_.Path("m101")).c_str()), 0);
        std::ifstream pgm(home_.Path("m101.pgm"), std::ios::binary);
        std::string magic;
        int width = 0, height = 0, maximum = 0;
        pgm >> magic >> width >> height >> maximum;
        pgm.get();
        std::vector<unsigned char> grey(size_t(width) * size_t(height));
        pgm.read(reinterpret_cast<char*>(grey.data()), std::streamsize(grey.size()));
        for (const Known& star : {kMizar, kAlkaid}) {
            double xi = 0, eta = 0;
            Tangent(page["ra_hours"], page["dec_deg"], star.raHours, star.decDeg, xi, eta);
            const double x = left + side / 2 + view.east * xi * perTangent;
            const double y = top + side / 2 + view.north * eta * perTangent;
            double nearest = 1e9;
            for (const nlohmann::json& s : page["stars"])
                nearest = std::min(nearest, std::hypot(s["x"].get<double>() - x, s["y"].get<double>() - y));
            EXPECT_LT(nearest, 1.0) << star.name << " " << view.flag;
            const size_t at = size_t(std::lround(y)) * size_t(width) + size_t(std::lround(x));
            ASSERT_LT(at, grey.size());
            EXPECT_LT(grey[at], 80) << star.name << " " << view.flag;
        }
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
