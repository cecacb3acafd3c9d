#pragma once
// The object information form and the finder. Both see one selection: the finder chooses the
// object, the information form shows it; the finder's field keeps what was typed between
// visits. A star is kept as the finder found it: its catalog may not be the chart's.

#include <cstdint>
#include <memory>
#include <optional>

#include "catalog/CatalogSession.h"
#include "catalog/FinderTyping.h"
#include "catalog/StarLookup.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kObjectInfoFormId = 112;
inline constexpr int kFinderFormId = 2350;

struct ObjectSelection {
    bool chosen = false;
    int32_t catalog = 0;  // the identity as the user named it (M31 stays Messier 31)
    int32_t number = 0;
    std::optional<FoundStar> star;  // the star found, when the choice is one
    FinderField finder;   // catalog 0 until the finder first opens
};
using SharedObjectSelection = std::shared_ptr<ObjectSelection>;

std::unique_ptr<Form> MakeObjectInfoForm(CatalogSession& sky, SharedObjectSelection selection);
std::unique_ptr<Form> MakeFinderForm(CatalogSession& sky, SharedObjectSelection selection);

}  // namespace vsp
