#include "shell/FormTable.h"

#include <algorithm>
#include <iterator>

namespace vsp {

namespace {

constexpr FormTableEntry kForms[] = {
    {112, "ObjectInfo"},
    {1050, "ListManager"},
    {1200, "Location"},
    {1300, "2-StarAlignment"},
    {1337, "Preference 6/7"},
    {1357, "Preference 7/7"},
    {1400, "Preference 1/7"},
    {1430, "Preference 2/7"},
    {1450, "Preference 3/7"},
    {1476, "Preference 5/7"},
    {1550, "CCD"},
    {1600, "Choose Location"},
    {1620, "Preference 4/7"},
    {1700, "Choose Selection Criteria"},
    {1800, "DorerOvoriri"},
    {1900, "SkyChart"},
    {1940, ""},
    {1950, "Wizard"},
    {2100, "N-StarAlignment Setup"},
    {2200, "CheckList 1/3"},
    {2203, "CheckList 2/3"},
    {2206, "CheckList 3/3"},
    {2300, "Monitor"},
    {2350, "Finder"},
    {2400, "ScopeControl"},
    {2410, "Twilight"},
    {2423, "Day/Night"},
    {2450, "Planets"},
    {2460, "Planet Map"},
    {2470, "PolarAssistant"},
    {2520, "Planet Map"},
    {2530, "EphemerisAssistant"},
    {2550, "Comets&Asteroids"},
    {2600, "ObserverLog"},
    {2700, "Eclipses"},
    {2800, "Satellites"},
    {2830, "CompassChart"},
    {5200, "Date&Time"},
    {5300, "Camera Control"},
    {6000, "Moon"},
    {6020, "Moon Feature"},
};

const FormTableEntry* Find(int formId) {
    auto it = std::find_if(std::begin(kForms), std::end(kForms),
                           [&](const FormTableEntry& e) { return e.id == formId; });
    return it == std::end(kForms) ? nullptr : &*it;
}

}  // namespace

std::span<const FormTableEntry> FormTableEntries() { return kForms; }

bool IsKnownForm(int formId) { return Find(formId) != nullptr; }

std::string_view FormScreenName(int formId) {
    const FormTableEntry* e = Find(formId);
    return e ? e->screenName : std::string_view{};
}

std::string_view FormComingLine(int formId) {
    const FormTableEntry* e = Find(formId);
    return e ? e->comingLine : std::string_view{};
}

FormTemplate NamedFormTemplate(int formId) {
    FormTemplate t;
    t.id = formId;
    t.title = std::string(FormScreenName(formId));
    return t;
}

void RegisterForm(AppState& state, int formId, FormFactory factory) {
    state.formFactories[formId] = std::move(factory);
}

}  // namespace vsp
