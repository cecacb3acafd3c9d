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
const char* VespertarPath();

}  // namespace vsp::test
