#pragma once
// An HTTP server on 127.0.0.1 for fetch tests: each path answers a fixed status and body,
// any other path 404. A silent server accepts connections and never answers.

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <utility>

namespace vsp::test {

class LocalHttpServer {
public:
    using Routes = std::map<std::string, std::pair<int, std::string>>;  // path -> status, body
    explicit LocalHttpServer(Routes routes, bool silent = false);
    ~LocalHttpServer();
    std::string Url(const std::string& path) const;

private:
    void Answer(int connection) const;

    Routes routes_;
    int listener_ = -1, port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace vsp::test
