#include "satellites/ElementSetImport.h"

#include "platform/ReadWholeFile.h"
#include "platform/UserFilesLock.h"
#include "satellites/OmmText.h"

namespace vsp {
namespace {

// A server's error page begins with '<' too; an OMM message names its element.
bool LooksLikeOmmXml(const std::string& text) {
    return text.find("<omm") != std::string::npos || text.find(":omm") != std::string::npos;
}

bool FetchText(const std::string& address, std::string& text, InfoSink& messages, const HttpTimeouts& timeouts) {
    text.assign(kElementTextCapacity, '\0');
    text.resize(LoadFileFromUrl(address, text.data(), text.size(), messages, timeouts));
    if (text.empty() || (text.front() == '<' && !LooksLikeOmmXml(text))) {
        messages.InfoBox("Fail to download satellite elements:", address);
        return false;
    }
    return true;
}

bool ReadText(const std::string& path, std::string& text, InfoSink& messages) {
    switch (ReadWholeFile(path, kElementFileLimit, text)) {
        case FileReadResult::Read: return true;
        case FileReadResult::TooLarge:
            messages.InfoBox("Can't open file.", path + " (more than " + std::to_string(kElementFileLimit >> 20) + " MiB)");
            return false;
        case FileReadResult::NotRegular:
            messages.InfoBox("Can't open file.", path + " (not a regular file)");
            return false;
        case FileReadResult::Unreadable: break;
    }
    messages.InfoBox("Can't open file.", path);
    return false;
}

}  // namespace

bool LoadElementSetText(const std::string& source, std::string& text, InfoSink& messages,
                        const HttpTimeouts& timeouts) {
    return IsWebAddress(source) ? FetchText(source, text, messages, timeouts) : ReadText(source, text, messages);
}

bool ImportElementSets(SatelliteDatabase& database, const std::vector<std::string>& sources, bool append,
                       InfoSink& messages, std::vector<ElementSetSourceReport>& report,
                       const HttpTimeouts& timeouts) {
    report.clear();
    std::vector<SatelliteRecord> fresh;
    for (const std::string& source : sources) {
        std::string text;
        if (!LoadElementSetText(source, text, messages, timeouts)) return false;
        ParsedElementSets parsed = ParseElementSetText(text);
        report.push_back({source, int(parsed.records.size()), std::move(parsed.rejects)});
        fresh.insert(fresh.end(), parsed.records.begin(), parsed.records.end());
    }
    if (fresh.empty()) {
        messages.InfoBox("No element set has been loaded.", "Please check the file format.");
        return false;
    }
    // The downloads are done; from here to the rename the database is this import's. What is
    // kept is read now, so an import that ended meanwhile is kept too.
    UserFilesLock lock;
    if (!LockUserFiles(database.Dir(), messages, lock)) return false;
    std::vector<SatelliteRecord> records;
    if (append && database.Open() && !database.ReadAll(records)) return false;
    records.insert(records.end(), fresh.begin(), fresh.end());
    std::string error;
    if (!database.Replace(records, error)) {
        messages.InfoBox("Could not write the satellite database.", error);
        return false;
    }
    return true;
}

std::vector<std::string> ElementSetUpdateAddresses(const Preferences& prefs) {
    return {prefs.satelliteUrl, prefs.iridiumUrl};
}

std::string SatellitesInDatabaseText(int count) {
    return std::to_string(count) + " satellite" + (count == 1 ? "" : "s") + " in the database";
}

std::string ElementSetCountText(int count) {
    return std::to_string(count) + " element set" + (count == 1 ? "" : "s");
}

}  // namespace vsp
