// The line's traffic record stays bounded however long the line talks: the oldest exchanges go
// first, a reply read in pieces is one exchange, and a long one keeps its beginning and its count.
#include <gtest/gtest.h>

#include <string>

#include "scope/LineTraffic.h"

namespace vsp {
namespace {

TEST(LineTraffic, KeepsTheLastExchangesAndTheBeginningOfALongReply) {
    LineTraffic traffic;
    const CalendarDateTime at{2024, 4, 8, 22, 0, 0};
    for (int i = 0; i < 40; ++i) traffic.Sent(":GR#" + std::to_string(i), at);
    const std::string sentence = "$GPGGA,120000,4530.500,N,00215.250,W,1,08,0.9,120.0,M,,,,*04\r\n";
    traffic.Received(sentence, at);
    traffic.Received(sentence, at);
    traffic.Received("", at);

    const auto& kept = traffic.Exchanges();
    ASSERT_EQ(kept.size(), LineTraffic::kExchangesKept);
    EXPECT_EQ(kept.front().bytes, ":GR#9");  // 0..8 dropped, and the one the reply pushed out
    const LineExchange& reply = kept.back();
    EXPECT_EQ(reply.direction, LineDirection::Received);
    EXPECT_EQ(reply.count, 2 * sentence.size());
    EXPECT_EQ(reply.bytes, (sentence + sentence).substr(0, LineTraffic::kLineBytesKept));
}

}  // namespace
}  // namespace vsp
