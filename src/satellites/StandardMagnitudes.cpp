#include "satellites/StandardMagnitudes.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "platform/UserFilesLock.h"
#include "satellites/SatelliteDatabase.h"

namespace vsp {
namespace {

constexpr double kMagnitudeLimit = 30.0;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

template <class T>
bool ParseWhole(std::string_view s, T& value) {
    if (s.empty() || s.front() == '+') return false;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc{} && end == s.data() + s.size();
}

std::optional<std::string> LineFault(std::string_view line, int64_t& number, double& magnitude) {
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) return "no comma between number and magnitude";
    if (!ParseWhole(Trim(line.substr(0, comma)), number) || number < 1 || number > kLargestCatalogNumber)
        return "catalog number not a whole number from 1 to 999999999";
    if (!ParseWhole(Trim(line.substr(comma + 1)), magnitude) || !std::isfinite(magnitude) ||
        std::fabs(magnitude) > kMagnitudeLimit)
        return "standard magnitude not a number from -30 to 30";
    return std::nullopt;
}

std::string KeptPath(const ProgramDir& dir) { return dir.Path(kUserCatalogsDir, kMagnitudesFileName); }

}  // namespace

std::string FormatStandardMagnitudes(const std::map<int64_t, double>& byNumber) {
    std::string text;
    for (const auto& [number, magnitude] : byNumber) {
        char figure[32];
        const auto end = std::to_chars(figure, figure + sizeof figure, magnitude).ptr;  // shortest exact
        text += std::to_string(number) + ", " + std::string(figure, end) + "\n";
    }
    return text;
}

StandardMagnitudes ParseStandardMagnitudes(std::string_view text) {
    StandardMagnitudes result;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        int64_t number = 0;
        double magnitude = 0.0;
        if (const auto fault = LineFault(line, number, magnitude)) {
            result.rejects.push_back({lineNumber, *fault});
            continue;
        }
        result.byNumber[number] = magnitude;
    }
    return result;
}

StandardMagnitudes ReadStandardMagnitudes(const ProgramDir& dir) {
    std::string text;
    if (ReadWholeFile(KeptPath(dir), kMagnitudesFileLimit, text) != FileReadResult::Read) return {};
    return ParseStandardMagnitudes(text);
}

std::optional<double> StandardMagnitudeOf(const StandardMagnitudes& magnitudes, int64_t number) {
    if (const auto it = magnitudes.byNumber.find(number); it != magnitudes.byNumber.end()) return it->second;
    if (number == kIssCatalogNumber) return kIssStandardMagnitude;
    return std::nullopt;
}

bool ImportStandardMagnitudes(const ProgramDir& dir, const std::string& path, InfoSink& messages,
                              MagnitudeImport& result) {
    std::string text;
    const FileReadResult read = ReadWholeFile(path, kMagnitudesFileLimit, text);
    if (read != FileReadResult::Read) {
        messages.InfoBox(read == FileReadResult::TooLarge ? "Magnitudes file too large: " + path
                                                          : "Could not read the magnitudes file: " + path,
                         "");
        return false;
    }
    const StandardMagnitudes parsed = ParseStandardMagnitudes(text);
    result.rejects = parsed.rejects;
    result.imported = static_cast<int>(parsed.byNumber.size());
    if (parsed.byNumber.empty()) {
        messages.InfoBox("No standard magnitude in " + path, "");
        return false;
    }
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) return false;
    MakeDirectory(dir.Path(kUserCatalogsDir));
    const std::string kept = FormatStandardMagnitudes(parsed.byNumber);
    if (!ReplaceFile(KeptPath(dir),
                     [&](std::FILE* file) { return std::fwrite(kept.data(), 1, kept.size(), file) == kept.size(); })) {
        messages.InfoBox("Could not write " + KeptPath(dir), "");
        return false;
    }
    return true;
}

}  // namespace vsp
