#include "platform/HttpFetch.h"

#include <gtest/gtest.h>

#include "support/LocalHttpServer.h"

namespace vsp {
namespace {

using test::LocalHttpServer;

// Whole 4096-byte pieces are kept while the total stays below capacity - 1; a short last piece
// is kept when it fits.
TEST(HttpFetch, KeepsTheBodyInWholePiecesThatFitTheBuffer) {
    struct Case { size_t body, capacity, stored; };
    for (const Case c : {Case{5000, 10000, 5000}, Case{20000, 10000, 8192}, Case{8192, 8193, 4096},
                         Case{8192, 8194, 8192}, Case{100, 101, 0}}) {
        std::string body(c.body, ' ');
        for (size_t i = 0; i < c.body; ++i) body[i] = char('a' + i % 23);
        LocalHttpServer server({{"/body", {200, body}}});
        std::string buffer(c.capacity, 'x');
        RecordingInfoSink messages;
        EXPECT_EQ(LoadFileFromUrl(server.Url("/body"), buffer.data(), c.capacity, messages), c.stored) << c.body;
        EXPECT_EQ(buffer.substr(0, c.stored), body.substr(0, c.stored));
        EXPECT_EQ(buffer[c.stored], '\0');
        EXPECT_TRUE(messages.messages.empty());
    }
}

TEST(HttpFetch, FailsWithTheAddressAndWhy) {
    LocalHttpServer server({{"/gone", {404, "<html>gone</html>"}}});
    LocalHttpServer silent({}, true);
    const std::string closedPort = [] { LocalHttpServer closed({}, true); return closed.Url("/x"); }();
    struct Case { std::string address, first, detail; };
    for (const Case& c : {Case{server.Url("/gone"), "Failed to open URL", "(HTTP 404)"},
                          Case{silent.Url("/elements.txt"), "Failed to open URL", "(no answer for 1 s)"},
                          Case{closedPort, "Web is not reachable", ""}}) {
        char buffer[64] = "previous";
        RecordingInfoSink messages;
        EXPECT_EQ(LoadFileFromUrl(c.address, buffer, sizeof buffer, messages, {1, 1}), 0u);
        EXPECT_EQ(buffer[0], '\0');
        ASSERT_EQ(messages.messages.size(), 1u) << c.address;
        EXPECT_EQ(messages.messages[0].first, c.first);
        EXPECT_EQ(messages.messages[0].second, c.address + (c.detail.empty() ? "" : " " + c.detail));
    }
}

}  // namespace
}  // namespace vsp
