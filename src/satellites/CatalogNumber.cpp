#include "satellites/CatalogNumber.h"

#include "platform/Text.h"

namespace vsp {
namespace {

// The Alpha-5 letters in order; letter k stands for 10 + k in the first two digits.
constexpr std::string_view kAlpha5Letters = "ABCDEFGHJKLMNPQRSTUVWXYZ";

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int64_t DigitsValue(std::string_view digits) {
    int64_t value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<std::string> Alpha5Text(int64_t number) {
    if (number < 0 || number > kLargestAlpha5Number) return std::nullopt;
    std::string text = std::to_string(number % 10000);
    text.insert(0, 4 - text.size(), '0');
    const int64_t lead = number / 10000;
    return (lead < 10 ? std::string(1, char('0' + lead)) : std::string(1, kAlpha5Letters[size_t(lead - 10)])) + text;
}

std::optional<int64_t> ParseAlpha5(std::string_view columns) {
    const std::string_view text = TrimBlanks(columns);
    if (text.size() == 5 && !AllDigits(text.substr(0, 1)) && AllDigits(text.substr(1))) {
        const size_t letter = kAlpha5Letters.find(char(text[0] & ~0x20));  // either case
        if (letter == std::string_view::npos) return std::nullopt;
        return int64_t(10 + letter) * 10000 + DigitsValue(text.substr(1));
    }
    if (text.size() > 5 || !AllDigits(text)) return std::nullopt;
    return DigitsValue(text);
}

std::optional<int64_t> SatelliteCatalogNumber(const SatelliteRecord& record) {
    if (record.largeCatalogNumber > 0) return record.largeCatalogNumber;
    if (record.line1.size() < 7) return std::nullopt;
    return ParseAlpha5(std::string_view(record.line1).substr(2, 5));
}

std::optional<int64_t> ParseTypedCatalogNumber(std::string_view typed) {
    const std::string_view text = TrimBlanks(typed);
    if (AllDigits(text) && text.size() <= 9) return DigitsValue(text);
    return text.size() == 5 ? ParseAlpha5(text) : std::nullopt;
}

}  // namespace vsp
