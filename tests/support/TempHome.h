#pragma once
// A fresh program directory under the system's temporary folder, removed afterwards.

#include <string>

#include "platform/ProgramDir.h"

namespace vsp::test {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const ProgramDir& Dir() const { return dir_; }
    const std::string& Root() const { return dir_.Root(); }
    std::string Path(const std::string& relative) const { return dir_.Path(relative); }
    // Writes bytes to a file below the home, creating its folders.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string ReadFile(const std::string& relative) const;

private:
    ProgramDir dir_;
};

}  // namespace vsp::test
