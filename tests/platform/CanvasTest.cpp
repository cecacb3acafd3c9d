#include "platform/Canvas.h"
#include "platform/PngFile.h"
#include "platform/headless/FakeClock.h"
#include "platform/headless/HeadlessWindowSystem.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace vsp {
namespace {

constexpr Colour kRed = MakeColour(255, 0, 0);
constexpr Colour kBlue = MakeColour(21, 21, 70);
constexpr Colour kYellow = MakeColour(255, 230, 40);

// A canvas filled with `background` that draws in `ink`.
Canvas MakeCanvas(int width, int height, Colour background, Colour ink = kColourWhite) {
    Canvas canvas;
    EXPECT_TRUE(canvas.Create(width, height));
    canvas.SetBackColour(background);
    canvas.FillRect(MakeRect(0, 0, width, height));
    canvas.SetForeColour(ink);
    canvas.SetTextColour(ink);
    return canvas;
}

TEST(CanvasTest, ColoursArePackedAsRgb565AndBitmapsHaveBounds) {
    EXPECT_EQ(PackRgb565(kRed), 0xF800);
    EXPECT_EQ(PackRgb565(kBlue), 2 << 11 | 5 << 5 | 8);
    EXPECT_EQ(PackRgb565(kYellow), 31 << 11 | 57 << 5 | 5);
    EXPECT_EQ(UnpackRgb565(PackRgb565(kColourWhite)), kColourWhite);
    EXPECT_EQ(UnpackRgb565(0xF800), kRed);
    Canvas canvas = MakeCanvas(3, 2, kBlue);
    EXPECT_EQ(canvas.At(2, 1), PackRgb565(kBlue));
    canvas.SetClip(MakeRect(-5, 1, 100, 100));
    EXPECT_EQ(canvas.Clip(), MakeRect(0, 1, 3, 1));

    Canvas bad;
    EXPECT_FALSE(bad.Create(0, 10));
    EXPECT_FALSE(bad.Create(Canvas::kMaxSide + 1, 1));
    EXPECT_TRUE(bad.Empty());
}

// A line has one pixel per step of its longer axis, each the nearest to the ideal line; a
// clipped line draws exactly those of them inside the clip, however far outside its ends are.
TEST(CanvasTest, ClippedLinesKeepTheirPixelsAndStayInside) {
    const Rect clip = MakeRect(10, 8, 30, 20);
    const struct { int x0, y0, x1, y1, pixels; } lines[] = {
        {0, 0, 49, 39, 50}, {49, 3, 2, 37, 48}, {25, -5, 27, 45, 40}, {-100000, 17, 100000, 23, 50},
        {20, 12, 20, 12, 1}};
    for (const auto& l : lines) {
        Canvas whole = MakeCanvas(50, 40, kColourBlack), clipped = MakeCanvas(50, 40, kColourBlack);
        whole.DrawLine(l.x0, l.y0, l.x1, l.y1);
        clipped.SetClip(clip);
        clipped.DrawLine(l.x0, l.y0, l.x1, l.y1);
        const bool steep = std::abs(l.y1 - l.y0) > std::abs(l.x1 - l.x0);
        int pixels = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 50; ++x) {
                const bool on = whole.At(x, y) != 0;
                pixels += on;
                EXPECT_EQ(clipped.At(x, y) != 0, on && clip.Contains(x, y)) << x << "," << y;
                if (!on || l.pixels == 1) continue;
                const double ideal = steep ? l.x0 + double(y - l.y0) * (l.x1 - l.x0) / (l.y1 - l.y0)
                                           : l.y0 + double(x - l.x0) * (l.y1 - l.y0) / (l.x1 - l.x0);
                EXPECT_LE(std::abs((steep ? x : y) - ideal), 0.5) << x << "," << y;
            }
        }
        EXPECT_EQ(pixels, l.pixels);
    }
}

