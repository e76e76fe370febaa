#include "service/http_response_parser.h"

#include <gtest/gtest.h>

#include <random>

namespace velora {
namespace {

using Result = HttpResponseParser::Result;

// Feeds `bytes` in pieces of random sizes, reading the body whenever the headers allow.
Result feedInPieces(HttpResponseParser& p, const QByteArray& bytes, std::mt19937& rng) {
    Result r = Result::NeedMore;
    qsizetype at = 0;
    while (at < bytes.size() && r == Result::NeedMore) {
        const qsizetype n = std::min<qsizetype>(bytes.size() - at, 1 + rng() % 9);
        r = p.feed(bytes.constData() + at, n);
        at += n;
        if (r == Result::HeadersDone) {
            r = p.continueBody();
        }
    }
    return r == Result::NeedMore ? p.finish() : r;
}

TEST(HttpResponseParser, AnySplitGivesTheSameResponse) {
    const QByteArray response =
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"
        "Set-Cookie: a=1\r\n\r\n5;ext=1\r\nHello\r\n7\r\n, world\r\n0\r\nTrailer: x\r\n\r\n";
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        HttpResponseParser p;
        ASSERT_EQ(feedInPieces(p, response, rng), Result::Done);
        EXPECT_EQ(p.body(), "Hello, world");
        EXPECT_EQ(p.status(), 200);
        EXPECT_TRUE(p.keepAlive());
    }
}

TEST(HttpResponseParser, RandomBytesEndInAnAnswerWithinTheLimits) {
    std::mt19937 rng(11);
    const HttpLimits limits{1024, 4096};
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes = i % 2 ? QByteArray("HTTP/1.1 200 OK\r\n") : QByteArray();
        const int n = static_cast<int>(rng() % 3000);
        for (int k = 0; k < n; ++k) {
            // Mostly printable text with line breaks, colons and hex digits.
            static const char alphabet[] =
                "0123456789abcdefABCDEF:; \r\n\r\nHTTP/1.0chunkedContent-Length";
            bytes.append(rng() % 5 ? alphabet[rng() % (sizeof alphabet - 1)]
                                   : static_cast<char>(rng() % 256));
        }
        HttpResponseParser p(limits);
        const Result r = feedInPieces(p, bytes, rng);
        EXPECT_TRUE(r == Result::Done || r == Result::Failed);
        EXPECT_LE(p.body().size(), limits.maxBodyBytes);
        if (r == Result::Failed) {
            EXPECT_FALSE(p.error().isEmpty());
        }
    }
}

}  // namespace
}  // namespace velora
