#pragma once
// Where a chart goes on the page of its file: a PNG or a --size vector file is the chart
// itself (one page unit per pixel); --paper puts the chart over the printable area of an A4
// or US Letter page, half an inch in from each edge, at the chart's dots per inch.
#include <optional>
#include <string>

#include "chart/ChartRenderer.h"
#include "cli/Command.h"
#include "platform/vector/VectorSurface.h"

namespace vsp::cli {

struct ChartPage {
    int width = 480;           // chart pixels
    int height = 640;
    double pageWidth = 480.0;  // page units: PDF points, SVG user units
    double pageHeight = 640.0;
    double left = 0.0;         // the chart's top-left on the page
    double top = 0.0;
    double scale = 1.0;        // page units per chart pixel
};

struct ChartPageArgs {
    std::optional<std::string> size;   // WxH pixels
    std::optional<std::string> paper;  // a4, letter
    bool landscape = false;
};

void AddChartPageOptions(CLI::App& command, ChartPageArgs& args);
// The page the options ask for at `dpi`; false with the usage message given when --size is
// unreadable.
bool MakeChartPage(const ChartPageArgs& args, int dpi, ChartPage& page, std::string& usage);

// Draws charts as pages of one SVG or PDF file.
class ChartDocument {
public:
    bool Open(const std::string& path, VectorFormat format, const ChartPage& page, std::string& error);
    // One more page, drawn by `draw` on a surface of the page's chart size.
    template <class Draw>
    void AddPage(Draw&& draw) {
        if (pages_++ > 0) document_.NextPage();
        VectorSurface surface(document_, page_.width, page_.height, page_.left, page_.top, page_.scale);
        draw(static_cast<DrawSurface&>(surface));
    }
    bool Close(std::string& error) { return document_.Close(error); }

private:
    VectorDocument document_;
    ChartPage page_;
    int pages_ = 0;
};

}  // namespace vsp::cli
