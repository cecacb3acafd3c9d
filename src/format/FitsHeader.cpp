#include "format/FitsHeader.h"

#include <algorithm>

namespace vsp {

namespace {

constexpr std::string_view kEndCard = "END";

std::string_view KeywordOf(std::string_view card) {
    const std::string_view keyword = card.substr(0, 8);
    return keyword.substr(0, keyword.find_last_not_of(' ') + 1);
}

bool IsEnd(std::string_view card) {
    return KeywordOf(card) == kEndCard && card.find_first_not_of(' ', 3) == std::string_view::npos;
}

size_t WholeBlocks(size_t bytes) { return (bytes + kFitsBlockLength - 1) / kFitsBlockLength * kFitsBlockLength; }

}  // namespace

std::string FitsString(std::string_view text) {
    std::string quoted = "'";
    // 68 columns from column 11 hold the quotes; a doubled quote takes two.
    for (char c : text) {
        const char shown = c >= ' ' && c <= '~' ? c : '?';
        if (quoted.size() + (shown == '\'' ? 2 : 1) > kFitsCardLength - 10 - 1) break;
        quoted += shown;
        if (shown == '\'') quoted += '\'';
    }
    // A string value is at least eight characters between its quotes.
    while (quoted.size() < 9) quoted += ' ';
    return quoted + "'";
}

std::string FitsCardText(const FitsCard& card) {
    std::string text = card.keyword.substr(0, 8);
    text.resize(8, ' ');
    text += "= ";
    const bool quoted = card.value.starts_with('\'');
    std::string value = card.value;
    if (!quoted && value.size() < 20) value.insert(0, 20 - value.size(), ' ');
    text += value;
    if (!card.comment.empty() && text.size() + 3 < kFitsCardLength) text += " / " + card.comment;
    text.resize(kFitsCardLength, ' ');
    return text;
}

std::optional<std::string> SetFitsCards(std::string_view fits, const std::vector<FitsCard>& cards) {
    if (fits.size() < kFitsBlockLength || !fits.starts_with("SIMPLE  =")) return std::nullopt;
    std::vector<std::string> header;
    size_t end = std::string_view::npos;
    for (size_t at = 0; at + kFitsCardLength <= fits.size(); at += kFitsCardLength) {
        const std::string_view card = fits.substr(at, kFitsCardLength);
        if (IsEnd(card)) {
            end = at;
            break;
        }
        header.emplace_back(card);
    }
    if (end == std::string_view::npos) return std::nullopt;
    const size_t dataStart = WholeBlocks(end + kFitsCardLength);
    if (dataStart > fits.size()) return std::nullopt;
    for (const FitsCard& card : cards) {
        const auto same = std::ranges::find_if(header, [&](const std::string& c) { return KeywordOf(c) == card.keyword; });
        if (same != header.end()) *same = FitsCardText(card);
        else header.push_back(FitsCardText(card));
    }
    std::string out;
    for (const std::string& card : header) out += card;
    out += std::string(kEndCard) + std::string(kFitsCardLength - kEndCard.size(), ' ');
    out.resize(WholeBlocks(out.size()), ' ');
    out += fits.substr(dataStart);
    return out;
}

}  // namespace vsp
