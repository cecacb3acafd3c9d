#include "settings/PreferenceSetting.h"

namespace vsp {

const Preferences& setting_field::DefaultPreferences() {
    static const Preferences defaults;
    return defaults;
}

PreferenceSetting PreferenceSetting::OutOfRangeBecomes(double value) && {
    fallback = value;
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::MayBeEmpty() && {
    mayBeEmpty = true;
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::FileName() && {
    fileName = true;
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::Look(PageLook pageLook) && {
    look = pageLook;
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::Unit(std::string text) && {
    unit = std::move(text);
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::Heading(std::string text) && {
    heading = std::move(text);
    return std::move(*this);
}

PreferenceSetting PreferenceSetting::ShownWhen(ShowCondition condition) && {
    shownWhen = condition;
    return std::move(*this);
}

double ChoiceRowValue(const PreferenceSetting& s, size_t row) {
    return row < s.rowValues.size() ? double(s.rowValues[row]) : double(row);
}

int ChoiceRowOf(const PreferenceSetting& s, double value) {
    for (size_t row = 0; row < s.rows.size(); ++row)
        if (ChoiceRowValue(s, row) == value) return int(row);
    return -1;
}

}  // namespace vsp
