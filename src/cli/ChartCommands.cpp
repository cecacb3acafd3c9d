// chart: the sky chart drawn as the chart form draws it, to a PNG and as a list of what was
// placed; chart at: the sky position under a chart pixel; chart tap: what a tap there selects.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "catalog/Designation.h"
#include "chart/ChartIdentify.h"
#include "chart/ChartSetup.h"
#include "cli/ChartOverlayOptions.h"
#include "cli/ChartPage.h"
#include "cli/ChartScopeOptions.h"
#include "cli/Command.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "platform/PngFile.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

struct ChartArgs {
    std::optional<int> type, zoom, night, flip, rotation;
    std::optional<std::string> center, background, output;
    ChartPageArgs page;
    std::optional<double> centerAz, centerAlt, centerRa, centerDec;
    int dpi = 192;
    ChartOverlayArgs overlay;
    ChartScopeArgs scope;
    // chart at, chart tap
    double atX = 0.0, atY = 0.0;
};

struct ChartSize {
    int width = 480;
    int height = 640;
};


int BackgroundRow(const std::string& name) {
    if (name == "black") return 0;
    if (name == "blue") return 1;
    return 2;
}

// The preferences with the view options of the line laid over them.
Preferences ViewPreferences(CliContext& ctx, const ChartArgs& args) {
    Preferences prefs = ctx.Prefs();
    if (args.type) prefs.chartType = *args.type;
    if (args.night) prefs.nightLevel = *args.night;
    if (args.background) prefs.background = BackgroundRow(*args.background);
    ApplyOverlayOptions(args.overlay, prefs);
    return prefs;
}

// The entry of the chart's table that --center names: a body by its name ("moon"), a comet or
// minor planet by its whole designation, name or number ("C/2023 A3", "vesta"), else an object
// by its designation or label ("NGC 1976", "M42"); false when the table has none.
bool FindCentreObject(CatalogSession& session, const std::string& text, const ChartScene& scene,
                      std::vector<ChartObject>& objects, int& index) {
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChartObject& o = objects[i];
        const bool named = o.kind == kKindPlanet ? text == BodyName(o.number)
                                                 : IsMinorBodyEntry(o) && size_t(o.number) < scene.minorBodies.size() &&
                                                       NamesMinorBody(scene.minorBodies[size_t(o.number)].record, text);
        if (named) {
            index = int(i);
            return true;
        }
    }
    int32_t catalog = 0, number = 0;
    const std::string wanted = Utf8ToCp1252(text);
    if (!DesignationParse(session.catalogs, wanted, catalog, number)) return false;
    // A record's label is its list designation or one of its catalog's prefix: only those that
    // can read `wanted` are built.
    const auto labelled = [&](const ChartObject& o) {
        if (o.recordIndex >= 0 && o.listName.catalog == 0 && o.kind >= 0 && o.kind < kCatalogCount &&
            !wanted.starts_with(CatalogPrefix(session.catalogs[size_t(o.kind)])))
            return false;
        return ChartLabel(o) == wanted;
    };
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChartObject& o = objects[i];
        if ((o.kind == catalog && o.number == number) || labelled(o)) {
            index = int(i);
            return true;
        }
    }
    return false;
}

// The direction at the middle of the chart: the one asked for, else due south, high enough
// that the "Horizon View" horizon sits low in the picture and the centred charts look up at
// 45 degrees ("Equatorial Sky": the meridian at the zenith's declination).
void CentreOn(ChartView& view, std::optional<double> az, std::optional<double> alt, const ChartSize& size) {
    const int type = view.ChartTypeValue();
    if (type == kChartEquatorialSky && !az && !alt) {
        view.SetCentre(view.Sky().lstHours * 15.0, view.Sky().latitudeDeg);
        return;
    }
    if (!IsHorizontalChart(type)) {
        view.SetCentre(az.value_or(180.0), alt.value_or(45.0));
        return;
    }
    if (type == kChartSkyMap && !az && !alt) return;  // the disc about the zenith
    double defaultAlt = 45.0;
    if (type == kChartHorizonView) {
        view.Prepare();
        const double pixelsPerDegree = view.PixelsPerDegree();
        if (pixelsPerDegree > 0.0) defaultAlt = std::min(defaultAlt, 0.3 * size.height / pixelsPerDegree);
    }
    view.CentreHorizontalOn(az.value_or(180.0), alt.value_or(defaultAlt));
}