TEST(CanvasTest, CirclesAreRoundSymmetricAndClosed) {
    constexpr int kSize = 61, kCentre = 30;
    for (const int radius : {0, 3, 7, 20}) {
        Canvas filled = MakeCanvas(kSize, kSize, kColourBlack), outline = MakeCanvas(kSize, kSize, kColourBlack);
        filled.FillCircle(kCentre, kCentre, radius);
        outline.DrawCircle(kCentre, kCentre, radius);
        const auto in = [&](int x, int y) { return filled.At(x, y) != 0; };
        int area = 0;
        for (int y = 1; y + 1 < kSize; ++y) {
            for (int x = 1; x + 1 < kSize; ++x) {
                area += in(x, y);
                const int u = x - kCentre, v = y - kCentre;
                EXPECT_EQ(in(x, y), in(kCentre - u, kCentre + v));
                EXPECT_EQ(in(x, y), in(kCentre + v, kCentre + u));
                // The outline is the disc's edge: its pixels with a neighbour outside.
                const bool edge = in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1));
                EXPECT_EQ(outline.At(x, y) != 0, edge) << radius << ": " << x << "," << y;
            }
        }
        const double ideal = M_PI * (radius + 0.5) * (radius + 0.5);
        EXPECT_NEAR(area, ideal, 0.05 * ideal + 1) << radius;
    }
    Canvas cut = MakeCanvas(20, 20, kColourBlack);
    cut.SetClip(MakeRect(5, 5, 10, 10));
    cut.FillCircle(5, 5, 30);  // over the whole clip and beyond
    for (int i = 0; i < 400; ++i) EXPECT_EQ(cut.At(i % 20, i / 20) != 0, cut.Clip().Contains(i % 20, i / 20));
}

// Fractional shapes land on the nearest pixels, in their own colour.
TEST(CanvasTest, FractionalShapesDrawOnTheNearestPixels) {
    Canvas canvas = MakeCanvas(30, 30, kColourBlack);
    canvas.StrokePath({{2.2, 3.4}, {9.6, 3.4}, {9.6, 8.8}}, true, 1.5, kRed);
    canvas.FillDisc(20.4, 20.4, 3.6, kYellow);
    canvas.StrokeCircle(20.4, 20.4, 6.2, 1.0, kBlue);
    const Pixel565 red = PackRgb565(kRed), yellow = PackRgb565(kYellow), blue = PackRgb565(kBlue);
    for (int x = 2; x <= 10; ++x) EXPECT_EQ(canvas.At(x, 3), red) << x;
    for (int y = 3; y <= 9; ++y) EXPECT_EQ(canvas.At(10, y), red) << y;
    EXPECT_EQ(canvas.At(6, 6), red);  // on the closing side from (10, 9) to (2, 3)
    for (int d = -3; d <= 3; ++d) EXPECT_EQ(canvas.At(20 + d, 20), yellow) << d;
    EXPECT_EQ(canvas.At(20, 14), blue);
    EXPECT_EQ(canvas.At(26, 20), blue);
    EXPECT_EQ(canvas.At(20, 24), PackRgb565(kColourBlack));
}

TEST(CanvasTest, PolygonsFillByPixelCentresWithHolesAndClip) {
    Canvas canvas = MakeCanvas(40, 40, kBlue, kRed);
    // A 20 x 20 square from (5, 5) with a 10 x 10 hole, then a triangle half over the edge.
    canvas.FillPolygon({{{5, 5}, {25, 5}, {25, 25}, {5, 25}}, {{10, 10}, {20, 10}, {20, 20}, {10, 20}}});
    int filled = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) filled += canvas.At(x, y) == PackRgb565(kRed);
    EXPECT_EQ(filled, 400 - 100);
    EXPECT_EQ(canvas.At(5, 5), PackRgb565(kRed));
    EXPECT_EQ(canvas.At(15, 15), PackRgb565(kBlue));
    EXPECT_EQ(canvas.At(25, 15), PackRgb565(kBlue));
    canvas.SetClip(MakeRect(0, 30, 40, 10));
    canvas.FillPolygon({{{30, 28}, {60, 28}, {30, 58}}});
    int clipped = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) clipped += canvas.At(x, y) == PackRgb565(kRed);
    // The triangle covers x 30..39 of rows 30..39 wholly; the clip keeps rows 28, 29 and x >= 40 out.
    EXPECT_EQ(clipped - filled, 100);
    EXPECT_EQ(canvas.At(31, 29), PackRgb565(kBlue));
}

TEST(CanvasTest, SpritesLeaveTheirTransparentPixelsUndrawn) {
    Canvas sheet = MakeCanvas(26, 13, kColourWhite, kRed);
    sheet.FillCircle(19, 6, 3);  // the second 13 x 13 cell
    Canvas target = MakeCanvas(12, 12, kBlue);
    target.SetClip(MakeRect(0, 0, 12, 10));
    const int left = -4, top = 2;
    target.CopySprite(sheet, MakeRect(13, 0, 13, 13), left, top, kColourWhite);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int cx = x - left, cy = y - top;  // in the cell
            const bool opaque = cx >= 0 && cx < 13 && cy >= 0 && cy < 13 && sheet.At(13 + cx, cy) == PackRgb565(kRed);
            EXPECT_EQ(target.At(x, y), PackRgb565(opaque && y < 10 ? kRed : kBlue)) << x << "," << y;
        }
    }
}

