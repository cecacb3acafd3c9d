// The chart's pictures in every style: pure reds at night, sprites that change only the pixels
// of their ink, star discs that shrink with the size index, and the Moon's phases.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "chart/ChartPalette.h"
#include "chart/ChartPictures.h"

namespace vsp::test::chart {
namespace {

constexpr Colour kGreen = MakeColour(0, 255, 0), kBlue = MakeColour(0, 0, 255);

Canvas Filled(int width, int height, Colour colour) {
    Canvas canvas;
    EXPECT_TRUE(canvas.Create(width, height));
    canvas.SetBackColour(colour);
    canvas.FillRect(MakeRect(0, 0, width, height));
    return canvas;
}

// The pixels for which test(x, y, colour) holds.
template <class Test>
int Count(const Canvas& canvas, Test test) {
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) count += bool(test(x, y, UnpackRgb565(canvas.At(x, y))));
    return count;
}

// Every picture once on 400 x 170: the star sheet, the symbols, the special symbols, the
// marks and the Moon in three phases.
void DrawAll(ChartPictures& pictures, Canvas& canvas) {
    for (int size = 0; size < kStarSizeCount; ++size)
        for (int colour = 0; colour < kStarColourCount; ++colour)
            pictures.DrawStar(canvas, 10 + 15 * size, 10 + 15 * colour, size, colour);
    for (int cell = 0; cell < 8; ++cell) pictures.DrawSymbol(canvas, 220 + 22 * (cell % 4), 15 + 22 * (cell / 4), cell);
    for (int number = 0; number < 13; ++number) pictures.DrawSpecial(canvas, 20 + 30 * number, 130, number);
    pictures.DrawSatellite(canvas, 220, 80);
    pictures.DrawMeteorShower(canvas, 260, 80);
    for (int i = 0; i < 3; ++i) pictures.DrawMoon(canvas, 320 + 30 * i, 80, 12, 0.3 * i);
}

// Over blue and over green the pictures set the same pixels to the same colours, and only
// reds at night; the rest of their cells stays as it was.
TEST(ChartPicturesTest, PicturesDrawOnlyTheirInk) {
    ChartPictures pictures;
    for (int background = 0; background < 3; ++background) {
        for (int level = 0; level <= 3; ++level) {
            pictures.SetStyle({background, level, level % 2 == 1, level >= 2 ? 2.0 : 1.0});
            Canvas onBlue = Filled(400, 170, kBlue), onGreen = Filled(400, 170, kGreen);
            DrawAll(pictures, onBlue);
            DrawAll(pictures, onGreen);
            const auto ink = [](Colour c) { return c != kBlue; };
            EXPECT_GT(Count(onBlue, [&](int, int, Colour c) { return ink(c); }), 2000);
            const auto differ = [&](int x, int y, Colour c) {
                return UnpackRgb565(onGreen.At(x, y)) != (ink(c) ? c : kGreen);
            };
            EXPECT_EQ(Count(onBlue, differ), 0);
            const auto notRed = [&](int, int, Colour c) { return level > 0 && ink(c) && (c & 0xFFFF00); };
            EXPECT_EQ(Count(onBlue, notRed), 0) << level;
            Canvas dot = Filled(30, 30, kGreen);
            pictures.DrawStar(dot, 15, 15, kStarSizeCount - 1, 2);
            pictures.DrawSymbol(dot, 15, 15, 0);  // a blank cell
            EXPECT_EQ(Count(dot, [](int x, int y, Colour c) { return (c != kGreen) != (x == 15 && y == 15); }), 0);
        }
    }
}

TEST(ChartPicturesTest, StarDiscsShrinkWithSizeIndex) {
    ChartPictures pictures;
    for (int background = 0; background < 3; ++background) {
        pictures.SetStyle({background, 0, false, 1.0});
        for (int colour = 0; colour < kStarColourCount; ++colour) {
            std::vector<int> areas;  // the pixels that differ from the background, by size index
            for (int size = 0; size < kStarSizeCount; ++size) {
                Canvas canvas = Filled(kStarCell, kStarCell, MakeChartPalette(background, 0).background);
                const Colour ground = UnpackRgb565(canvas.At(0, 0));
                pictures.DrawStar(canvas, 6, 6, size, colour);
                areas.push_back(Count(canvas, [&](int, int, Colour c) { return c != ground; }));
            }
            EXPECT_TRUE(std::is_sorted(areas.rbegin(), areas.rend())) << background << colour;
            EXPECT_GE(areas.front(), 100);  // the brightest star fills most of its cell
            EXPECT_EQ(areas.back(), 1);     // the faintest is one pixel
        }
    }
}

TEST(ChartPicturesTest, MoonIsLitByItsPhase) {
    ChartPictures pictures;
    // Lit pixels (red above 64) between two columns of a Moon of radius 30 centred at x = 40.
    const auto lit = [&](double phase, int fromX, int toX) {
        Canvas canvas = Filled(80, 80, kGreen);
        pictures.DrawMoon(canvas, 40, 40, 30, phase);
        EXPECT_EQ(UnpackRgb565(canvas.At(11, 11)), kGreen);  // outside the disc
        EXPECT_NE(UnpackRgb565(canvas.At(40, 40)), kGreen);  // lit or dark, the disc hides the sky
        return Count(canvas, [&](int x, int, Colour c) { return x >= fromX && x < toX && ColourRed(c) > 64; });
    };
    const int full = lit(0.0, 0, 80);
    EXPECT_GT(full, 2600);  // nearly all of the disc's 2827 pixels
    EXPECT_NEAR(lit(0.25, 0, 80), full / 2, full / 10);
    EXPECT_LT(lit(0.5, 0, 80), 30);
    EXPECT_GT(lit(0.75, 40, 80), 20 * lit(0.75, 0, 40));  // waxing: the right side
    EXPECT_GT(lit(0.25, 0, 40), 20 * lit(0.25, 40, 80));
}

}  // namespace
}  // namespace vsp::test::chart
