#pragma once
// Whole-file writes that never leave a partial file behind.

#include <cstdio>
#include <functional>
#include <string>

namespace vsp {

// Lets `write` fill "path.tmp", puts it on disk and renames it over `path`, so a failure leaves
// any earlier file as it was. `write` answers false when it failed. False when any step
// failed; LastSystemErrorCode() then tells why (0 when `write` failed without a system error).
bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write);

}  // namespace vsp
