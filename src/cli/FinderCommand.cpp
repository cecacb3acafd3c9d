// finder: printable finder charts, one page per target (or per entry of the observing list),
// written as a PDF (several pages), an SVG or a PNG (one target).
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/CcdField.h"
#include "chart/ChartSetup.h"
#include "chart/FinderChart.h"
#include "cli/ChartPage.h"
#include "cli/CurrentList.h"
#include "cli/FinderTexts.h"
#include "platform/PngFile.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

constexpr double kDefaultFieldDeg = 10.0;

struct FinderArgs {
    std::vector<std::string> targets;
    bool list = false;
    double fovDeg = kDefaultFieldDeg;
    std::optional<double> magnitude;
    ChartPageArgs page;
    bool telrad = false;
    bool ccd = false;
    std::optional<int> eyepiece;
    bool inverted = false;
    bool mirrored = false;
    std::string output;
};

// About as deep as a finder scope or a low power shows in that field: 9 at 10 degrees, 11.5 at 1.
float DefaultStarLimit(double fovDeg) {
    const double limit = 11.5 - 2.5 * std::log10(fovDeg);
    return float(std::clamp(std::round(limit * 2.0) / 2.0, 6.0, 13.0));
}

FinderOverlays OverlaysOf(const FinderArgs& args, const Preferences& prefs, const ChartScene& scene) {
    FinderOverlays overlays;
    if (args.telrad) overlays.telradDeg = prefs.telradRings;
    if (args.eyepiece && scene.eyepiece && scene.eyepiece->focalMm > 0 && scene.telescopeFocalMm > 0)
        overlays.eyepieceFieldArcmin = scene.eyepiece->apparentFieldDeg * 60.0 * scene.eyepiece->focalMm /
                                       scene.telescopeFocalMm;
    if (prefs.ccdFocalLength > 0) {
        overlays.ccdArcmin = std::pair{CcdSkyFieldArcminutes(prefs.ccdWidth, prefs.ccdPixelSize, prefs.ccdFocalLength),
                                       CcdSkyFieldArcminutes(prefs.ccdHeight, prefs.ccdPixelSize, prefs.ccdFocalLength)};
        overlays.ccdRotationDeg = prefs.ccdRotation;
    }
    return overlays;
}

// The targets in page order; false with `status` set when one cannot be found.
bool CollectTargets(CliContext& ctx, const FinderArgs& args, std::vector<FinderTarget>& out, int& status) {
    for (const std::string& text : args.targets) {
        std::optional<FinderTarget> target = FindFinderTarget(ctx, text, status);
        if (!target) return false;
        out.push_back(std::move(*target));
    }
    if (args.list) {
        const ObservingList list = LoadCurrentList(ctx);
        if (list.Empty()) {
            status = JobFailed(ctx, "The list is empty.");
            return false;
        }
        for (const ListEntry& entry : list.Entries()) out.push_back(ListFinderTarget(ctx, entry));
    }
    return true;
}

struct FinderJob {
    CatalogSession session;
    std::vector<ChartObject> objects;
    ChartScene scene;
    std::vector<FinderSheet> sheets;
    std::vector<FinderDrawn> drawn;
    explicit FinderJob(CliContext& ctx) : session(ctx.Home(), ctx.Messages()) {}

    void Draw(DrawSurface& surface, size_t page) {
        DrawFinderSheet(surface, *scene.stars, scene.brightStarNames, objects, sheets[page], drawn[page]);
    }
};

bool WriteFinderFile(FinderJob& job, const ChartPage& page, const std::string& path, std::string& error) {
    const std::optional<VectorFormat> format = VectorFormatOf(path);
    if (!format) {
        // The whole sheet of paper at the chart's resolution, with the margins a PDF page has.
        Canvas sheet, canvas;
        if (!sheet.Create(int(std::lround(page.pageWidth / page.scale)), int(std::lround(page.pageHeight / page.scale))) ||
            !canvas.Create(page.width, page.height)) {
            error = std::string(kOffscreenFailed);
            return false;
        }
        job.Draw(canvas, 0);
        sheet.SetBackColour(kColourWhite);
        sheet.FillRect(MakeRect(0, 0, sheet.Width(), sheet.Height()));
        sheet.CopySprite(canvas, MakeRect(0, 0, canvas.Width(), canvas.Height()), int(std::lround(page.left / page.scale)),
                         int(std::lround(page.top / page.scale)), kColourWhite);
        return WritePng(sheet, path, error);
    }
    ChartDocument document;
    if (!document.Open(path, *format, page, error)) return false;
    for (size_t i = 0; i < job.sheets.size(); ++i) document.AddPage([&](DrawSurface& surface) { job.Draw(surface, i); });
    return document.Close(error);
}

