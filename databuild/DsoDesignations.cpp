#include "databuild/DsoDesignations.h"
#include "databuild/InputFiles.h"

#include <cctype>
#include <limits>

#include "catalog/CatalogTable.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

struct SlotInfo {
    const char* prefix;  // as names.dat writes it
    int32_t row;         // catalog table row, -1 none
};

// In the order of the StellariumId slots.
constexpr SlotInfo kSlots[kStellariumIdCount] = {
    {"NGC", kCatalogNgc}, {"IC", kCatalogIc}, {"M", kCatalogMessier}, {"C", kCatalogCaldwell},
    {"B", kCatalogBarnard}, {"SH2", kCatalogSharpless}, {"VDB", kCatalogVdb}, {"RCW", kCatalogRcw},
    {"LDN", kCatalogLynds}, {"LBN", -1}, {"CR", kCatalogCollinder}, {"MEL", kCatalogMelotte},
    {"PGC", -1}, {"UGC", kCatalogUgc}, {"CED", kCatalogCederblad}, {"ARP", -1},
    {"VV", -1}, {"PK", -1}, {"PNG", -1}, {"SNRG", -1},
    {"ACO", kCatalogAbell}, {"HCG", -1}, {"ESO", -1}, {"VDBH", -1},
    {"DWB", -1}, {"TR", kCatalogTrumpler}, {"ST", kCatalogStock}, {"RU", kCatalogRuprecht},
    {"VDBHA", kCatalogVdbHa},
};

// Prefixes of OpenNGC long-name parts that name a table row. PGC, MCG and the like have no
// row; "Abell" is left out because OpenNGC's Abell objects are planetary nebulae while the
// table's Abell row holds the galaxy clusters.
constexpr struct {
    const char* prefix;
    int32_t row;
} kLongNamePrefixes[] = {
    {"NGC", kCatalogNgc},      {"IC", kCatalogIc},         {"UGC", kCatalogUgc},
    {"UGCA", kCatalogUgca},    {"M", kCatalogMessier},     {"Mel", kCatalogMelotte},
    {"Cr", kCatalogCollinder}, {"Tr", kCatalogTrumpler},   {"Ru", kCatalogRuprecht},
    {"Pal", kCatalogPalomar},
};

constexpr struct {
    const char* prefix;
    int32_t row;
} kLocalGroupPrefixes[] = {{"Palomar", kCatalogPalomar},
                               {"Terzan", kCatalogTerzan},
                               {"UGCA", kCatalogUgca}};

// A catalog number: digits only, at least 1.
bool Digits(std::string_view text, int32_t& number) {
    int32_t value = 0;
    if (text.empty() || text.front() == '-' || !ParseWhole(text, value) || value <= 0) return false;
    number = value;
    return true;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

int32_t StellariumSlotRow(int slot) {
    return slot >= 0 && slot < kStellariumIdCount ? kSlots[slot].row : -1;
}

std::string_view StellariumSlotPrefix(int slot) {
    return slot >= 0 && slot < kStellariumIdCount ? kSlots[slot].prefix : "";
}

bool DesignationNumber(int32_t catalog, std::string_view text, int32_t& number) {
    text = TrimBlanks(text);
    if (catalog == kCatalogCederblad) {
        size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
        return Digits(text.substr(0, digits), number);
    }
    return Digits(text, number);
}

bool OpenNgcIdentifier(std::string_view identifier, int32_t& catalog, int32_t& number, bool& plain) {
    size_t prefix = 0;
    if (identifier.starts_with("NGC")) {
        catalog = kCatalogNgc;
        prefix = 3;
    } else if (identifier.starts_with("IC")) {
        catalog = kCatalogIc;
        prefix = 2;
    } else {
        return false;
    }
    size_t end = prefix;
    while (end < identifier.size() && identifier[end] >= '0' && identifier[end] <= '9') ++end;
    if (!Digits(identifier.substr(prefix, end - prefix), number)) return false;
    plain = end == identifier.size();
    return true;
}

int32_t MessierNumberOf(std::string_view name) {
    name = TrimBlanks(name);
    if (!name.starts_with("M ")) return 0;
    int32_t number = 0;
    return Digits(TrimBlanks(name.substr(2)), number) ? number : 0;
}

bool LongNamePartDesignation(std::string_view part, int32_t& catalog, int32_t& number) {
    part = TrimBlanks(part);
    const size_t blank = part.find(' ');
    if (blank == std::string_view::npos) return false;
    const std::string_view prefix = part.substr(0, blank);
    for (const auto& known : kLongNamePrefixes) {
        if (prefix != known.prefix) continue;
        if (!Digits(TrimBlanks(part.substr(blank + 1)), number)) return false;
        catalog = known.row;
        return true;
    }
    return false;
}

bool LocalGroupDesignation(std::string_view id, int32_t& catalog, int32_t& number) {
    for (const auto& known : kLocalGroupPrefixes) {
        const std::string_view prefix(known.prefix);
        if (!id.starts_with(prefix)) continue;
        if (!Digits(id.substr(prefix.size()), number)) return false;
        catalog = known.row;
        return true;
    }
    return false;
}

std::string NameKey(std::string_view prefix, std::string_view id) {
    prefix = TrimBlanks(prefix);
    id = TrimBlanks(id);
    if (prefix.empty()) return std::string("#").append(id);
    return Upper(prefix) + " " + Upper(id);
}

std::string NameKeyOfText(std::string_view text) {
    text = TrimBlanks(text);
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {};
    return NameKey(text.substr(0, blank), text.substr(blank + 1));
}

}  // namespace vsp::databuild
