#pragma once
// Runs the built `vespertar` with arguments and collects what it printed.

#include <string>
#include <vector>

namespace vsp::test {

struct ProgramResult {
    int status = -1;   // exit status, or -1 when it did not exit normally
    std::string out;   // standard output
    std::string err;   // standard error
};

ProgramResult RunVespertar(const std::vector<std::string>& args, const std::string& input = "");
// The same with the program's address space capped at 1 GiB, so that an allocation sized from
// damaged or endless input fails at once instead of being granted lazily (not under
// AddressSanitizer, whose shadow memory needs far more).
ProgramResult RunVespertarInLittleMemory(const std::vector<std::string>& args);
const char* VespertarPath();

}  // namespace vsp::test