// A J2000 place at the middle of the chart.
void CentreOnPlace(ChartView& view, double raHours, double decDeg) {
    if (IsHorizontalChart(view.ChartTypeValue())) {
        const SkyDirection h = view.CatalogToHorizontal(raHours, decDeg);
        view.CentreHorizontalOn(h.first, h.second);
    } else {
        view.CentreOnVector(view.PrecomputeVector(raHours, decDeg, false));
    }
}

struct ChartRun {
    Preferences prefs;
    CatalogSession session;
    std::vector<ChartObject> objects;
    ChartScene scene;
    ChartView view;
    ChartPictures pictures;
    Canvas canvas;
    ChartDrawn drawn;
    ChartSize size;
    ChartPage page;
    double scale = 2.0;
    explicit ChartRun(CliContext& ctx) : session(ctx.Home(), ctx.Messages()) {}
};

// Everything up to a drawn chart; a status other than kExitOk when the job cannot go on.
int DrawChart(CliContext& ctx, const ChartArgs& args, ChartRun& run, bool listPlaced) {
    if (std::string usage; !MakeChartPage(args.page, args.dpi, run.page, usage)) return UsageError(ctx, usage);
    run.size = ChartSize{run.page.width, run.page.height};
    run.prefs = ViewPreferences(ctx, args);
    const CalendarDateTime local = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    if (!LoadChartScene(run.session, ctx.Messages(), run.prefs, local, settings, run.objects, run.scene))
        return kExitFailed;
    run.scene.formats = ctx.Formats();
    run.scale = args.dpi / 96.0;
    SetViewFromPreferences(run.view, run.prefs, args.dpi / 48, run.size.width, run.size.height, local, settings);
    if (args.zoom) run.view.SetZoomLevel(*args.zoom);
    if (args.flip) run.prefs.zoomFlip[size_t(std::min(run.view.ZoomLevel(), 9))] = *args.flip;
    if (args.rotation) run.view.SetSkyMapRotation(*args.rotation);
    if (args.center) {
        if (!FindCentreObject(run.session, *args.center, run.scene, run.objects, run.scene.selected))
            return JobFailed(ctx, "Unknown object: " + *args.center);
        run.objects[size_t(run.scene.selected)].alwaysShow = true;
    } else if (args.centerRa || args.centerDec) {
        CentreOnPlace(run.view, args.centerRa.value_or(0.0), args.centerDec.value_or(0.0));
    } else {
        CentreOn(run.view, args.centerAz, args.centerAlt, run.size);
    }
    if (args.overlay.select) {
        // A horizontal chart keeps its centre; a centred chart turns to the selection.
        run.scene.centreOnSelection = !IsHorizontalChart(run.view.ChartTypeValue());
        int status = kExitOk;
        if (FindCentreObject(run.session, *args.overlay.select, run.scene, run.objects, run.scene.selected)) {
            run.objects[size_t(run.scene.selected)].alwaysShow = true;
        } else if (!SelectSkyTarget(ctx, *args.overlay.select, run.scene, status)) {
            return status;
        }
    }
    if (!run.canvas.Create(run.size.width, run.size.height)) return JobFailed(ctx, std::string(kOffscreenFailed));
    if (int status = kExitOk; args.scope.scope.port && !FollowChartScope(ctx, args.scope, run.scene, status))
        return status;
    RenderChart(run.canvas, run.view, run.pictures, run.prefs, run.scene,
                ChartRenderOptions{.scale = run.scale, .listPlaced = listPlaced}, run.drawn);
    return kExitOk;
}

const char* PlacedKindName(PlacedKind kind) {
    switch (kind) {
        case PlacedKind::BrightStar: return "bright_star";
        case PlacedKind::Star: return "star";
        case PlacedKind::Object: return "object";
        case PlacedKind::Body: return "body";
        case PlacedKind::Comet: return "comet";
        case PlacedKind::MinorPlanet: return "asteroid";
    }
    return "";
}

