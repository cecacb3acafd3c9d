#pragma once
// The slew rates and directions of the scope operations, numbered as the forms pass them.

namespace vsp {

enum class ScopeRate { Fast = 0, Find = 1, Center = 2, Guide = 3 };
enum class ScopeDirection { North = 0, South = 1, East = 2, West = 3 };

}  // namespace vsp
