#include "catalog/CatalogTable.h"

#include <cstring>

namespace vsp {
namespace {

struct CatalogName {
    const char* prefix;
    const char* longName;
};

constexpr CatalogName kCatalogNames[kCatalogCount] = {
    {"None", "No Criteria"},  {"Abell", "Abell"},         {"B", "Barnard"},
    {"Basel", "Basel"},       {"Berk", "Berkeley"},       {"Be", "Bernes"},
    {"Biur", "Biurakan"},     {"Blanco", "Blanco"},       {"Bochum", "Bochum"},
    {"C", "Caldwell"},        {"Ced", "Cederblad"},       {"Cr", "Collinder"},
    {"Comet", "Comet&Asteroid"}, {"      ", "Constellation"}, {"Czernik", "Czernik"},
    {"Do", "Dolidze"},        {"DoDz", "Dolidze-Dzimselej"}, {"Graff", "Graff"},
    {"Graham", "Graham"},     {"Grindlay", "Grindlay"},   {"Gum", "Gum"},
    {"HA", "HA"},             {"Haffner", "Haffner"},     {"Harvard", "Harvard"},
    {"HP", "Haute Provence"}, {"H", "Herschel"},          {"HIP", "Hipparchos"},
    {"Hogg", "Hogg"},         {"HR", "HR"},               {"IC", "IC"},
    {"Isk", "Iskudarian"},    {"King", "King"},           {"Lg", "Lg"},
    {"Liller", "Liller"},     {"LDN", "Lynds"},           {"Lynga", "Lynga"},
    {"Maffei", "Maffei"},     {"Mrk", "Markarian"},       {"Mayer", "Mayer"},
    {"Mel", "Melotte"},       {"M", "Messier"},           {"Meteor", "Meteor Showers"},
    {"NGC", "NGC"},           {"Pal", "Palomar"},         {"Pismis", "Pismis"},
    {"      ", "Planet"},     {"RCW", "RCW"},             {"Roslund", "Roslund"},
    {"Ru", "Ruprecht"},       {"SAC", "110 Best of NGC"}, {"Sa", "Sandqvist"},
    {"SAO", "SAO Double Star"}, {"Sh2", "Sharpless"},     {"SL", "SL"},
    {"      ", "Stars (Brighest)"}, {"Steph", "Stephenson"}, {"Stock", "Stock"},
    {"Ter", "Terzan"},        {"Tombaugh", "Tombaugh"},   {"Tr", "Trumpler"},
    {"TYC", "Tycho"},         {"UGC", "UGC"},             {"UGCA", "UGCA"},
    {"User", "User catalog"}, {"vdB", "Van den Bergh"},   {"vdB-Ha", "Van den Bergh-Hagen"},
    {"Waterloo", "Waterloo"}, {"Westr", "Westerlund"},
};

struct CatalogRange {
    int index;
    uint16_t first;
    uint16_t end;
};

// The ranges of the 18k object file (ordered by catalog row, then number).
constexpr CatalogRange kObjectFileRanges[] = {
    {1, 1130, 3869},    // Abell
    {2, 3869, 3985},    // Barnard
    {11, 4114, 4185},   // Collinder
    {29, 4345, 9978},   // IC
    {39, 10038, 10050}, // Melotte
    {42, 10055, 18521}, // NGC
    {52, 18913, 18957}, // Sharpless
    {61, 19036, 19303}, // UGC
    {67, 19401, 19402}, // Westerlund
};

void CopyPadded(char* out, size_t size, const char* text) {
    std::memset(out, 0, size);
    std::strncpy(out, text, size - 1);
}

std::string_view Padded(const char* field, size_t size) {
    return std::string_view(field, strnlen(field, size));
}

}  // namespace

CatalogTable DefaultCatalogTable() {
    CatalogTable table{};
    for (int i = 0; i < kCatalogCount; ++i) {
        CopyPadded(table[i].prefix, sizeof table[i].prefix, kCatalogNames[i].prefix);
        CopyPadded(table[i].longName, sizeof table[i].longName, kCatalogNames[i].longName);
        table[i].firstRecord = kCatalogNoFirstRecord;
        table[i].endRecord = 0;
    }
    for (const CatalogRange& range : kObjectFileRanges) {
        table[range.index].firstRecord = range.first;
        table[range.index].endRecord = range.end;
    }
    return table;
}

void UseOneKObjectRanges(CatalogTable& table) {
    for (CatalogEntry& entry : table) {
        entry.firstRecord = kCatalogNoFirstRecord;
        entry.endRecord = 0;
    }
    table[kCatalogIc].firstRecord = 0;
    table[kCatalogIc].endRecord = 72;
    table[kCatalogNgc].firstRecord = 72;
    table[kCatalogNgc].endRecord = 1126;
}

std::string_view CatalogPrefix(const CatalogEntry& entry) {
    return Padded(entry.prefix, sizeof entry.prefix);
}

std::string_view CatalogLongName(const CatalogEntry& entry) {
    return Padded(entry.longName, sizeof entry.longName);
}

bool CatalogHasRecords(const CatalogEntry& entry) {
    return entry.firstRecord != kCatalogNoFirstRecord && entry.endRecord > entry.firstRecord;
}

}  // namespace vsp