nlohmann::json ChartJson(const ChartRun& run) {
    nlohmann::json placed = nlohmann::json::array();
    for (const PlacedEntry& entry : run.drawn.placed) {
        nlohmann::json item = {{"kind", PlacedKindName(entry.kind)},
                               {"designation", Cp1252ToUtf8(entry.designation)},
                               {"name", Cp1252ToUtf8(entry.name)},
                               {"x", entry.x},
                               {"y", entry.y},
                               {"ra_hours", entry.raHours},
                               {"dec_deg", entry.decDeg}};
        if (entry.magnitude) item["magnitude"] = *entry.magnitude;
        placed.push_back(std::move(item));
    }
    nlohmann::json lines = nlohmann::json::array();
    for (const std::string& line : run.drawn.infoLines) lines.push_back(Cp1252ToUtf8(line));
    nlohmann::json labels = nlohmann::json::array();
    for (const DrawnLabel& label : run.drawn.labels) {
        labels.push_back({{"text", Cp1252ToUtf8(label.text)},
                          {"x", label.box.left},
                          {"y", label.box.top},
                          {"w", label.box.Width()},
                          {"h", label.box.Height()}});
    }
    return {{"type", run.view.ChartTypeValue()},
            {"zoom", run.view.ZoomLevel()},
            {"pu", run.view.PixelUnit()},
            {"center_x", run.view.CenterX()},
            {"center_y", run.view.CenterY()},
            {"scale_x", run.view.ScaleX()},
            {"scale_y", run.view.ScaleY()},
            {"fov_label", Cp1252ToUtf8(run.drawn.fovLabel)},
            {"limits_label", Cp1252ToUtf8(run.drawn.limitsLabel)},
            {"info_lines", lines},
            {"stars_listed", run.drawn.starsListed},
            {"selection", ChartSelectionJson(run.drawn)},
            {"overlays", ChartOverlaysJson(run.drawn)},
            {"scope", ChartScopeJson(run.scene, run.drawn)},
            {"placed", placed},
            {"labels", labels}};
}

// The drawn chart as a PNG, or drawn once more as the vector page the name's extension asks for.
bool WriteChartFile(ChartRun& run, const std::string& path, std::string& error) {
    const std::optional<VectorFormat> format = VectorFormatOf(path);
    if (!format) return WritePng(run.canvas, path, error);
    ChartDocument document;
    if (!document.Open(path, *format, run.page, error)) return false;
    document.AddPage([&](DrawSurface& surface) {
        ChartDrawn drawn;
        RenderChart(surface, run.view, run.pictures, run.prefs, run.scene, ChartRenderOptions{.scale = run.scale}, drawn);
    });
    return document.Close(error);
}

int RunChart(CliContext& ctx, const ChartArgs& args) {
    ChartRun run(ctx);
    if (const int status = DrawChart(ctx, args, run, ctx.Json()); status != kExitOk) return status;
    if (args.output) {
        std::string error;
        if (!WriteChartFile(run, *args.output, error)) return JobFailed(ctx, error);
    }
    if (ctx.Json()) {
        PrintJson(ctx, ChartJson(run));
        return kExitOk;
    }
    ctx.Out() << Cp1252ToUtf8(run.drawn.fovLabel) << (run.drawn.fovLabel.empty() ? "" : "  ")
              << Cp1252ToUtf8(run.drawn.limitsLabel) << "\n";
    for (const std::string& line : run.drawn.infoLines) ctx.Out() << Cp1252ToUtf8(line) << "\n";
    ctx.Out() << "stars drawn: " << run.drawn.starsDrawn << ", listed: " << run.drawn.starsListed << "\n";
    return kExitOk;
}

