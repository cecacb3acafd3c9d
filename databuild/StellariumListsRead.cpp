#include <cctype>

#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Where `var NAME = [` opens in the script: the offset just after the '[', or npos.
size_t FindArrayStart(std::string_view text, std::string_view name) {
    for (size_t at = text.find("var"); at != std::string_view::npos; at = text.find("var", at + 3)) {
        if (at > 0 && IsIdentifierChar(text[at - 1])) continue;
        size_t cursor = text.find_first_not_of(" \t", at + 3);
        if (cursor == at + 3 || cursor == std::string_view::npos) continue;
        if (text.compare(cursor, name.size(), name) != 0) continue;
        cursor += name.size();
        if (cursor < text.size() && IsIdentifierChar(text[cursor])) continue;
        cursor = text.find_first_not_of(" \t", cursor);
        if (cursor == std::string_view::npos || text[cursor] != '=') continue;
        cursor = text.find_first_not_of(" \t\r\n", cursor + 1);
        if (cursor == std::string_view::npos || text[cursor] != '[') continue;
        return cursor + 1;
    }
    return std::string_view::npos;
}

size_t LineNumberAt(std::string_view text, size_t offset) {
    size_t line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) line += text[i] == '\n';
    return line;
}

}  // namespace

bool ReadScriptNumberList(const std::string& path, const std::string& name,
                         std::vector<int32_t>& out, std::string& problem) {
    out.clear();
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    const size_t start = FindArrayStart(text, name);
    const size_t end = start == std::string::npos ? start : text.find(']', start);
    if (end == std::string::npos) {
        problem = InputProblem(path, "no list \"var " + name + " = [ ... ]\"");
        return false;
    }
    const std::string_view body = std::string_view(text).substr(start, end - start);
    if (TrimBlanks(body).empty()) {
        problem = InputLineProblem(path, LineNumberAt(text, start), "the list " + name + " is empty");
        return false;
    }
    // JavaScript allows one trailing comma before ']'.
    std::vector<std::string_view> fields = SplitFields(body, ',');
    if (fields.size() > 1 && TrimBlanks(fields.back()).empty()) fields.pop_back();
    for (std::string_view field : fields) {
        const std::string_view number = TrimBlanks(field);
        int32_t value = 0;
        if (!ParseWhole(number, value)) {
            const char* at = number.empty() ? field.data() : number.data();
            std::string why = "\"";
            why.append(number).append("\" in ").append(name).append(" is not a whole number");
            problem = InputLineProblem(path, LineNumberAt(text, size_t(at - text.data())), why);
            out.clear();
            return false;
        }
        out.push_back(value);
    }
    return true;
}

}  // namespace vsp::databuild