nlohmann::json FinderJson(const FinderJob& job, const std::vector<FinderTarget>& targets, const ChartPage& page) {
    const auto x = [&](double px) { return page.left + px * page.scale; };
    const auto y = [&](double px) { return page.top + px * page.scale; };
    nlohmann::json pages = nlohmann::json::array();
    for (size_t i = 0; i < job.sheets.size(); ++i) {
        const FinderDrawn& d = job.drawn[i];
        nlohmann::json stars = nlohmann::json::array();
        for (const FinderStarPlaced& s : d.stars)
            stars.push_back({{"name", Cp1252ToUtf8(s.name)}, {"ra_hours", s.raHours}, {"dec_deg", s.decDeg},
                             {"magnitude", s.magnitude}, {"x", x(s.at.x)}, {"y", y(s.at.y)}});
        nlohmann::json labels = nlohmann::json::array();
        for (const std::string& label : d.gridLabels) labels.push_back(Cp1252ToUtf8(label));
        pages.push_back({{"target", targets[i].name},
                         {"ra_hours", targets[i].raHours},
                         {"dec_deg", targets[i].decDeg},
                         {"fov_deg", job.sheets[i].fovDeg},
                         {"star_limit", job.sheets[i].starLimit},
                         {"chart", {{"left", x(d.chart.left)}, {"top", y(d.chart.top)},
                                    {"side", (d.chart.right - d.chart.left) * page.scale}}},
                         {"points_per_degree", d.pixelsPerDegree * page.scale},
                         {"scale_bar", Cp1252ToUtf8(d.scaleLabel)},
                         {"grid_labels", labels},
                         {"stars", stars}});
    }
    return {{"page_width", page.pageWidth}, {"page_height", page.pageHeight}, {"pages", pages}};
}

int RunFinder(CliContext& ctx, FinderArgs args) {
    if (args.targets.empty() && !args.list) return UsageError(ctx, "name a target or give --list");
    if (!args.page.paper) args.page.paper = "a4";
    ChartPage page;
    if (std::string usage; !MakeChartPage(args.page, kFinderDpi, page, usage)) return UsageError(ctx, usage);
    std::vector<FinderTarget> targets;
    if (int status = kExitOk; !CollectTargets(ctx, args, targets, status)) return status;
    if (targets.size() > 1 && VectorFormatOf(args.output) != VectorFormat::Pdf)
        return UsageError(ctx, "several pages need a .pdf file: " + args.output);

    FinderJob job(ctx);
    Preferences prefs = ctx.Prefs();
    if (args.eyepiece) prefs.eyepiece = *args.eyepiece;
    if (!LoadChartScene(job.session, ctx.Messages(), prefs, ctx.ObservingTime(), ctx.Ephemeris(), job.objects, job.scene))
        return kExitFailed;
    FinderOverlays overlays = OverlaysOf(args, prefs, job.scene);
    const std::vector<std::string> footer = FinderFooter(ctx, job.scene, overlays, args.ccd);
    if (!args.ccd) overlays.ccdArcmin.reset();
    const float starLimit = args.magnitude ? float(*args.magnitude) : DefaultStarLimit(args.fovDeg);
    for (FinderTarget& target : targets) {
        FinderSheet sheet{.raHours = target.raHours, .decDeg = target.decDeg, .fovDeg = args.fovDeg,
                          .starLimit = starLimit, .objectLimit = starLimit + 3.0f,
                          .view = args.inverted ? FinderView::Inverted : args.mirrored ? FinderView::Mirrored : FinderView::Sky,
                          .overlays = overlays, .title = target.title, .data = {}, .footer = footer};
        AddNightLines(ctx, target, sheet);
        sheet.data = target.data;
        job.sheets.push_back(std::move(sheet));
    }
    job.drawn.resize(job.sheets.size());
    if (std::string error; !WriteFinderFile(job, page, args.output, error)) return JobFailed(ctx, error);
    if (ctx.Json()) {
        PrintJson(ctx, FinderJson(job, targets, page));
        return kExitOk;
    }
    ctx.Out() << args.output << ": " << job.sheets.size() << (job.sheets.size() == 1 ? " page" : " pages") << "\n";
    return kExitOk;
}

}  // namespace

void AddFinderCommand(CommandRegistry& registry) {
    auto args = std::make_shared<FinderArgs>();
    CLI::App* finder = registry.Add(
        "finder", "Printable finder charts: the field about each target, north up, black on white, one page each",
        [args](CliContext& ctx) { return RunFinder(ctx, *args); });
    finder->add_option("targets", args->targets, "objects (M101, NGC 188), stars (Polaris, HR7001) or comets");
    finder->add_flag("--list", args->list, "a page for each entry of the current observing list");
    finder->add_option("--fov", args->fovDeg, "field across the chart, degrees (default 10)")
        ->check(CLI::Range(0.2, 60.0));
    AddNumber(*finder, "--mag", args->magnitude, "MAG", "faintest stars drawn (default from the field)")
        ->check(CLI::Range(0.0, 16.0));
    AddChartPageOptions(*finder, args->page);
    // Always a page of paper (A4 unless asked): --landscape alone turns it.
    finder->remove_option(finder->get_option("--size"));
    finder->get_option("--landscape")->remove_needs(finder->get_option("--paper"));
    finder->add_flag("--telrad", args->telrad, "the Telrad rings about the target");
    finder->add_option("--eyepiece", args->eyepiece, "the true field of eyepiece N of the list")
        ->check(CLI::Range(1, 9999));
    finder->add_flag("--ccd", args->ccd, "the camera's frame about the target");
    finder->add_flag("--inverted", args->inverted, "turned 180 degrees, as a straight-through eyepiece shows it");
    finder->add_flag("--mirrored", args->mirrored, "east and west swapped, as a star diagonal shows it")
        ->excludes("--inverted");
    finder->add_option("-o,--output", args->output, "file to write: .pdf, or .svg or .png for one target")->required();
    finder->footer("JSON keys: page_width, page_height (points), pages [target, ra_hours, dec_deg, fov_deg, star_limit, "
                   "chart {left, top, side} and points_per_degree (page points from the top-left), scale_bar, "
                   "grid_labels, stars [name, ra_hours, dec_deg (J2000), magnitude, x, y]].");
}

}  // namespace vsp::cli
