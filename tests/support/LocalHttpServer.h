#pragma once
// An HTTP server on 127.0.0.1 for fetch tests: each path answers a fixed reply, any other path
// 404. A silent server accepts connections and never answers. A reply can also misbehave as
// real servers do: redirect (a Location header), drip its body a byte at a time, or claim a
// longer body than it sends.

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <utility>

namespace vsp::test {

struct HttpReply {
    HttpReply(int status = 404, std::string body = "") : status(status), body(std::move(body)) {}
    static HttpReply Redirect(std::string to) {
        HttpReply reply(302);
        reply.location = std::move(to);
        return reply;
    }
    static HttpReply Dripping(std::string body, int msPerByte) {
        HttpReply reply(200, std::move(body));
        reply.msPerByte = msPerByte;
        return reply;
    }
    static HttpReply CutShort(std::string body, long declaredLength) {
        HttpReply reply(200, std::move(body));
        reply.declaredLength = declaredLength;
        return reply;
    }

    int status;
    std::string body;
    std::string location;      // sent as a Location header when not empty
    int msPerByte = 0;         // the body sent one byte at a time, this far apart
    long declaredLength = -1;  // the Content-Length sent, when not the body's own
};

class LocalHttpServer {
public:
    using Routes = std::map<std::string, HttpReply>;  // path -> reply
    explicit LocalHttpServer(Routes routes, bool silent = false);
    ~LocalHttpServer();
    std::string Url(const std::string& path) const;

private:
    void Answer(int connection) const;
    bool Send(int connection, const std::string& bytes) const;

    Routes routes_;
    int listener_ = -1, port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace vsp::test
