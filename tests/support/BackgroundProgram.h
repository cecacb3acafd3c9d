#pragma once
// The built program run in the background beside a test (a device emulator, say): started
// with arguments, back once it printed its first line, ended when the object goes.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vsp::test {

class BackgroundProgram {
public:
    explicit BackgroundProgram(const std::vector<std::string>& args);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;
    // Without its line feed; empty when the program ended first.
    const std::string& FirstLine() const { return firstLine_; }

private:
    pid_t pid_ = -1;
    std::string firstLine_;
};

}  // namespace vsp::test
