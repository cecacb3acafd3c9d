#include "cli/ChartPage.h"

#include <cmath>

namespace vsp::cli {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kMarginPoints = 36.0;

struct Paper {
    const char* name;
    double width, height;  // points, portrait
};
constexpr Paper kPapers[] = {{"a4", 595.276, 841.890}, {"letter", 612.0, 792.0}};

}  // namespace

void AddChartPageOptions(CLI::App& command, ChartPageArgs& args) {
    command.add_option("--size", args.size, "chart area WxH in pixels (default 480x640)");
    command.add_option("--paper", args.paper, "fill the printable area of an a4 or letter page (SVG, PDF; PNG at --dpi)")
        ->check(CLI::IsMember({"a4", "letter"}));
    command.add_flag("--landscape", args.landscape, "the --paper page turned sideways")->needs("--paper");
    command.get_option("--paper")->excludes("--size");
}

bool MakeChartPage(const ChartPageArgs& args, int dpi, ChartPage& page, std::string& usage) {
    page = ChartPage{};
    if (args.paper) {
        for (const Paper& paper : kPapers) {
            if (*args.paper != paper.name) continue;
            page.pageWidth = args.landscape ? paper.height : paper.width;
            page.pageHeight = args.landscape ? paper.width : paper.height;
        }
        page.scale = kPointsPerInch / dpi;
        page.left = page.top = kMarginPoints;
        page.width = int((page.pageWidth - 2 * kMarginPoints) / page.scale);
        page.height = int((page.pageHeight - 2 * kMarginPoints) / page.scale);
        return true;
    }
    if (args.size && !ParsePixelSize(*args.size, page.width, page.height)) {
        usage = kPixelSizeUsage + *args.size;
        return false;
    }
    page.pageWidth = page.width;
    page.pageHeight = page.height;
    return true;
}

bool ChartDocument::Open(const std::string& path, VectorFormat format, const ChartPage& page, std::string& error) {
    page_ = page;
    return document_.Open(path, format, page.pageWidth, page.pageHeight, error);
}

}  // namespace vsp::cli
