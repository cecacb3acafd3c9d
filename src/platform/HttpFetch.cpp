#include "platform/HttpFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace vsp {
namespace {

constexpr size_t kMaxAddressLength = 512;

// Gathers the body into whole pieces and keeps a piece only while the total stays below the
// last byte of the buffer, which holds the terminator.
struct PieceWriter {
    char* buffer = nullptr;
    size_t capacity = 0;
    size_t stored = 0;
    char piece[kHttpPieceSize] = {};
    size_t pieceFill = 0;
    bool full = false;

    bool Commit() {
        if (stored + pieceFill >= capacity - 1) {
            full = true;
            return false;
        }
        std::memcpy(buffer + stored, piece, pieceFill);
        stored += pieceFill;
        pieceFill = 0;
        return true;
    }
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto& writer = *static_cast<PieceWriter*>(user);
    const size_t length = size * count;
    for (size_t used = 0; used < length;) {
        const size_t take = std::min(length - used, kHttpPieceSize - writer.pieceFill);
        std::memcpy(writer.piece + writer.pieceFill, data + used, take);
        writer.pieceFill += take;
        used += take;
        if (writer.pieceFill == kHttpPieceSize && !writer.Commit()) return 0;  // ends the transfer
    }
    return length;
}

struct CurlCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

bool IsConnectFailure(CURLcode code) {
    return code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT ||
           code == CURLE_COULDNT_RESOLVE_PROXY;
}

// Says why a finished transfer brought no usable body; true when it did. A transfer that the
// writer ended because the buffer was full succeeded.
bool FetchSucceeded(CURL* curl, CURLcode code, bool bufferFull, const std::string& url,
                    const HttpTimeouts& timeouts, InfoSink& messages) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_off_t connectMicroseconds = 0;
    curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connectMicroseconds);
    if (IsConnectFailure(code) || (code == CURLE_OPERATION_TIMEDOUT && connectMicroseconds == 0)) {
        messages.InfoBox("Web is not reachable", url);
        return false;
    }
    if (code == CURLE_OPERATION_TIMEDOUT) {
        messages.InfoBox("Failed to open URL",
                         url + " (no answer for " + std::to_string(timeouts.stalledSeconds) + " s)");
        return false;
    }
    if (status >= 400) {
        messages.InfoBox("Failed to open URL", url + " (HTTP " + std::to_string(status) + ")");
        return false;
    }
    if (code != CURLE_OK && !bufferFull) {
        messages.InfoBox("Failed to open URL", url + " (" + curl_easy_strerror(code) + ")");
        return false;
    }
    return true;
}

}  // namespace

size_t LoadFileFromUrl(std::string_view address, char* buffer, size_t capacity, InfoSink& messages,
                       const HttpTimeouts& timeouts) {
    if (!buffer || capacity == 0) {
        messages.InfoBox("LoadFileFromUrl", "Null buffer pointer");
        return 0;
    }
    buffer[0] = '\0';
    const std::string url(address.substr(0, kMaxAddressLength));
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    std::unique_ptr<CURL, CurlCleanup> handle(initialised ? curl_easy_init() : nullptr);
    if (!handle) {
        messages.InfoBox("Failed to initialize Internet connexion.", "");
        return 0;
    }
    PieceWriter writer;
    writer.buffer = buffer;
    writer.capacity = capacity;
    CURL* curl = handle.get();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "WceHttp");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    // Fewer than one byte a second for that long: the server has stopped answering.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.stalledSeconds);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &writer);

    const CURLcode code = curl_easy_perform(curl);
    if (!FetchSucceeded(curl, code, writer.full, url, timeouts, messages)) {
        buffer[0] = '\0';
        return 0;
    }
    if (!writer.full && writer.pieceFill > 0) writer.Commit();
    buffer[writer.stored] = '\0';
    return writer.stored;
}

}  // namespace vsp
