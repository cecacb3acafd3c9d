#pragma once
// The product name and version as the About box shows them.

#include <string_view>

namespace vsp {

inline constexpr std::string_view kProductName = "Vespertar";
inline constexpr std::string_view kProductVersion = "3.0.3";
// The About box: first line the product name, second line its version.
inline constexpr std::string_view kAboutSecondLine = "Version 3.0.3";

}  // namespace vsp
