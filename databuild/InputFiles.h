#pragma once
// Reading the packages' files: whole files (gzip or plain), lines, and the one message every
// step gives for an input that is missing or malformed.

#include <string>
#include <string_view>
#include <vector>

namespace vsp::databuild {

// The whole file, gunzipped when it is gzip data (plain files pass through). 1 / 0.
int ReadWholeFile(const std::string& path, std::string& out, std::string& problem);
// Lines without their end ("\n" or "\r\n").
std::vector<std::string_view> SplitLines(std::string_view text);
// Fields separated by `separator` (empty fields kept).
std::vector<std::string_view> SplitFields(std::string_view line, char separator);
std::string_view Trim(std::string_view text);

// "Cannot read PATH: WHY" / "PATH line N: WHY".
std::string InputProblem(const std::string& path, std::string_view why);
std::string InputLineProblem(const std::string& path, size_t lineNumber, std::string_view why);

}  // namespace vsp::databuild
