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

// Servers that never let a transfer end well: each fails with its reason, nothing kept. The
// dripping one (a byte every 0.3 s, so the stall rule never fires) shows its progress every
// second until the deadline ends it; whatever showed progress ends it.
TEST(HttpFetch, FailsWithTheAddressAndWhy) {
    LocalHttpServer server({{"/gone", {404, "<html>gone</html>"}},
                            {"/drip", test::HttpReply::Dripping(std::string(100, 'x'), 300)},
                            {"/short", test::HttpReply::CutShort(std::string(500, 'x'), 1000)},
                            {"/loop", test::HttpReply::Redirect("/loop")}});
    LocalHttpServer silent({}, true);
    const std::string closedPort = [] { LocalHttpServer closed({}, true); return closed.Url("/x"); }();
    struct Case { std::string address, first, detail; };
    for (const Case& c : {Case{server.Url("/gone"), "Failed to open URL", "(HTTP 404)"},
                          Case{silent.Url("/elements.txt"), "Failed to open URL", "(no answer for 1 s)"},
                          Case{closedPort, "Web is not reachable", ""},
                          Case{server.Url("/drip"), "Failed to open URL", "(not complete after 3 s)"},
                          Case{server.Url("/short"), "Failed to open URL", "(the body ended after 500 of 1000 bytes)"},
                          Case{server.Url("/loop"), "Failed to open URL", "(more than 10 redirections)"}}) {
        char buffer[2000] = "previous";
        RecordingInfoSink messages;
        EXPECT_EQ(LoadFileFromUrl(c.address, buffer, sizeof buffer, messages, {1, 1, 3}), 0u);
        EXPECT_EQ(buffer[0], '\0');
        ASSERT_EQ(messages.messages.size(), 1u) << c.address;
        EXPECT_EQ(messages.messages[0].first, c.first);
        EXPECT_EQ(messages.messages[0].second, c.address + (c.detail.empty() ? "" : " " + c.detail));
        EXPECT_EQ(messages.progressEnds, messages.progress.empty() ? 0 : 1) << c.address;
        if (c.address != server.Url("/drip")) continue;
        EXPECT_GE(messages.progress.size(), 2u);
        for (const auto& [first, second] : messages.progress) {
            EXPECT_EQ(first, "Please wait, downloading");
            EXPECT_TRUE(second.ends_with(" of 100 bytes")) << second;
        }
    }
}

}  // namespace
}  // namespace vsp
