#include "support/CatalogHome.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/RunProgram.h"

namespace vsp::test {
namespace {

const std::string kNgc2000 = std::string(VESPERTAR_SHARED_DATA) + "/ngc2000.dat";

std::string Stamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "missing " + path;
    return path + " " + std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CatalogHome Build() {
    CatalogHome home;
    for (const std::string& input : {std::string("/usr/share/stellarium"), std::string("/usr/share/kstars"),
                                      D3CelestialDir(), kNgc2000}) {
        if (!std::filesystem::exists(input)) home.missing += " " + input;
    }
    if (!home.missing.empty()) return home;
    home.root = std::filesystem::path(VespertarPath()).parent_path().string() + "/e2e-catalog-home/";
    const std::string stamp = Stamp(VespertarPath()) + "\n" + Stamp(kNgc2000) + "\n";

    const int lock = ::open((home.root.substr(0, home.root.size() - 1) + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    if (ReadText(home.root + "build.stamp") != stamp) {
        std::error_code ec;
        std::filesystem::remove_all(home.root, ec);
        std::filesystem::create_directories(home.root);
        const ProgramResult build =
            RunVespertar({"--home", home.root, "data", "build", "--ngc2000", kNgc2000, "--json"});
        if (build.status == 0) {
            std::ofstream(home.root + "build-report.json") << build.out;
            std::ofstream(home.root + "build.stamp") << stamp;
        } else {
            home.problem = "data build exited " + std::to_string(build.status) + ":\n" + build.err;
        }
    }
    if (lock >= 0) ::close(lock);
    if (home.problem.empty()) home.report = ReadText(home.root + "build-report.json");
    return home;
}

}  // namespace

std::string D3CelestialDir() {
    const char* given = std::getenv("VESPERTAR_D3CELESTIAL");
    return given && *given ? given : std::string(VESPERTAR_SOURCE_DIR) + "/databuild/node_modules/d3-celestial";
}

const CatalogHome& BuiltCatalogHome() {
    static const CatalogHome home = Build();
    return home;
}

const CatalogHome* RequireCatalogHome() {
    const CatalogHome& built = BuiltCatalogHome();
    if (!built.missing.empty()) {
        [&built] { GTEST_SKIP() << "the catalog inputs are missing:" << built.missing; }();
        return nullptr;
    }
    if (!built.problem.empty()) {
        [&built] { FAIL() << built.problem; }();  // fatal: a fixture's test body is not run
        return nullptr;
    }
    return &built;
}

bool LinkCatalogData(const std::string& data) {
    const CatalogHome* built = RequireCatalogHome();
    if (built) std::filesystem::create_directory_symlink(built->root + "data", data);
    return built != nullptr;
}

}  // namespace vsp::test
