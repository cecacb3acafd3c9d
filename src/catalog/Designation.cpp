#include "catalog/Designation.h"

#include <cctype>
#include <cstdio>
#include <limits>

#include "platform/Text.h"

namespace vsp {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, at least one, within int32.
bool ParseDigits(std::string_view text, int32_t& value) {
    if (text.empty()) return false;
    int64_t v = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
    }
    value = int32_t(v);
    return true;
}

// Leading integer of `text` (optional sign then digits); `used` characters consumed.
bool LeadingInteger(std::string_view text, bool allowSign, int64_t& value, size_t& used) {
    size_t i = 0;
    bool negative = false;
    if (allowSign && i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsStart = i;
    int64_t v = 0;
    while (i < text.size() && IsDigit(text[i])) {
        v = v * 10 + (text[i] - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
        ++i;
    }
    if (i == digitsStart) return false;
    value = negative ? -v : v;
    used = i;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

bool HasOwnPrefix(const CatalogEntry& entry, int32_t index) {
    if (index == kCatalogNone) return false;
    const std::string_view prefix = CatalogPrefix(entry);
    return !TrimBlanks(prefix).empty();
}

// Typed text is read leniently by the finder; a whole designation must be exactly
// region-number with an optional "-1" (or any component) behind it.
bool IsTychoText(std::string_view text) {
    int64_t value = 0;
    size_t used = 0;
    for (int part = 0; part < 3 && !text.empty(); ++part) {
        if (part > 0) {
            if (text.front() != '-') return false;
            text.remove_prefix(1);
        }
        if (!LeadingInteger(text, part == 0, value, used)) return false;
        text.remove_prefix(used);
    }
    return text.empty();
}

// The number part after a prefix: optional blanks or one hyphen, then the number.
bool ParseNumberPart(int32_t catalog, std::string_view rest, int32_t& number) {
    size_t blanks = 0;
    while (blanks < rest.size() && rest[blanks] == ' ') ++blanks;
    rest.remove_prefix(blanks);
    if (blanks == 0 && !rest.empty() && rest.front() == '-' && catalog != kCatalogTycho)
        rest.remove_prefix(1);
    if (catalog == kCatalogTycho) return IsTychoText(rest) && TychoTextToNumber(rest, number);
    return ParseDigits(rest, number);
}

}  // namespace

std::string CatalogDesignation(const CatalogTable& catalogs, int32_t catalog, int32_t number) {
    if (catalog < 0 || catalog >= kCatalogCount) return {};
    const std::string prefix(CatalogPrefix(catalogs[size_t(catalog)]));
    char text[64];
    if (catalog == kCatalogTycho) {
        std::snprintf(text, sizeof text, "%s%ld-%ld-1", prefix.c_str(),
                      long(number / kTychoRegionFactor), long(number % kTychoRegionFactor));
    } else {
        std::snprintf(text, sizeof text, "%s%ld", prefix.c_str(), long(number));
    }
    return text;
}

ObjectNames ObjectDesignations(const CatalogTable& catalogs, const NumberedLists& lists,
                               uint16_t recordIndex, const ObjectRecord& record) {
    const ListNumberName listName = ListNameOfRecord(lists, recordIndex);
    ObjectNames names;
    names.first = RecordLabel(catalogs, listName, record.catalog, record.number);
    if (listName.catalog != 0) names.second = CatalogDesignation(catalogs, record.catalog, record.number);
    return names;
}

std::string RecordLabel(const CatalogTable& catalogs, const ListNumberName& listName, int32_t catalog, int32_t number) {
    return listName.catalog != 0 ? CatalogDesignation(catalogs, listName.catalog, listName.number)
                                 : CatalogDesignation(catalogs, catalog, number);
}

bool TychoTextToNumber(std::string_view text, int32_t& starNumber) {
    int64_t region = 0;
    size_t used = 0;
    if (!LeadingInteger(text, true, region, used)) return false;
    text.remove_prefix(used);
    if (text.empty()) return false;
    text.remove_prefix(1);  // the separator
    int64_t within = 0;
    if (!LeadingInteger(text, false, within, used)) return false;
    const int64_t star = region * kTychoRegionFactor + within;
    if (star > std::numeric_limits<int32_t>::max() || star < std::numeric_limits<int32_t>::min())
        return false;
    starNumber = int32_t(star);
    return true;
}

bool DesignationParse(const CatalogTable& catalogs, std::string_view text, int32_t& catalog,
                      int32_t& number) {
    text = TrimBlanks(text);
    // Longest prefix first, so "Berk" wins over "Be" and "B", "UGCA" over "UGC".
    int32_t bestCatalog = -1;
    int32_t bestNumber = 0;
    size_t bestLength = 0;
    for (int32_t i = 0; i < kCatalogCount; ++i) {
        const CatalogEntry& entry = catalogs[size_t(i)];
        if (!HasOwnPrefix(entry, i)) continue;
        const std::string_view prefix = CatalogPrefix(entry);
        if (prefix.size() <= bestLength || !StartsWithNoCase(text, prefix)) continue;
        int32_t value = 0;
        if (!ParseNumberPart(i, text.substr(prefix.size()), value)) continue;
        bestCatalog = i;
        bestNumber = value;
        bestLength = prefix.size();
    }
    if (bestCatalog < 0) return false;
    catalog = bestCatalog;
    number = bestNumber;
    return true;
}

}  // namespace vsp
