#include "cli/ChartOverlayOptions.h"

#include "cli/SkyTarget.h"
#include "platform/Text.h"

namespace vsp::cli {

void AddChartOverlayOptions(CLI::App& command, ChartOverlayArgs& args) {
    command.add_option("--select", args.select,
                       "select an object or body (as --center finds it) or a star (HR7001, HIP91262, TYC..., Vega); "
                       "centred charts turn to it, horizontal charts keep their centre");
    command.add_flag("--telrad", args.telrad, "draw the Telrad rings about the selection");
    command.add_option("--eyepiece", args.eyepiece,
                       "draw the field of eyepiece N of the list about the selection (0 none)")
        ->check(CLI::Range(0, 9999));
    command.add_flag("--ccd", args.ccd, "draw the CCD frame about the selection (zoom 7 and above)");
    command.get_option("--select")->excludes("--center");
}

void ApplyOverlayOptions(const ChartOverlayArgs& args, Preferences& prefs) {
    if (args.telrad) prefs.telrad = true;
    if (args.ccd) prefs.fovCcd = true;
    if (args.eyepiece) {
        prefs.eyepiece = *args.eyepiece;
        prefs.fovEyepiece = *args.eyepiece > 0;
    }
}

bool SelectSkyTarget(CliContext& ctx, const std::string& text, ChartScene& scene, int& status) {
    const std::optional<SkyTarget> target = ResolveSkyTarget(ctx, text, status);
    if (!target) return false;
    scene.selected = -1;
    scene.selectedStar = ChartMark{.raHours = target->raHours,
                                   .decDeg = target->decDegrees,
                                   .magnitude = target->magnitude,
                                   .name = Utf8ToCp1252(target->name)};
    return true;
}

nlohmann::json ChartSelectionJson(const ChartDrawn& drawn) {
    if (!drawn.selectionAt) return nullptr;
    return {{"x", drawn.selectionAt->x}, {"y", drawn.selectionAt->y}};
}

nlohmann::json ChartOverlaysJson(const ChartDrawn& drawn) {
    const ChartOverlays& o = drawn.overlays;
    nlohmann::json ccdLabels = nlohmann::json::array();
    for (const std::string& label : o.ccdLabels) ccdLabels.push_back(Cp1252ToUtf8(label));
    return {{"telrad_px", o.telradPx.empty() ? nlohmann::json(nullptr) : nlohmann::json(o.telradPx)},
            {"eyepiece_px", o.eyepiecePx ? nlohmann::json(*o.eyepiecePx) : nlohmann::json(nullptr)},
            {"eyepiece_label", Cp1252ToUtf8(o.eyepieceLabel)},
            {"ccd_half_width_px", o.ccdHalfPx ? nlohmann::json(o.ccdHalfPx->first) : nlohmann::json(nullptr)},
            {"ccd_half_height_px", o.ccdHalfPx ? nlohmann::json(o.ccdHalfPx->second) : nlohmann::json(nullptr)},
            {"ccd_labels", ccdLabels}};
}

}  // namespace vsp::cli