// Every pixel the text touches lies in its measured box; an opaque box is wholly painted.
TEST(CanvasTest, TextStaysInItsMeasuredBox) {
    Canvas canvas = MakeCanvas(200, 60, kColourBlack);
    const TextExtent normal = canvas.MeasureText("Algol, Alphecca 2.2", FontId::Normal);
    ASSERT_GT(normal.width, 30);
    EXPECT_GT(canvas.MeasureText("Algol, Alphecca 2.2", FontId::Bold).width, normal.width);
    EXPECT_LT(canvas.MeasureText("Algol, Alphecca 2.2", FontId::Small).height, normal.height);
    canvas.SetTextScale(2.0);
    EXPECT_NEAR(canvas.MeasureText("Algol, Alphecca 2.2", FontId::Normal).width, 2 * normal.width, normal.width / 5);

    for (const auto background : {TextBackground::Transparent, TextBackground::Opaque}) {
        canvas = MakeCanvas(200, 60, kColourBlack, kYellow);
        canvas.SetBackColour(kBlue);
        const Rect box = MakeRect(20, 30, normal.width, normal.height);
        ASSERT_TRUE(canvas.DrawText(box.left, box.top, "Algol, Alphecca 2.2", FontId::Normal, background));
        int full = 0, blended = 0;  // glyph pixels wholly or partly covered
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                const Pixel565 p = canvas.At(x, y);
                full += p == PackRgb565(kYellow);
                blended += p != PackRgb565(kYellow) && p != PackRgb565(kBlue) && p != 0;
                const bool painted = p != 0;
                EXPECT_TRUE(box.Contains(x, y) || !painted) << x << "," << y;
                EXPECT_TRUE(background == TextBackground::Transparent || painted == box.Contains(x, y));
            }
        }
        EXPECT_GT(full, 20);
        EXPECT_GT(blended, 20);
    }
}

TEST(CanvasTest, PngHoldsTheCanvasAsEightBitRgb) {
    test::TempHome home;
    Canvas canvas = MakeCanvas(7, 5, kBlue, kYellow);
    canvas.DrawLine(0, 0, 6, 4);
    canvas.SetBackColour(kRed);
    canvas.FillRect(MakeRect(5, 0, 2, 2));
    std::string error;
    const std::string path = home.Path("sky.png");
    ASSERT_TRUE(WritePng(canvas, path, error)) << error;
    const std::filesystem::directory_iterator folder(home.Root());
    EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);  // no temporary file left

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.format, PNG_FORMAT_RGB);  // as stored: 8-bit RGB without alpha
    ASSERT_TRUE(image.width == 7 && image.height == 5);
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (size_t i = 0; i < 35; ++i) {
        EXPECT_EQ(MakeColour(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), UnpackRgb565(canvas.At(i % 7, i / 7))) << i;
    }
    EXPECT_EQ(MakeColour(rgb[18], rgb[19], rgb[20]), kRed);

    const std::string unwritable = home.Path("missing/sky.png");
    EXPECT_FALSE(WritePng(canvas, unwritable, error));
    EXPECT_NE(error.find(unwritable), std::string::npos) << error;
}

// A form keeps the top-left of the canvas cut to the rectangle, as it was at the copy.
TEST(CanvasTest, ACopyIntoAFormKeepsTheCanvasCutToItsRectangle) {
    FakeClock clock;
    EventLoop loop(clock);
    HeadlessWindowSystem windows(loop);
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    FormWindow* form = windows.CreateForm(
        {.id = 5200, .title = "Chart", .controls = {{1, ControlKind::Button, "", MakeRect(14, 22, 10, 10)}}});
    Canvas chart = MakeCanvas(6, 4, kBlue, kRed);
    chart.DrawLine(2, 0, 2, 3);
    ASSERT_TRUE(windows.CopyCanvas(*form, chart, MakeRect(10, 20, 5, 9)));
    chart.FillRect(MakeRect(0, 0, 6, 4));
    const FormPicture* picture = form->Picture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->area, MakeRect(10, 20, 5, 4));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(picture->pixels.At(i % 5, i / 5), PackRgb565(i % 5 == 2 ? kRed : kBlue)) << i;

    // A snapshot shows the picture over the form's background and under its controls.
    Canvas shot;
    ASSERT_TRUE(windows.Snapshot(*form, shot));
    const auto system = [&](int index) { return PackRgb565(windows.SystemColours().Get(index)); };
    const int window = 5, buttonLight = 20;
    EXPECT_EQ(std::tuple(shot.At(12, 20), shot.At(12, 24), shot.At(14, 22)),
              std::tuple(PackRgb565(kRed), system(window), system(buttonLight)));
}

}  // namespace
}  // namespace vsp