int RunChartAt(CliContext& ctx, const ChartArgs& args) {
    ChartRun run(ctx);
    if (const int status = DrawChart(ctx, args, run, false); status != kExitOk) return status;
    const SkyDirection sky = run.view.PixelToCatalog(args.atX, args.atY);
    const SkyDirection horizon = run.view.CatalogToHorizontal(sky.first, sky.second);
    if (ctx.Json()) {
        PrintJson(ctx, {{"az_deg", horizon.first}, {"alt_deg", horizon.second}, {"ra_hours", sky.first},
                        {"dec_deg", sky.second}});
        return kExitOk;
    }
    char text[160];
    std::snprintf(text, sizeof text, "az_deg: %.4f\nalt_deg: %.4f\nra_hours: %.5f\ndec_deg: %.4f\n", horizon.first,
                  horizon.second, sky.first, sky.second);
    ctx.Out() << text;
    return kExitOk;
}

// How the selection is known: the deep-sky entry's designation, "HR" and the number of a
// default star, the catalog name of a walked star.
std::string SelectionDesignation(const ChartRun& run, const ChartSelection& selection) {
    if (selection.tableIndex >= 0) return ChartDesignation(run.objects[size_t(selection.tableIndex)]);
    if (selection.kind == kKindBrightStar || selection.kind == kKindHrStar)
        return HrDesignation(selection.number);
    return selection.name;
}

// The comet or minor planet a tap selected, with its place at the chart's instant.
const ChartMinorBody* TappedMinorBody(const ChartRun& run, const ChartSelection& selection) {
    if (selection.tableIndex < 0) return nullptr;
    const ChartObject& o = run.objects[size_t(selection.tableIndex)];
    if (!IsMinorBodyEntry(o) || size_t(o.number) >= run.scene.minorBodies.size()) return nullptr;
    return &run.scene.minorBodies[size_t(o.number)];
}

int RunChartTap(CliContext& ctx, const ChartArgs& args) {
    ChartRun run(ctx);
    if (const int status = DrawChart(ctx, args, run, false); status != kExitOk) return status;
    const std::optional<ChartSelection> hit =
        IdentifyAt(run.view, run.scene, run.size.width, int(std::lround(args.atX)), int(std::lround(args.atY)));
    if (!hit) return JobFailed(ctx, "nothing there");
    const std::string designation = Cp1252ToUtf8(SelectionDesignation(run, *hit));
    const std::string name = Cp1252ToUtf8(hit->name);
    const ChartMinorBody* minor = TappedMinorBody(run, *hit);
    if (ctx.Json()) {
        nlohmann::json out = {{"kind", hit->kind}, {"designation", designation}, {"name", name},
                              {"ra_hours", hit->raHours}, {"dec_deg", hit->decDeg}, {"magnitude", hit->magnitude},
                              {"table_index", hit->tableIndex}};
        if (minor) {
            out["label"] = MinorBodyLabel(minor->record);
            out["delta_au"] = minor->place.earthDistanceAu;
            out["element_age_days"] = minor->place.elementAgeDays;
        }
        PrintJson(ctx, out);
        return kExitOk;
    }
    char text[200];
    std::snprintf(text, sizeof text, "ra_hours: %.5f\ndec_deg: %.4f\nmagnitude: %.1f\ntable_index: %d\n",
                  hit->raHours, hit->decDeg, hit->magnitude, hit->tableIndex);
    ctx.Out() << "kind: " << hit->kind << "\ndesignation: " << designation << "\nname: " << name << "\n" << text;
    if (minor) {
        std::snprintf(text, sizeof text, "delta_au: %.4f\n", minor->place.earthDistanceAu);
        ctx.Out() << "label: " << MinorBodyLabel(minor->record) << "\n" << text
                  << ElementAgeText(minor->place.elementAgeDays) << "\n";
    }
    return kExitOk;
}

