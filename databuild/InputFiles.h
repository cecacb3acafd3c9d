#pragma once
// Reading the packages' files: where they lie, whole files (gzip or plain), lines, numbers,
// and the one message every step gives for an input that is missing or malformed.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ParseNumber.h"

namespace vsp::databuild {

// `relative` inside the folder `dir` ("" for the current folder).
std::string PathBelow(const std::string& dir, std::string_view relative);

// Hands the file's content to `onPiece` piece by piece, gunzipped when it is gzip data (plain
// files pass through); stops when `onPiece` answers false. False when the file cannot be
// read, is damaged or ends before its gzip stream does (`problem` names the file), or when
// `onPiece` stopped (which then says why).
bool ReadPieces(const std::string& path, const std::function<bool(std::string_view)>& onPiece,
                std::string& problem);
// The whole file through ReadPieces.
bool ReadWholeFile(const std::string& path, std::string& out, std::string& problem);
// Lines without their end ("\n" or "\r\n").
std::vector<std::string_view> SplitLines(std::string_view text);

// "Cannot read PATH: WHY" / "PATH line N: WHY".
std::string InputProblem(const std::string& path, std::string_view why);
std::string InputLineProblem(const std::string& path, size_t lineNumber, std::string_view why);

}  // namespace vsp::databuild
