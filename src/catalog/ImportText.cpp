#include "catalog/ImportText.h"

#include <cctype>
#include <cstdio>

#include "platform/ReadWholeFile.h"
#include "platform/Text.h"

namespace vsp {
namespace {

constexpr unsigned kQueryRevision = 1;
constexpr int kLineFormatRevision = 1;
constexpr int kUtf8CodePage = 65001;

struct KindTexts {
    const char* failure;  // first line of the failed-download box
    const char* example;  // the name offered to try
};

KindTexts TextsOf(ImportKind kind) {
    switch (kind) {
        case ImportKind::Eyepieces: return {"Fail to download eyepiece catalog:", "eyepiece_list"};
        case ImportKind::Locations: return {"Fail to download location catalog:", "location_list"};
        case ImportKind::CustomCatalog: return {"Fail to download custom catalog:", "user_object"};
        case ImportKind::ObserverLogs: break;
    }
    return {"Fail to download observation logs:", "vespertar_log_export"};
}

std::string PercentEncoded(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", unsigned(static_cast<unsigned char>(c)));
            out += escape;
        }
    }
    return out;
}

std::string TextFileName(std::string_view name) { return std::string(name) + ".txt"; }

// At most capacity - 1 bytes of the file, as a fetch keeps them; empty when unreadable.
std::string ReadLocalCopy(const std::string& path) {
    std::string text;
    ReadWholeFile(path, kImportCapacity - 1, text);
    return text;
}

std::string Download(const std::string& address, const HttpTimeouts& timeouts, InfoSink& messages) {
    std::string text(kImportCapacity, '\0');
    text.resize(LoadFileFromUrl(address, text.data(), text.size(), messages, timeouts));
    return text;
}

}  // namespace

std::string DataServerQuery(std::string_view address, ImportKind kind, std::string_view name) {
    char query[128];
    std::snprintf(query, sizeof query, "getdata.php?param1=%u&param2=%d&param3=%u&param4=%d&param5=%d&param6=",
                  kQueryRevision, int(kind), unsigned(kImportCapacity), kLineFormatRevision, kUtf8CodePage);
    std::string url(address);
    if (url.empty() || url.back() != '/') url += '/';
    return url + query + PercentEncoded(TextFileName(name));
}

bool FetchImportText(const ProgramDir& dir, ImportKind kind, const std::string& name, const ImportServer& server,
                     std::string& text, InfoSink& messages) {
    if (!IsSafeFileName(name)) {
        messages.InfoBox("Not a file name:", name);
        return false;
    }
    const std::string localCopy = dir.Path(kImportDir, TextFileName(name));
    text = FileExists(localCopy) ? ReadLocalCopy(localCopy)
                                 : Download(DataServerQuery(server.address, kind, name), server.timeouts, messages);
    if (text.empty() || text.front() == '<') {
        const KindTexts texts = TextsOf(kind);
        messages.InfoBox(texts.failure, TextFileName(name) + "\n\nTry " + texts.example + " as a test.");
        return false;
    }
    text = Utf8ToCp1252(text);
    return true;
}

}  // namespace vsp
