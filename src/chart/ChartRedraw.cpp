#include "chart/ChartRedraw.h"

#include <cstdlib>

#include "chart/ChartLabels.h"

namespace vsp {

ChartRedraw::ChartRedraw(DrawSurface& canvas, ChartView& view, ChartPictures& pictures, const Preferences& prefs,
                         ChartScene& scene, const ChartRenderOptions& options, ChartDrawn& drawn)
    : canvas_(canvas), view_(view), pictures_(pictures), prefs_(prefs), scene_(scene), options_(options),
      drawn_(drawn) {}

void RenderChart(DrawSurface& canvas, ChartView& view, ChartPictures& pictures, const Preferences& prefs,
                 ChartScene& scene, const ChartRenderOptions& options, ChartDrawn& drawn) {
    ChartRedraw(canvas, view, pictures, prefs, scene, options, drawn).Run();
}

void ChartRedraw::Run() {
    drawn_ = ChartDrawn{};
    if (scene_.stars) scene_.stars->ClearCache();
    PrepareView();
    canvas_.ResetClip();
    canvas_.SetBackColour(palette_.background);
    canvas_.FillRect(MakeRect(0, 0, width_, height_));
    if (horizontal_) {
        RunHorizontal();
    } else {
        RunCentred();
    }
    DrawInfoLines();
    // The names last: they know now what they must keep off.
    if (Prioritised()) PlaceNamesByPriority();
}

void ChartRedraw::PrepareView() {
    scale_ = options_.scale;
    width_ = canvas_.Width();
    height_ = canvas_.Height();
    view_.SetFlips(prefs_.zoomFlip);
    horizontal_ = IsHorizontalChart(view_.ChartTypeValue());
    horizonView_ = view_.ChartTypeValue() == kChartHorizonView;
    CentreOnSelection();
    view_.Prepare();
    level_ = view_.ZoomLevel();
    pu_ = view_.PixelUnit();
    limits_ = GetMagnitudeLimits(level_, prefs_, scene_.scopeLimit, scene_.eyeLimit);
    palette_ = MakeChartPalette(prefs_.background, prefs_.nightLevel);
    pictures_.SetStyle(PictureStyle{.background = prefs_.nightLevel > 0 ? int(kBackgroundBlack) : prefs_.background,
                                    .nightLevel = prefs_.nightLevel,
                                    .monochrome = prefs_.starColor != 0,
                                    .scale = scale_});
    canvas_.SetTextScale(scale_);
    turnPixels_ = view_.TurnPixels();
    drawn_.fovLabel = FieldOfViewLabel(level_);
    drawn_.limitsLabel = LimitsLabel(limits_);
}

void ChartRedraw::CentreOnSelection() {
    const std::optional<ChartVector> v = scene_.centreOnSelection ? SelectionVector() : std::nullopt;
    if (!v) return;
    if (!horizontal_) {
        view_.CentreOnVector(*v);
        return;
    }
    // Place the selection at the middle of the chart area; one below the horizon leaves the
    // chart where it was.
    view_.Prepare();
    const ScreenPoint p = view_.Project(*v);
    if (p.visible) view_.SetOrigin(view_.CenterX() + (width_ / 2 - p.x), view_.CenterY() + (height_ / 2 - p.y));
}

void ChartRedraw::RunHorizontal() {
    DrawBackgroundLayers();
    if (!prefs_.hideGrid) DrawHorizonAndFrame();
    if (prefs_.ecliptic) DrawEcliptic();
    PlaceBrightStars();
    DrawConstellationLines(level_ < 3);
    if (prefs_.constNames && pu_ != 1) DrawConstellationNames();
    PlaceObjects();
    if (level_ >= 1 && prefs_.starMode != 1) DrawBrightStars();
    if (prefs_.starNames) DrawStarNames();
    if (level_ >= 4 && prefs_.starMode == 0) DrawCatalogStars();
    DrawObjectSymbols();
    if (prefs_.objOutlines) DrawObjectOutlines();
    if (level_ >= 8) DrawExtendedObjects();
    if (prefs_.objNames) DrawObjectNames();
    if (prefs_.starsLegend) DrawStarsLegend();
    DrawSelection();
    DrawOverlays();
    if (!prefs_.hideCompass) DrawCompass();
    DrawScopeMarker();
}

void ChartRedraw::RunCentred() {
    DrawBackgroundLayers();
    PlaceObjects();
    PlaceBrightStars();
    if (prefs_.starMode != 1) DrawBrightStars();
    DrawConstellationLines(prefs_.starMode == 1);
    if (level_ >= 3 && prefs_.starMode == 0) DrawCatalogStars();
    if (!prefs_.hideCompass && view_.ChartTypeValue() != kChartEquatorialSky) DrawCompass();
    if (prefs_.starNames) DrawStarNames();
    if (prefs_.constNames) DrawConstellationNames();
    if (prefs_.ecliptic) DrawEcliptic();
    if (!prefs_.hideGrid) {
        if (prefs_.altAzGrid && view_.UsesHorizontalFrame()) {
            DrawAltAzGrid();
        } else {
            DrawEquatorialGrid(false);
        }
    }
    DrawObjectSymbols();
    if (prefs_.objOutlines) DrawObjectOutlines();
    if (level_ >= 9) DrawExtendedObjects();
    if (prefs_.objNames) DrawObjectNames();
    if (prefs_.starsLegend) DrawStarsLegend();
    DrawSelection();
    DrawOverlays();
    DrawScopeMarker();
}

bool ChartRedraw::CrossesSeam(const ScreenPoint& a, const ScreenPoint& b) const {
    return turnPixels_ > 0 && std::abs(a.x - b.x) >= 80 * pu_;
}

int WrapIntoTurn(int x, int width, int turnPixels) {
    if (turnPixels <= 0) return x;
    if (x < 0) return x + turnPixels;
    if (x > width) return x - turnPixels;
    return x;
}

SkyDirection ChartRedraw::CatalogAtPixel(int x, int y) const { return view_.PixelToCatalog(x, y); }

bool ChartRedraw::Inside(const ScreenPoint& p) const {
    return p.visible && p.x >= 0 && p.x <= width_ && p.y >= 0 && p.y <= height_;
}

ChartVector ChartRedraw::ObjectVector(ChartObject& object) const {
    if (object.vectorGeneration != view_.FrameGeneration()) {
        object.vector = view_.PrecomputeVector(object.raHours, object.decDeg, IsPlaceOfDate(object.kind));
        object.vectorGeneration = view_.FrameGeneration();
    }
    return object.vector;
}

std::optional<ChartVector> ChartRedraw::SelectionVector() {
    if (scene_.selected >= 0 && scene_.objects) return ObjectVector((*scene_.objects)[size_t(scene_.selected)]);
    if (scene_.selectedStar) return MarkVector(*scene_.selectedStar);
    return std::nullopt;
}

ChartVector ChartRedraw::MarkVector(const ChartMark& mark) const {
    return view_.PrecomputeVector(mark.raHours, mark.decDeg, mark.ofDate);
}

const ChartVector& ChartRedraw::BrightVector(int index) {
    std::vector<StarRecord>& stars = scene_.stars->DefaultStars();
    const int count = scene_.stars->DefaultStarsRead();
    if (scene_.brightGeneration != view_.FrameGeneration() || int(scene_.brightVectors.size()) != count) {
        scene_.brightVectors.resize(size_t(count));
        for (int i = 0; i < count; ++i) {
            scene_.brightVectors[size_t(i)] = view_.CatalogVector(stars[size_t(i)].ra, stars[size_t(i)].dec);
        }
        scene_.brightGeneration = view_.FrameGeneration();
    }
    return scene_.brightVectors[size_t(index)];
}

void ChartRedraw::AddPlaced(PlacedKind kind, std::string designation, std::string name, const ScreenPoint& p,
                            double raHours, double decDeg, std::optional<double> magnitude) {
    if (!options_.listPlaced) return;
    drawn_.placed.push_back(
        PlacedEntry{kind, std::move(designation), std::move(name), p.x, p.y, raHours, decDeg, magnitude});
}

}  // namespace vsp
