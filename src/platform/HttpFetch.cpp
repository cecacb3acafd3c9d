#include "platform/HttpFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/SharedLibrary.h"

namespace vsp {
namespace {

#define VSP_CURL_FUNCTIONS(X, p) \
    X(p, global_init) X(p, easy_init) X(p, easy_cleanup) X(p, easy_setopt) X(p, easy_perform) \
    X(p, easy_getinfo) X(p, easy_strerror)
VSP_LAZY_API(CurlApi, curl_, VSP_CURL_FUNCTIONS)

const CurlApi* Curl() { return OpenLazyApi<CurlApi>("libcurl.so.4"); }

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

// Tells how far the body has come once a second after the first, and ends a transfer that
// outlasts its deadline (a server dripping bytes keeps the stall rule quiet).
struct TransferClock {
    using Clock = std::chrono::steady_clock;

    InfoSink& messages;
    Clock::time_point start = Clock::now();
    Clock::time_point nextReport = start + std::chrono::seconds(1);
    std::chrono::seconds deadline;
    bool shown = false;
    bool overdue = false;
};

std::string ByteCount(curl_off_t received, curl_off_t expected) {
    return std::to_string(received) + (expected > 0 ? " of " + std::to_string(expected) : "") + " bytes";
}

int OnTransferProgress(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto& clock = *static_cast<TransferClock*>(user);
    const auto now = TransferClock::Clock::now();
    if (now - clock.start >= clock.deadline) {
        clock.overdue = true;
        return 1;  // ends the transfer
    }
    if (now >= clock.nextReport) {
        clock.messages.ShowProgress("Please wait, downloading", ByteCount(received, expected));
        clock.shown = true;
        clock.nextReport = now + std::chrono::seconds(1);
    }
    return 0;
}

struct CurlCleanup {
    void operator()(CURL* handle) const { Curl()->easy_cleanup(handle); }
};

bool IsConnectFailure(CURLcode code) {
    return code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT ||
           code == CURLE_COULDNT_RESOLVE_PROXY;
}

// Why a transfer that reached the server brought no usable body, or nothing when it did.
std::optional<std::string> TransferFault(const CurlApi& api, CURL* curl, CURLcode code, const TransferClock& clock,
                                         const HttpTimeouts& timeouts) {
    long status = 0;
    api.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (clock.overdue) return "not complete after " + std::to_string(timeouts.totalSeconds) + " s";
    if (code == CURLE_OPERATION_TIMEDOUT) return "no answer for " + std::to_string(timeouts.stalledSeconds) + " s";
    if (code == CURLE_TOO_MANY_REDIRECTS) return "more than " + std::to_string(kHttpRedirectLimit) + " redirections";
    if (status >= 400) return "HTTP " + std::to_string(status);
    if (code == CURLE_PARTIAL_FILE) {
        curl_off_t received = 0, expected = 0;
        api.easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &received);
        api.easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
        return "the body ended after " + ByteCount(received, expected);
    }
    return std::nullopt;
}

// Says why a finished transfer brought no usable body; true when it did. A transfer that the
// writer ended because the buffer was full succeeded.
bool FetchSucceeded(const CurlApi& api, CURL* curl, CURLcode code, bool bufferFull, const TransferClock& clock, const std::string& url,
                    const HttpTimeouts& timeouts, InfoSink& messages) {
    curl_off_t connectMicroseconds = 0;
    api.easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connectMicroseconds);
    if (IsConnectFailure(code) || (code == CURLE_OPERATION_TIMEDOUT && connectMicroseconds == 0)) {
        messages.InfoBox("Web is not reachable", url);
        return false;
    }
    if (const auto fault = TransferFault(api, curl, code, clock, timeouts)) {
        messages.InfoBox("Failed to open URL", url + " (" + *fault + ")");
        return false;
    }
    if (code != CURLE_OK && !bufferFull) {
        messages.InfoBox("Failed to open URL", url + " (" + api.easy_strerror(code) + ")");
        return false;
    }
    return true;
}

// One transfer of `url` with the settings every fetch shares, the body going to `write`.
// `writerStopped` is set by the writer when it ended the transfer on purpose (that is no fault).
bool Transfer(const std::string& url, curl_write_callback write, void* writeData, const bool& writerStopped,
              InfoSink& messages, const HttpTimeouts& timeouts) {
    const CurlApi* api = Curl();
    static const bool initialised = api && api->global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    std::unique_ptr<CURL, CurlCleanup> handle(initialised ? api->easy_init() : nullptr);
    if (!handle) {
        messages.InfoBox("Failed to initialize Internet connexion.", "");
        return false;
    }
    CURL* curl = handle.get();
    api->easy_setopt(curl, CURLOPT_URL, url.c_str());
    api->easy_setopt(curl, CURLOPT_USERAGENT, "WceHttp");
    api->easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    api->easy_setopt(curl, CURLOPT_MAXREDIRS, kHttpRedirectLimit);
    api->easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    // Fewer than one byte a second for that long: the server has stopped answering.
    api->easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    api->easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.stalledSeconds);
    api->easy_setopt(curl, CURLOPT_WRITEFUNCTION, write);
    api->easy_setopt(curl, CURLOPT_WRITEDATA, writeData);
    TransferClock clock{.messages = messages, .deadline = std::chrono::seconds(timeouts.totalSeconds)};
    api->easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    api->easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnTransferProgress);
    api->easy_setopt(curl, CURLOPT_XFERINFODATA, &clock);

    const CURLcode code = api->easy_perform(curl);
    if (clock.shown) messages.EndProgress();
    return FetchSucceeded(*api, curl, code, writerStopped, clock, url, timeouts, messages);
}

struct StreamWriter {
    const std::function<bool(std::string_view)>& consume;
    bool stopped = false;
};

size_t StreamBody(char* data, size_t size, size_t count, void* user) {
    auto& writer = *static_cast<StreamWriter*>(user);
    if (!writer.consume(std::string_view(data, size * count))) {
        writer.stopped = true;
        return 0;  // ends the transfer
    }
    return size * count;
}

}  // namespace

size_t LoadFileFromUrl(std::string_view address, char* buffer, size_t capacity, InfoSink& messages,
                       const HttpTimeouts& timeouts) {
    if (!buffer || capacity == 0) {
        messages.InfoBox("LoadFileFromUrl", "Null buffer pointer");
        return 0;
    }
    buffer[0] = '\0';
    PieceWriter writer;
    writer.buffer = buffer;
    writer.capacity = capacity;
    const std::string url(address.substr(0, kMaxAddressLength));
    if (!Transfer(url, WriteBody, &writer, writer.full, messages, timeouts)) {
        buffer[0] = '\0';
        return 0;
    }
    if (!writer.full && writer.pieceFill > 0) writer.Commit();
    buffer[writer.stored] = '\0';
    return writer.stored;
}

bool StreamFromUrl(std::string_view address, const std::function<bool(std::string_view)>& consume,
                   InfoSink& messages, const HttpTimeouts& timeouts) {
    StreamWriter writer{consume};
    const std::string url(address.substr(0, kMaxAddressLength));
    const bool fetched = Transfer(url, StreamBody, &writer, writer.stopped, messages, timeouts);
    return fetched && !writer.stopped;
}

}  // namespace vsp
