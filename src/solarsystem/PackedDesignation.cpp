#include "solarsystem/PackedDesignation.h"

#include "ephemeris/Time.h"

namespace vsp {
namespace {

constexpr int kBase = 62;
constexpr int kFirstCentury = 18, kLastCentury = 21;
constexpr uint32_t kLargestFiveCharacterNumber = 619999;
constexpr int kExtendedFirstCycle = 620;
constexpr int kLettersPerCycle = 25;  // the second letter runs A..Z without I

// 0-9, A-Z = 10..35, a-z = 36..61.
std::optional<int> Base62Digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 36;
    return std::nullopt;
}

std::optional<int> Decimal(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> Base62(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        const auto digit = Base62Digit(c);
        if (!digit) return std::nullopt;
        value = value * kBase + *digit;
    }
    return value;
}

// The century letter of the packed year (I = 18, J = 19, K = 20, L = 21) and its two digits.
std::optional<int> PackedYear(std::string_view three) {
    const auto century = Base62Digit(three[0]);
    const auto rest = Decimal(three.substr(1, 2));
    if (!century || !rest || *century < kFirstCentury || *century > kLastCentury) return std::nullopt;
    return *century * 100 + *rest;
}

bool IsHalfMonth(char c) { return c >= 'A' && c <= 'Y' && c != 'I'; }

// The second letter of its rank A = 0 .. Z = 24 (no I).
char RankLetter(int rank) { return char(rank < 8 ? 'A' + rank : 'A' + rank + 1); }

std::string Provisional(int year, char halfMonth, char letter, int cycle) {
    std::string text = std::to_string(year) + ' ' + halfMonth + letter;
    return cycle > 0 ? text + std::to_string(cycle) : text;
}

std::optional<std::string> Survey(std::string_view packed) {
    const std::string_view code = packed.substr(0, 3);
    const char* name = code == "PLS" ? "P-L" : code == "T1S" ? "T-1" : code == "T2S" ? "T-2" : code == "T3S" ? "T-3" : nullptr;
    const auto number = Decimal(packed.substr(3));
    if (!name || !number || *number == 0) return std::nullopt;
    return std::to_string(*number) + ' ' + name;
}

std::optional<std::string> ExtendedProvisional(std::string_view packed) {
    const auto year = Base62Digit(packed[1]);
    const auto value = Base62(packed.substr(3));
    if (!year || !value || !IsHalfMonth(packed[2])) return std::nullopt;
    return Provisional(2000 + *year, packed[2], RankLetter(*value % kLettersPerCycle),
                       kExtendedFirstCycle + *value / kLettersPerCycle);
}

}  // namespace

std::optional<uint32_t> UnpackMinorPlanetNumber(std::string_view packed) {
    if (packed.size() != 5) return std::nullopt;
    if (packed[0] == '~') {
        const auto value = Base62(packed.substr(1));
        if (!value) return std::nullopt;
        return kLargestFiveCharacterNumber + 1 + uint32_t(*value);
    }
    const auto head = Base62Digit(packed[0]);
    const auto tail = Decimal(packed.substr(1));
    if (!head || !tail) return std::nullopt;
    const uint32_t number = uint32_t(*head) * 10000 + uint32_t(*tail);
    if (number == 0) return std::nullopt;
    return number;
}

std::optional<std::string> UnpackProvisionalDesignation(std::string_view packed) {
    if (packed.size() != 7) return std::nullopt;
    if (packed[0] == '_') return ExtendedProvisional(packed);
    if (packed[0] == 'P' || packed[0] == 'T') return Survey(packed);
    const auto year = PackedYear(packed.substr(0, 3));
    const auto high = Base62Digit(packed[4]);
    const auto low = Decimal(packed.substr(5, 1));
    if (!year || !high || !low || !IsHalfMonth(packed[3]) || packed[6] < 'A' || packed[6] > 'Z' || packed[6] == 'I')
        return std::nullopt;
    return Provisional(*year, packed[3], packed[6], *high * 10 + *low);
}

std::optional<std::string> UnpackMinorPlanetDesignation(std::string_view packed) {
    if (const auto number = UnpackMinorPlanetNumber(packed)) return '(' + std::to_string(*number) + ')';
    return UnpackProvisionalDesignation(packed);
}

std::optional<std::string> UnpackCometDesignation(std::string_view packed) {
    std::string prefix;
    if (packed.size() == 8) {
        if (std::string_view("CPDXAI").find(packed[0]) == std::string_view::npos) return std::nullopt;
        prefix = std::string(1, packed[0]) + '/';
        packed.remove_prefix(1);
    }
    if (packed.size() != 7) return std::nullopt;
    const auto year = PackedYear(packed.substr(0, 3));
    const auto high = Base62Digit(packed[4]);
    const auto low = Decimal(packed.substr(5, 1));
    const char fragment = packed[6];
    if (!year || !high || !low || !IsHalfMonth(packed[3]) || (fragment != '0' && (fragment < 'a' || fragment > 'z')))
        return std::nullopt;
    const int order = *high * 10 + *low;
    if (order == 0) return std::nullopt;
    std::string text = prefix + std::to_string(*year) + ' ' + packed[3] + std::to_string(order);
    if (fragment != '0') text += std::string("-") + char(fragment - 'a' + 'A');
    return text;
}

std::optional<uint32_t> UnpackPeriodicCometNumber(std::string_view packed) {
    if (packed.size() < 5 || (packed[4] != 'P' && packed[4] != 'D')) return std::nullopt;
    const auto number = Decimal(packed.substr(0, 4));
    if (!number || *number == 0) return std::nullopt;
    return uint32_t(*number);
}

std::optional<double> UnpackEpoch(std::string_view packed) {
    if (packed.size() != 5) return std::nullopt;
    const auto year = PackedYear(packed.substr(0, 3));
    const auto month = Base62Digit(packed[3]);
    const auto day = Base62Digit(packed[4]);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    return JulianDay(*year, *month, *day);
}

}  // namespace vsp
