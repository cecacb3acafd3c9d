#pragma once
// One comet or minor planet as the databases keep it: its elements, number, readable
// designation and name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/MinorBodyPosition.h"

namespace vsp {

struct MinorBodyRecord {
    MinorBodyElements elements;
    uint32_t number = 0;        // minor planet number, periodic comet number; 0 none
    std::string designation;    // readable: "(1)", "2025 AB1", "12P", "C/2023 A3", "P/2010 A2-B"
    std::string name;           // "Ceres", "Pons-Brooks", "Tsuchinshan-ATLAS"; may be empty
};

// "(1) Ceres", "12P/Pons-Brooks", "C/2023 A3 (Tsuchinshan-ATLAS)", "2025 AB1".
std::string MinorBodyLabel(const MinorBodyRecord& r);

// Records a typed text may mean, best first: labels, designations or names that begin with it,
// then those that hold it further on, then numbers equal to it (case and blanks ignored); at
// most `limit` indices, none for blank text.
std::vector<int> MatchMinorBodies(const std::vector<MinorBodyRecord>& records, std::string_view typed, size_t limit);

// True when `typed` names the record whole: its designation, name, label or number, case and
// blanks ignored ("12p", "c/2023a3", "ceres", "1").
bool NamesMinorBody(const MinorBodyRecord& record, std::string_view typed);

}  // namespace vsp
