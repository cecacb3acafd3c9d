#include "forms/FinderEdit.h"

#include "catalog/Designation.h"

namespace vsp {
namespace {

bool IsKeypadKey(char key) { return (key >= '0' && key <= '9') || key == '-'; }

}  // namespace

std::string FinderTextEdited(FinderField& field, const CatalogTable& catalogs, InfoSink& messages,
                             const std::string& text) {
    const std::string& shown = field.text;
    std::string own = text;
    if (text.size() == shown.size() + 1 && text.starts_with(shown)) {
        const char key = text.back();
        if (IsKeypadKey(key)) {
            FinderTypeKey(field, catalogs, messages, key);
            return field.text;
        }
        if (field.typed.empty()) own = std::string(1, key);
    } else if (shown.size() == text.size() + 1 && shown.starts_with(text) && !field.typed.empty()) {
        FinderTypeKey(field, catalogs, messages, kFinderBackspace);
        return field.text;
    }
    int32_t catalog = 0, number = 0;
    if (!DesignationParse(catalogs, own, catalog, number)) return own;
    FinderSelectCatalog(field, catalogs, catalog);
    // What follows the prefix: the digits, and for Tycho the separators between them.
    for (const char key : own.substr(CatalogPrefix(catalogs[size_t(catalog)]).size())) {
        const bool taken = (key >= '0' && key <= '9') || (key == '-' && catalog == kCatalogTycho);
        if (taken && !FinderTypeKey(field, catalogs, messages, key)) break;
    }
    return field.text;
}

bool FinderTarget(const FinderField& field, const CatalogTable& catalogs, InfoSink& messages,
                  const std::string& text, int32_t& catalog, int32_t& number) {
    if (text == field.text && FinderIdentity(field, messages, catalog, number)) return true;
    if (text != field.text && DesignationParse(catalogs, text, catalog, number)) return true;
    // The Tycho rule has said what is wrong with its text.
    if (field.catalog != kCatalogTycho || text != field.text)
        messages.InfoBox(kFinderNotADesignation, kFinderNotADesignationHelp);
    return false;
}

}  // namespace vsp
