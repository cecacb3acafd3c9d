#include "fuzz/FuzzHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalog/ObjectLookup.h"
#include "fuzz/FuzzSky.h"
#include "support/TempHome.h"

namespace vsp::fuzz {
namespace {

const test::TempHome& Home() {
    static const test::TempHome home;
    static const bool linked = [] {
        const char* catalogs = std::getenv("VESPERTAR_FUZZ_CATALOGS");
        std::error_code ec;
        if (catalogs && *catalogs)
            std::filesystem::create_directory_symlink(std::filesystem::path(catalogs) / "data", home.Path("data"), ec);
        return true;
    }();
    (void)linked;
    return home;
}

}  // namespace

const ProgramDir& FreshHome() {
    const test::TempHome& home = Home();
    for (const char* folder : {"usercatalogs", "userlists", "userlogs", "import", "export"}) {
        std::error_code ec;
        std::filesystem::remove_all(home.Path(folder), ec);
    }
    return home.Dir();
}

void WriteHomeFile(const std::string& relative, std::string_view bytes) {
    const std::filesystem::path path = Home().Path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

CatalogSession& Sky() {
    static RecordingInfoSink messages;
    static ObjectCatalogs catalogs(FreshHome(), messages);
    static const bool opened = catalogs.Open();
    (void)opened;
    return catalogs.Session();
}

}  // namespace vsp::fuzz
