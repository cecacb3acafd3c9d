#include "satellites/ElementSetImport.h"

#include <fstream>
#include <sstream>

namespace vsp {
namespace {

bool IsWebAddress(const std::string& source) {
    return source.rfind("http://", 0) == 0 || source.rfind("https://", 0) == 0;
}

bool FetchText(const std::string& address, std::string& text, InfoSink& messages, const HttpTimeouts& timeouts) {
    text.assign(kElementTextCapacity, '\0');
    text.resize(LoadFileFromUrl(address, text.data(), text.size(), messages, timeouts));
    if (text.empty() || text.front() == '<') {
        messages.InfoBox("Fail to download satellite elements:", address);
        return false;
    }
    return true;
}

bool ReadText(const std::string& path, std::string& text, InfoSink& messages) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    if (!(file && bytes << file.rdbuf())) {
        messages.InfoBox("Can't open file.", path);
        return false;
    }
    text = bytes.str();
    return true;
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
    std::vector<SatelliteRecord> records;
    if (append && database.IsOpen() && !database.ReadAll(records)) return false;
    const size_t kept = records.size();
    for (const std::string& source : sources) {
        std::string text;
        if (!LoadElementSetText(source, text, messages, timeouts)) return false;
        ParsedElementSets parsed = ParseElementSets(text);
        report.push_back({source, int(parsed.records.size()), std::move(parsed.rejects)});
        records.insert(records.end(), parsed.records.begin(), parsed.records.end());
    }
    if (records.size() == kept) {
        messages.InfoBox("No element set has been loaded.", "Please check the file format.");
        return false;
    }
    std::string error;
    if (!database.Replace(records, error)) {
        messages.InfoBox("Could not write the satellite database.", error);
        return false;
    }
    return true;
}

}  // namespace vsp
