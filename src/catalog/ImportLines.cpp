#include "catalog/ImportLines.h"

#include <algorithm>
#include <cmath>

#include "platform/ParseNumber.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"

namespace vsp {
namespace {

ImportFields TrimmedFields(std::string_view line) {
    ImportFields fields = SplitFields(line, ';');
    for (std::string_view& field : fields) field = TrimBlanks(field);
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    return fields;
}

}  // namespace

ImportCount ForEachImportLine(std::string_view text, std::string_view header,
                              const std::function<bool(const ImportFields&)>& accept) {
    const ImportFields headerFields = TrimmedFields(header);
    ImportCount count;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (TrimBlanks(line).empty()) continue;
        const ImportFields fields = TrimmedFields(line);
        if (fields == headerFields) continue;
        ++(fields.size() == headerFields.size() && accept(fields) ? count.accepted : count.rejected);
    }
    return count;
}

std::optional<double> ParseImportNumber(std::string_view field) {
    double value = 0.0;
    if (!ParseWhole(field, value) || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool FitsTextField(std::string_view text, int32_t size) { return text.size() < size_t(size); }

}  // namespace vsp
