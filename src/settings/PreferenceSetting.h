#pragma once
// One setting of the settings block as the preference table declares it: its stable key, the
// group and label its page shows it under (and how, where its kind alone does not say), its
// kind with the rows of a choice in display order, its valid range with the value the start
// routine puts in place of an out-of-range one, the field of `Preferences` that holds it and
// where the settings record keeps it. The record layout, `prefs show`, the range checks and
// the preference pages are all worked out from these; nothing else names a setting's field.
// Labels and row texts are narrow strings in the device code page (Windows-1252).
//
// A setting is declared with one of the makers below, e.g.
//   Choice("line_color", kChartGlobal, "Line Color", {"Blue", "Red"}, &Preferences::lineColor, 362)
// where the last number is its offset in the settings record (its width follows from the
// field's type: int16_t 2, int32_t and float 4, double 8, bool 1 byte, text as given).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "records/RecordCodec.h"
#include "records/RecordLayout.h"
#include "settings/Preferences.h"

namespace vsp {

enum class PreferenceKind { Choice, Integer, Real, Text, Flag, Bytes };

// The rows of a choice that a subsystem above the settings owns (the drive list belongs to
// the telescope's drive table). The program supplies them at start-up
// (PreferenceTable::SupplyRows); until then such a choice has no rows.
enum class RowSource { Own, ScopeDrives };

// A line of a page shown only for some values, where what the values mean belongs to a
// subsystem above the settings (PreferenceTable::SupplyCondition); shown until supplied.
enum class ShowCondition { Always, EncoderDrive };

// How a page shows a setting where its kind alone does not say: a port number as the list of
// ports, a value the user reads but does not type.
enum class PageLook { ForKind, PortList, ShownOnly };

// A captioned group of a preference page and the two lines its "Inf" button shows.
struct SettingGroup {
    int page = 0;  // 1..7; 0 = kept by another screen (no preference page)
    std::string_view name;
    std::string_view help;
    std::string_view moreHelp;
};

// Inclusive unless `minimumExclusive`.
struct SettingRange {
    double minimum = 0.0;
    double maximum = 0.0;
    bool minimumExclusive = false;
};

inline constexpr SettingRange Above(double minimum, double maximum) { return {minimum, maximum, true}; }

struct PreferenceSetting {
    std::string key;  // snake_case, stable: the command line's, the JSON's and `records dump`'s name
    const SettingGroup* group = nullptr;
    std::string label;
    PreferenceKind kind = PreferenceKind::Integer;
    bool listed = true;  // false: kept in the record only (no key of `prefs`, no range check)

    std::vector<std::string> rows;  // Choice: the rows, row 0 first
    // Choice: the value each row stores, when not its index (a supplied list whose later rows
    // take values past codes that have no row).
    std::vector<int> rowValues;
    RowSource rowSource = RowSource::Own;

    // Integer, Real and Flag: the valid range. Every kind but Text: the value an out-of-range
    // one becomes (the default unless the declaration says otherwise; a choice is out of range
    // outside its rows).
    SettingRange range;
    double fallback = 0.0;
    bool singlePrecision = false;  // Real kept in a 32-bit float

    // Text: the longest accepted value in bytes; longer or empty values become the default.
    // `fileName`: the value must also be a safe file name.
    size_t maxLength = 0;
    bool fileName = false;
    bool mayBeEmpty = false;

    // On the page.
    PageLook look = PageLook::ForKind;
    std::string unit;     // shown after the field, "(min)"
    std::string heading;  // the label column of a line of short fields it leads, "Encoders Steps"
    ShowCondition shownWhen = ShowCondition::Always;
    std::function<bool(const Preferences&)> shownFor;  // set when the condition is supplied

    // In the settings record.
    int32_t offset = 0;
    FieldType storedType = FieldType::U8;
    int32_t storedWidth = 0;

    // Choice, Integer, Real and Flag read and write through `number`; Text through `text`.
    std::function<double(const Preferences&)> getNumber;
    std::function<void(Preferences&, double)> setNumber;
    std::function<std::string(const Preferences&)> getText;
    std::function<void(Preferences&, const std::string&)> setText;
    // The field into its place in a whole record and back. Decoding a flag byte other than 0
    // or 1 keeps the value in `prefs`.
    std::function<void(const Preferences&, uint8_t* record)> encode;
    std::function<void(const uint8_t* record, Preferences&)> decode;

