#include "app/KeptScale.h"

#include <cstdio>
#include <string>

#include "platform/ParseNumber.h"
#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"

namespace vsp::app {
namespace {

constexpr char kFileName[] = "window_dpi";
constexpr int kLowestDpi = 48, kHighestDpi = 960;

}  // namespace

std::optional<int> ReadKeptDpi(const ProgramDir& dir) {
    std::string text;
    if (ReadWholeFile(dir.Path(kFileName), 16, text) != FileReadResult::Read) return std::nullopt;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    int dpi = 0;
    if (!ParseWhole(text, dpi) || dpi < kLowestDpi || dpi > kHighestDpi) return std::nullopt;
    return dpi;
}

bool KeepDpi(const ProgramDir& dir, int dpi) {
    return ReplaceFile(dir.Path(kFileName), [dpi](std::FILE* file) { return std::fprintf(file, "%d\n", dpi) > 0; });
}

}  // namespace vsp::app
