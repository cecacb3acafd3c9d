#include "forms/ListManagerActions.h"

#include <algorithm>
#include <filesystem>

#include "catalog/ImportText.h"
#include "catalog/ListFile.h"
#include "catalog/ListMemo.h"
#include "catalog/UserImports.h"
#include "forms/ObservingContext.h"
#include "platform/UserFilesLock.h"
#include "tools/ObserverLogImport.h"
#include "tools/ObserverLogText.h"
#include "platform/ProgramDir.h"
#include "shell/InfoBox.h"

namespace vsp {
namespace {

struct KindFacts {
    std::string_view title;
    std::string_view folder;
    std::string_view extension;
    std::string_view defaultName;
};

const KindFacts& FactsOf(UserFileKind kind) {
    static constexpr KindFacts kFacts[kUserFileKindCount] = {
        {"Lists", kListDir, kListExtension, "<New list name>"},
        {"User Catalogs", kUserCatalogsDir, ".ppc", "user_object"},
        {"User Locations", kUserCatalogsDir, ".loc", "location_list"},
        {"User Eyepieces", kUserCatalogsDir, ".eyp", "eyepiece_list"},
        {"User Logs", "userlogs/", ".log", "log_list"},
    };
    return kFacts[int(kind)];
}

}  // namespace

std::string_view UserFileKindTitle(UserFileKind kind) { return FactsOf(kind).title; }
std::string_view UserFileDefaultName(UserFileKind kind) { return FactsOf(kind).defaultName; }

std::vector<std::string> UserFileNames(const ProgramDir& dir, UserFileKind kind) {
    const KindFacts& facts = FactsOf(kind);
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(dir.Path(facts.folder), error)) {
        if (!item.is_regular_file(error) || item.path().extension() != facts.extension) continue;
        names.push_back(item.path().stem().string());
    }
    std::ranges::sort(names);
    return names;
}

void ImportUserFile(AppState& state, UserFileKind kind, const std::string& name) {
    const ImportServer server{state.prefs.downloadDataUrl, {}};
    ImportResult result;
    bool imported = false;
    switch (kind) {
        case UserFileKind::Catalogs:
            imported = ImportCustomCatalog(state.dir, name, server, state.info, result);
            break;
        case UserFileKind::Locations: imported = ImportLocations(state.dir, name, server, state.info, result); break;
        case UserFileKind::Eyepieces: imported = ImportEyepieces(state.dir, name, server, state.info, result); break;
        case UserFileKind::Logs: {
            std::string text;
            LogImportCounts counts;
            if (FetchImportText(state.dir, ImportKind::ObserverLogs, name, server, text, state.info))
                ImportLogs(state.dir, text, DeviceDateOrder(), state.info, counts);
            return;
        }
        case UserFileKind::Lists: return;
    }
    if (imported) InfoBox(state, result.message, "");
}

void RunListMemoExport(AppState& state, CatalogSession& sky, const ObservingList& list) {
    std::vector<std::string> files;
    ExportListMemo(state.dir, list, ToTheMinute(state.observingTime), sky, SettingsFormats(state), state.info, files);
}

void RunListMemoImport(AppState& state, CatalogSession& sky, ObservingList& list) {
    std::string text;
    const std::string path = state.dir.Path(kListDir, std::string(kDefaultMemoName) + ".txt");
    if (!ReadMemoText(path, text)) {
        InfoBox(state, "Can't open file.", path);
        return;
    }
    ImportListMemo(text, sky, state.info, list);
}

void DeleteUserFile(AppState& state, UserFileKind kind, const std::string& name) {
    if (!IsSafeFileName(name)) return;
    const KindFacts& facts = FactsOf(kind);
    std::error_code error;
    const std::string path = state.dir.Path(facts.folder, name + std::string(facts.extension));
    UserFilesLock lock;
    if (LockUserFiles(state.dir, state.info, lock) && !std::filesystem::remove(path, error))
        InfoBox(state, "Can't delete file.", path);
}

}  // namespace vsp
