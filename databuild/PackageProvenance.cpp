#include "databuild/PackageProvenance.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include "databuild/InputFiles.h"
#include "databuild/JsonInput.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

constexpr const char* kDpkgStatus = "/var/lib/dpkg/status";
constexpr const char* kDpkgInfo = "/var/lib/dpkg/info/";

std::string InstalledVersion(const std::string& package) {
    std::string status, problem;
    if (!ReadWholeFile(kDpkgStatus, status, problem)) return {};
    bool inPackage = false;
    for (std::string_view line : SplitLines(status)) {
        if (line.empty()) inPackage = false;
        else if (line.starts_with("Package: ")) inPackage = TrimBlanks(line.substr(9)) == package;
        else if (inPackage && line.starts_with("Version: ")) return std::string(TrimBlanks(line.substr(9)));
    }
    return {};
}

bool PackageListsFile(const std::string& package, const std::string& path) {
    std::string list, problem;
    if (!ReadWholeFile(kDpkgInfo + package + ".list", list, problem)) return false;
    const std::string normal = std::filesystem::path(path).lexically_normal().string();
    for (std::string_view line : SplitLines(list))
        if (line == normal) return true;
    return false;
}

}  // namespace

std::string DebianFileProvenance(const std::string& package, const std::string& path) {
    if (!PackageListsFile(package, path)) return path;
    const std::string version = InstalledVersion(package);
    return version.empty() ? path : package + " " + version + " " + path;
}

std::string NpmFileProvenance(const std::string& packageDir, const std::string& path) {
    nlohmann::json manifest;
    std::string problem;
    if (!ParseJsonObject(PathBelow(packageDir, "package.json"), manifest, problem)) return path;
    const nlohmann::json* name = Member(&manifest, "name");
    const nlohmann::json* version = Member(&manifest, "version");
    if (!name || !version || !name->is_string() || !version->is_string()) return path;
    return name->get<std::string>() + " " + version->get<std::string>() + " " + path;
}

}  // namespace vsp::databuild
