#include "support/TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vsp::test {
namespace {

std::string MakeTempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vsp-home-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

}  // namespace

TempHome::TempHome() : dir_(MakeTempRoot()) {}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(dir_.Root(), ec);
}

void TempHome::WriteFile(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = Path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempHome::ReadFile(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace vsp::test
