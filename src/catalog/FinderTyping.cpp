#include "catalog/FinderTyping.h"

#include "catalog/Designation.h"
#include "catalog/NumberedLists.h"

namespace vsp {
namespace {

bool IsPopupCatalog(int32_t catalog) {
    switch (catalog) {
        case kCatalogComet:
        case kCatalogConstellation:
        case kCatalogMeteor:
        case kCatalogPlanet:
        case kCatalogBrightStars:
        case kCatalogUser:
            return true;
        default:
            return false;
    }
}

size_t DigitLimit(int32_t catalog) {
    switch (catalog) {
        case kCatalogCaldwell:
        case kCatalogMessier:
        case kCatalogSac:
        case kCatalogHerschel:
            return 3;
        case kCatalogHip:
        case kCatalogSao:
            return 6;
        case kCatalogTycho:
            return kFinderTychoLength;
        default:
            return 4;  // HR and every catalog of the object file
    }
}

bool IsStarCatalog(int32_t catalog) {
    return catalog == kCatalogHip || catalog == kCatalogSao || catalog == kCatalogHr ||
           catalog == kCatalogTycho;
}

int32_t ReadNumber(const std::string& typed) {
    int64_t value = 0;
    for (char c : typed) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return int32_t(value);
}

void Show(FinderField& field, const CatalogTable& catalogs) {
    field.text = std::string(CatalogPrefix(catalogs[size_t(field.catalog)])) + field.typed;
    field.number = field.catalog == kCatalogTycho ? 0 : ReadNumber(field.typed);
}

}  // namespace

void FinderSelectCatalog(FinderField& field, const CatalogTable& catalogs, int32_t catalog) {
    field.catalog = catalog >= 0 && catalog < kCatalogCount ? catalog : kCatalogNone;
    field.typed.clear();
    Show(field, catalogs);
}

bool FinderTypeKey(FinderField& field, const CatalogTable& catalogs, InfoSink& messages, char key) {
    const int32_t catalog = field.catalog;
    if (IsPopupCatalog(catalog)) {
        messages.InfoBox(kFinderUsePopup, "");
        return false;
    }
    if (key == kFinderBackspace) {
        if (field.typed.empty()) return false;
        field.typed.pop_back();
        Show(field, catalogs);
        return true;
    }
    const bool digit = key >= '0' && key <= '9';
    if (!digit && !(catalog == kCatalogTycho && key == '-')) return false;
    if (!IsListCatalog(catalog) && !IsStarCatalog(catalog) &&
        !CatalogHasRecords(catalogs[size_t(catalog)])) {
        messages.InfoBox(kFinderNoObjects, "");
        return false;
    }
    if (field.typed.size() + 1 > DigitLimit(catalog)) {
        messages.InfoBox(kFinderTooManyDigits, "");
        return false;
    }
    const std::string typed = field.typed + key;
    if (IsListCatalog(catalog)) {
        const int32_t value = ReadNumber(typed);
        if (value < 1 || value > ListLastNumber(catalog)) return false;
    }
    field.typed = typed;
    Show(field, catalogs);
    return true;
}

bool FinderIdentity(const FinderField& field, InfoSink& messages, int32_t& catalog, int32_t& number) {
    if (field.catalog == kCatalogTycho) {
        int32_t star = 0;
        if (!TychoTextToNumber(field.typed, star)) {
            messages.InfoBox(kFinderTychoFormat, kFinderTychoFormatHelp);
            return false;
        }
        catalog = field.catalog;
        number = star;
        return true;
    }
    if (field.typed.empty()) return false;
    catalog = field.catalog;
    number = field.number;
    return true;
}

}  // namespace vsp