void AddViewOptions(CLI::App& command, ChartArgs& args) {
    command.add_option("--type", args.type, "0 Sky Map, 1 Horizon View, 2 Whole Sky, 3 Visible Sky, 4 Equatorial Sky")
        ->check(CLI::Range(0, 4));
    command.add_option("--zoom", args.zoom, "zoom level, 0 (180°) to 13 (0.5°)")->check(CLI::Range(0, 13));
    command.add_option("--center", args.center,
                       "centre on an object (M42, NGC 224), a body (moon, mars), a comet or minor planet (C/2023 A3, vesta)");
    AddNumber(command, "--center-az", args.centerAz, "DEG", "centre azimuth (with --center-alt)");
    AddNumber(command, "--center-alt", args.centerAlt, "DEG", "centre altitude");
    AddNumber(command, "--center-ra", args.centerRa, "H", "centre right ascension, J2000 (with --center-dec)");
    AddNumber(command, "--center-dec", args.centerDec, "DEG", "centre declination, J2000");
    command.add_option("--rotation", args.rotation, "turn of the Sky Map disc, degrees")->check(CLI::Range(-360, 360));
    AddChartPageOptions(command, args.page);
    command.add_option("--dpi", args.dpi, "logical pixels per inch: pu = dpi/48, scale factor dpi/96 (default 192)")
        ->check(CLI::Range(48, 960));
    command.add_option("--night", args.night, "night mode 0 off, 1 Dark, 2 Medium, 3 Bright")->check(CLI::Range(0, 3));
    command.add_option("--background", args.background, "black, blue or white")
        ->check(CLI::IsMember({"black", "blue", "white"}));
    command.add_option("--flip", args.flip, "0 normal, 1 vertical mirror, 2 turned by 180°, 3 horizontal mirror")
        ->check(CLI::Range(0, 3));
    command.get_option("--center")->excludes("--center-az")->excludes("--center-ra");
    command.get_option("--center-az")->excludes("--center-ra");
    AddChartOverlayOptions(command, args.overlay);
}

}  // namespace

void AddChartCommands(CommandRegistry& registry) {
    auto chart = std::make_shared<ChartArgs>();
    CLI::App* chartCommand = registry.Add(
        "chart", "The sky chart as the chart form draws it (defaults from the preferences); -o writes a PNG, SVG or PDF",
        [chart](CliContext& ctx) { return RunChart(ctx, *chart); });
    AddViewOptions(*chartCommand, *chart);
    chartCommand->add_option("-o,--output", chart->output, "file to write: .png, .svg or .pdf by its extension");
    AddChartScopeOptions(*chartCommand, chart->scope);
    chartCommand->footer("JSON keys: type, zoom, pu, center_x, center_y, scale_x, scale_y, fov_label, limits_label, "
                         "info_lines, stars_listed, selection [x, y; null when off the chart], overlays [telrad_px, "
                         "eyepiece_px, eyepiece_label, ccd_half_width_px, ccd_half_height_px, ccd_labels], scope [x, y, ra_hours, dec_deg of date; null when no marker "
                         "is on the chart], placed [kind (bright_star, star, object, body, comet, asteroid), designation, name, x, y, "
                         "ra_hours, dec_deg (of date for bodies, comets and asteroids), magnitude (where known)], labels [text, x, y, w, "
                         "h: the pixels each drawn name inks, top-left and size].");

    auto at = std::make_shared<ChartArgs>();
    CLI::App* atCommand = registry.Add(
        "at", "The sky position under a pixel of the chart: az_deg, alt_deg, ra_hours, dec_deg (J2000)",
        [at](CliContext& ctx) { return RunChartAt(ctx, *at); }, chartCommand);
    atCommand->add_option("x", at->atX, "chart pixel, from the left")->required()->check(FiniteNumber());
    atCommand->add_option("y", at->atY, "chart pixel, from the top")->required()->check(FiniteNumber());
    AddViewOptions(*atCommand, *at);

    auto tap = std::make_shared<ChartArgs>();
    CLI::App* tapCommand = registry.Add(
        "tap", "What a tap on a pixel of the chart selects: kind, designation, name, ra_hours, dec_deg, magnitude, "
               "table_index (-1 for stars), and for a comet or minor planet label, delta_au, element_age_days; "
               "fails with \"nothing there\"",
        [tap](CliContext& ctx) { return RunChartTap(ctx, *tap); }, chartCommand);
    tapCommand->add_option("x", tap->atX, "chart pixel, from the left")->required();
    tapCommand->add_option("y", tap->atY, "chart pixel, from the top")->required();
    AddViewOptions(*tapCommand, *tap);
}

}  // namespace vsp::cli
