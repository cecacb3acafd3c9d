// Designations as users give them: typed text read as a catalog and number ("NGC 7000",
// "m31", "TYC 4660-1234-1") and looked up in the catalogs, a bright star's name, and the
// finder's keypad and keyboard: a catalog chosen, then keys typed one by one and the field's
// text edited as a whole.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "catalog/Designation.h"
#include "catalog/FinderTyping.h"
#include "catalog/ObjectLookup.h"
#include "catalog/StarLookup.h"
#include "forms/FinderEdit.h"
#include "fuzz/FuzzSky.h"

namespace {

using namespace vsp;

void LookUp(CatalogSession& sky, int32_t catalog, int32_t number) {
    RecordingInfoSink messages;
    std::string problem;
    if (IsStarLookupCatalog(catalog)) {
        FoundStar star;
        FindStar(sky.stars, sky.dir, messages, catalog, number, star, problem);
    } else {
        FoundObject object;
        FindObject(sky, messages, catalog, number, object, problem);
    }
}

void Typed(CatalogSession& sky, const std::string& text) {
    int32_t catalog = 0, number = 0;
    if (DesignationParse(sky.catalogs, text, catalog, number)) LookUp(sky, catalog, number);
    TychoTextToNumber(text, number);
    RecordingInfoSink messages;
    FoundStar star;
    std::string problem;
    FindStarByName(sky.stars, sky.dir, messages, text, star, problem);
}

void Finder(CatalogSession& sky, FuzzedDataProvider& input) {
    RecordingInfoSink messages;
    FinderField field;
    FinderSelectCatalog(field, sky.catalogs, input.ConsumeIntegralInRange(0, kCatalogCount - 1));
    const bool keypad = input.ConsumeBool();
    const std::string keys = input.ConsumeRemainingBytesAsString();
    std::string text = field.text;
    for (const char key : keys) {
        if (keypad) {
            FinderTypeKey(field, sky.catalogs, messages, key);
            text = field.text;
        } else if (key == kFinderBackspace) {
            if (!text.empty()) text.pop_back();
            text = FinderTextEdited(field, sky.catalogs, messages, text);
        } else {
            text = FinderTextEdited(field, sky.catalogs, messages, text + key);
        }
    }
    int32_t catalog = 0, number = 0;
    if (FinderIdentity(field, messages, catalog, number)) LookUp(sky, catalog, number);
    if (FinderTarget(field, sky.catalogs, messages, text, catalog, number)) LookUp(sky, catalog, number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CatalogSession& sky = fuzz::Sky();
    if (input.ConsumeBool()) {
        Typed(sky, input.ConsumeRemainingBytesAsString());
    } else {
        Finder(sky, input);
    }
    return 0;
}