    int Page() const { return group ? group->page : 0; }
    bool ShownFor(const Preferences& prefs) const { return !shownFor || shownFor(prefs); }

    // Modifiers for the declarations that need them.
    PreferenceSetting OutOfRangeBecomes(double value) &&;
    PreferenceSetting MayBeEmpty() &&;
    PreferenceSetting FileName() &&;
    PreferenceSetting Look(PageLook look) &&;
    PreferenceSetting Unit(std::string unit) &&;
    PreferenceSetting Heading(std::string heading) &&;
    PreferenceSetting ShownWhen(ShowCondition condition) &&;
};

// The group of the fields kept in the record only.
inline constexpr SettingGroup kKeptInRecord{};

namespace setting_field {

// A default-constructed block, for the defaults of the declarations.
const Preferences& DefaultPreferences();

// Stores a number into a field of any arithmetic type without undefined conversions: values
// beyond the type's range are held at its ends (the range check then replaces them).
template <class T>
T FromNumber(double v) {
    if constexpr (std::is_same_v<T, bool>) {
        return v != 0.0;
    } else if constexpr (std::is_integral_v<T>) {
        const double lo = double(std::numeric_limits<T>::lowest());
        const double hi = double(std::numeric_limits<T>::max());
        if (!(v >= lo)) return std::numeric_limits<T>::lowest();  // also NaN
        if (v >= hi) return std::numeric_limits<T>::max();
        return T(std::trunc(v));
    } else {
        if (std::isfinite(v) && std::fabs(v) > double(std::numeric_limits<T>::max()))
            return v > 0 ? std::numeric_limits<T>::infinity() : -std::numeric_limits<T>::infinity();
        return T(v);
    }
}

// A member pointer becomes an accessor; an accessor (a generic lambda returning a reference
// into the block, usable on a const and a non-const block alike) stays as it is.
template <class Field>
auto Accessor(Field field) {
    if constexpr (std::is_member_object_pointer_v<Field>) {
        return [field](auto& prefs) -> auto& { return prefs.*field; };
    } else {
        return field;
    }
}

template <class Access>
using ValueOf = std::remove_cvref_t<decltype(std::declval<Access&>()(std::declval<Preferences&>()))>;

// The field's record type and width, its number and text access, its encoder and decoder.
template <class Access>
void Bind(PreferenceSetting& s, Access access, int32_t offset, int32_t textWidth = 0) {
    using T = ValueOf<Access>;
    s.offset = offset;
    if constexpr (std::is_same_v<T, std::string>) {
        s.storedType = FieldType::Text;
        s.storedWidth = textWidth;
        s.getText = [access](const Preferences& p) { return access(p); };
        s.setText = [access](Preferences& p, const std::string& v) { access(p) = v; };
        s.encode = [access, offset, textWidth](const Preferences& p, uint8_t* record) {
            const std::string& v = access(p);
            std::memcpy(record + offset, v.data(), std::min(v.size(), size_t(textWidth)));
        };
        s.decode = [access, offset, textWidth](const uint8_t* record, Preferences& p) {
            const uint8_t* at = record + offset;
            const auto* end = static_cast<const uint8_t*>(std::memchr(at, 0, size_t(textWidth)));
            access(p).assign(reinterpret_cast<const char*>(at), end ? size_t(end - at) : size_t(textWidth));
        };
    } else if constexpr (std::is_same_v<T, AlignStarBytes>) {
        s.storedType = FieldType::Text;
        s.storedWidth = kAlignStarRecordSize;
        s.encode = [access, offset](const Preferences& p, uint8_t* record) {
            std::memcpy(record + offset, access(p).data(), kAlignStarRecordSize);
        };
        s.decode = [access, offset](const uint8_t* record, Preferences& p) {
            std::memcpy(access(p).data(), record + offset, kAlignStarRecordSize);
        };
    } else {
        s.getNumber = [access](const Preferences& p) { return double(access(p)); };
        s.setNumber = [access](Preferences& p, double v) { access(p) = FromNumber<T>(v); };
        if constexpr (std::is_same_v<T, bool>) {
            s.storedType = FieldType::U8;
            s.storedWidth = 1;
            s.encode = [access, offset](const Preferences& p, uint8_t* record) { record[offset] = access(p) ? 1 : 0; };
            s.decode = [access, offset](const uint8_t* record, Preferences& p) {
                if (record[offset] <= 1) access(p) = record[offset] == 1;
            };
        } else {
            s.storedType = codec::TypeOf<T>();
            s.storedWidth = int32_t(sizeof(T));
            s.encode = [access, offset](const Preferences& p, uint8_t* record) {
                codec::Put(record + offset, access(p));
            };
            s.decode = [access, offset](const uint8_t* record, Preferences& p) {
                codec::Get(record + offset, access(p));
            };
        }
    }
}

// What every declaration shares; the fallback of a number is its default until a
// declaration says otherwise.
template <class Access>
PreferenceSetting Declared(std::string key, const SettingGroup* group, std::string label, PreferenceKind kind,
                           Access access, int32_t offset, int32_t textWidth = 0) {
    PreferenceSetting s;
    s.key = std::move(key);
    s.group = group;
    s.label = std::move(label);
    s.kind = kind;
    Bind(s, access, offset, textWidth);
    if (s.getNumber) s.fallback = s.getNumber(DefaultPreferences());
    return s;
}

}  // namespace setting_field

// The makers of the declarations. `field` is a member pointer of `Preferences` or, for fields
// inside its parts, an accessor `[](auto& p) -> auto& { return p.site.latitude; }`; `offset`
// is the field's place in the settings record.
template <class Field>
PreferenceSetting Choice(std::string key, const SettingGroup& group, std::string label, std::vector<std::string> rows,
                         Field field, int32_t offset) {
    PreferenceSetting s = setting_field::Declared(std::move(key), &group, std::move(label), PreferenceKind::Choice,
                                                  setting_field::Accessor(field), offset);
    s.rows = std::move(rows);
    return s;
}

template <class Field>
PreferenceSetting Choice(std::string key, const SettingGroup& group, std::string label, RowSource source,
                         Field field, int32_t offset) {
    PreferenceSetting s = Choice(std::move(key), group, std::move(label), std::vector<std::string>{}, field, offset);
    s.rowSource = source;
    return s;
}

template <class Field>
PreferenceSetting Integer(std::string key, const SettingGroup& group, std::string label, SettingRange range,
                          Field field, int32_t offset) {
    PreferenceSetting s = setting_field::Declared(std::move(key), &group, std::move(label), PreferenceKind::Integer,
                                                  setting_field::Accessor(field), offset);
    s.range = range;
    return s;
}

template <class Field>
PreferenceSetting Real(std::string key, const SettingGroup& group, std::string label, SettingRange range, Field field,
                       int32_t offset) {
    PreferenceSetting s = Integer(std::move(key), group, std::move(label), range, field, offset);
    s.kind = PreferenceKind::Real;
    s.singlePrecision = s.storedType == FieldType::F32;
    return s;
}

template <class Field>
PreferenceSetting Flag(std::string key, const SettingGroup& group, std::string label, Field field, int32_t offset) {
    PreferenceSetting s = Integer(std::move(key), group, std::move(label), SettingRange{0, 1}, field, offset);
    s.kind = PreferenceKind::Flag;
    return s;
}

// Stored in `storedWidth` bytes, NUL-padded; a value of `storedWidth` bytes has no NUL.
template <class Field>
PreferenceSetting Text(std::string key, const SettingGroup& group, std::string label, size_t maxLength,
                       int32_t storedWidth, Field field, int32_t offset) {
    PreferenceSetting s = setting_field::Declared(std::move(key), &group, std::move(label), PreferenceKind::Text,
                                                  setting_field::Accessor(field), offset, storedWidth);
    s.maxLength = maxLength;
    return s;
}

// State another part keeps in the record (the saved alignment): no key of `prefs`, no page,
// no range check; an alignment star record is kept as its 128 bytes.
template <class Field>
PreferenceSetting KeptOnly(std::string key, Field field, int32_t offset) {
    PreferenceSetting s = setting_field::Declared(std::move(key), &kKeptInRecord, "", PreferenceKind::Integer,
                                                  setting_field::Accessor(field), offset);
    s.listed = false;
    if (!s.getNumber) s.kind = PreferenceKind::Bytes;
    else if (s.storedType == FieldType::F64 || s.storedType == FieldType::F32) s.kind = PreferenceKind::Real;
    return s;
}

// The value row `row` of a choice stores, and the row that stores `value` (-1 for none).
double ChoiceRowValue(const PreferenceSetting& s, size_t row);
int ChoiceRowOf(const PreferenceSetting& s, double value);

}  // namespace vsp
