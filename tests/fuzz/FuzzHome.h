#pragma once
// The program directory of the harnesses that read and write files: one per process, below
// the temporary folder, emptied of the user's folders before every input so that no input
// sees another's files. With VESPERTAR_FUZZ_CATALOGS naming a program directory after
// `data build`, data/ links to its catalogs, so lookups reach real records; without it the
// catalogs are missing, as on a fresh install.

#include <string>
#include <string_view>

#include "platform/ProgramDir.h"

namespace vsp::fuzz {

// Made on the first call; the user's folders (usercatalogs/, userlists/, userlogs/, import/,
// export/) are empty on every call.
const ProgramDir& FreshHome();

// Writes `bytes` as `relative` below the home, making its folder.
void WriteHomeFile(const std::string& relative, std::string_view bytes);

}  // namespace vsp::fuzz
