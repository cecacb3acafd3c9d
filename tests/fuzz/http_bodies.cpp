// What a web server answers the fetches: a server on 127.0.0.1 answers every request with the
// input as its whole response (status line, headers and body as they come, then it closes),
// and the answer goes through the fetch and the importer that asked for it: element sets
// (`sat import URL`), or the data server's eyepieces, locations, custom catalog or observer
// logs.

#include <fuzzer/FuzzedDataProvider.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "catalog/ImportText.h"
#include "catalog/UserImports.h"
#include "fuzz/FuzzHome.h"
#include "satellites/ElementSetImport.h"
#include "tools/ObserverLogImport.h"

namespace {

using namespace vsp;

class RawServer {
public:
    RawServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            std::abort();
        url_ = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        std::thread([this] { Loop(); }).detach();
    }
    const std::string& Url() const { return url_; }
    void Answer(std::string response) {
        std::lock_guard<std::mutex> lock(mutex_);
        response_ = std::move(response);
    }

private:
    // Waits at most a second for the client.
    static bool Readable(int fd) {
        pollfd ready{fd, POLLIN, 0};
        return ::poll(&ready, 1, 1000) == 1;
    }
    void Loop() {
        for (;;) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            std::string request;
            char piece[4096];
            while (request.find("\r\n\r\n") == std::string::npos && Readable(client)) {
                const ssize_t got = ::read(client, piece, sizeof piece);
                if (got <= 0) break;
                request.append(piece, size_t(got));
            }
            std::string response;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                response = response_;
            }
            for (size_t sent = 0; sent < response.size();) {
                const ssize_t put = ::send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
                if (put <= 0) break;
                sent += size_t(put);
            }
            // The client closes after the body; reading to its end keeps the answer from being cut.
            ::shutdown(client, SHUT_WR);
            while (Readable(client) && ::read(client, piece, sizeof piece) > 0) {
            }
            ::close(client);
        }
    }

    int listener_ = -1;
    std::string url_;
    std::mutex mutex_;
    std::string response_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RawServer server;
    FuzzedDataProvider input(data, size);
    const uint8_t which = input.ConsumeIntegral<uint8_t>();
    server.Answer(input.ConsumeRemainingBytesAsString());
    const HttpTimeouts timeouts{2, 2};
    const ImportServer dataServer{server.Url(), timeouts};
    const ProgramDir& home = fuzz::FreshHome();
    RecordingInfoSink messages;
    ImportResult result;
    switch (which % 5) {
        case 0: {
            std::string text;
            if (LoadElementSetText(server.Url() + "/visual.txt", text, messages, timeouts)) ParseElementSets(text);
            break;
        }
        case 1: ImportEyepieces(home, "fuzz", dataServer, messages, result); break;
        case 2: ImportLocations(home, "fuzz", dataServer, messages, result); break;
        case 3: ImportCustomCatalog(home, "fuzz", dataServer, messages, result); break;
        default: {
            std::string text;
            LogImportCounts counts;
            if (FetchImportText(home, ImportKind::ObserverLogs, "fuzz", dataServer, text, messages))
                ImportLogs(home, text, DateOrder::DayFirst, messages, counts);
            break;
        }
    }
    return 0;
}
