#include "service/http_client.h"

#include <gtest/gtest.h>

#include "service/http_error.h"
#include "sim/server.h"
#include "support/qt_printers.h"

namespace velora {
namespace {

using sim::Connection;
using sim::HttpRequest;
using sim::Response;

class HttpClientTest : public ::testing::Test {
protected:
    HttpClientTest() {
        server.route("/ok",
                     [](const HttpRequest&, Connection& c) { c.respond(Response::text("1003")); });
    }
    QByteArray url(const char* target) const {
        return QByteArray::fromStdString(server.url(target));
    }
    QString failureOf(const QByteArray& address) {
        try {
            client.get(address);
        } catch (const HttpError& e) {
            return e.text();
        }
        return "no failure";
    }
    // A route that writes these exact bytes and then closes.
    void rawRoute(const std::string& path, std::string bytes) {
        server.route(path, [bytes](const HttpRequest&, Connection& c) {
            c.send(bytes);
            c.closeAfterHandler();
        });
    }

    sim::Server server;
    HttpClient client;
};

TEST_F(HttpClientTest, SendsExactlyOurHeaderBlock) {
    EXPECT_EQ(client.get(url("/ok?i=velora&v=1003")), "1003");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw,
              "GET /ok?i=velora&v=1003 HTTP/1.1\r\n"
              "Content-Type: text/html\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) +
                  "\r\n"
                  "Accept: text/html, */*\r\n"
                  "Accept-Encoding: UTF-8, identity\r\n"
                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                  "\r\n");
}

TEST_F(HttpClientTest, DownloadProfileSendsDefaults) {
    HttpClient downloader(HttpProfile::download());
    downloader.get(url("/ok"));
    EXPECT_EQ(server.requests().at(0).raw,
              "GET /ok HTTP/1.1\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) +
                  "\r\n"
                  "Accept: text/html, */*\r\n"
                  "Accept-Encoding: identity\r\n"
                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                  "\r\n");
}

TEST_F(HttpClientTest, BodyFramings) {
    const std::string utf8 = "Türkü \xE2\x82\xAC";
    Response chunked = Response::text(utf8 + std::string(50, 'x'));
    chunked.framing = sim::Framing::Chunked;
    server.overrideNext("/chunked", chunked);
    Response closing = Response::text("until close");
    closing.framing = sim::Framing::CloseDelimited;
    server.overrideNext("/close", closing);
    server.overrideNext("/empty", Response::error(204, "No Content"));
    rawRoute("/continue",
             "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi");

    EXPECT_EQ(client.get(url("/chunked")).toStdString(), utf8 + std::string(50, 'x'));
    EXPECT_EQ(client.get(url("/close")), "until close");
    EXPECT_EQ(client.get(url("/empty")), "");
    EXPECT_EQ(client.get(url("/continue")), "hi");
}

TEST_F(HttpClientTest, RefusedResponsesFailWithTheirStatusLine) {
    Response redirect = Response::error(302, "Found");
    redirect.headers.emplace_back("Location", server.url("/ok"));
    server.overrideNext("/redirect", redirect);
    Response located = Response::text("x");
    located.headers.emplace_back("Location", "/elsewhere");
    server.overrideNext("/located", located);
    server.overrideNext("/missing", Response::error(404, "Not Found"));
    server.overrideNext("/notmodified", Response::error(304, "Not Modified"));

    EXPECT_EQ(failureOf(url("/redirect")), "HTTP/1.1 302 Found");
    EXPECT_EQ(failureOf(url("/located")), "HTTP/1.1 200 OK");
    EXPECT_EQ(failureOf(url("/missing")), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(failureOf(url("/notmodified")), "HTTP/1.1 304 Not Modified");
    // The redirect was not followed: only the four requests above arrived.
    EXPECT_EQ(server.requests().size(), 4u);
}

TEST_F(HttpClientTest, NetworkFailuresAndUnservedAddresses) {
    sim::Server closed;
    closed.setRefusing(true);
    EXPECT_EQ(failureOf(QByteArray::fromStdString(closed.url("/ok"))),
              "Socket Error # 10061\r\nConnection refused.");

    Response dropped = Response::text(std::string(1000, 'x'));
    dropped.dropAfterBodyBytes = 10;
    server.overrideNext("/drop", dropped);
    EXPECT_EQ(failureOf(url("/drop")), "Socket Error # 10054\r\nConnection reset by peer.");

    EXPECT_EQ(failureOf("https://127.0.0.1:" + QByteArray::number(server.port()) + "/ok"),
              "Protocol not supported: https");
    EXPECT_TRUE(failureOf("").startsWith("Invalid address"));
    // Bytes that would split the request line or start a header line never reach a server.
    const QByteArray base = url("/ok");
    for (const QByteArray& unsafe :
         {base + " x", base + "\r\nX-Injected: 1", base + "\t", base + "\x7f"}) {
        EXPECT_TRUE(failureOf(unsafe).startsWith("Invalid address")) << unsafe.toStdString();
    }
    EXPECT_EQ(failureOf("http://host.invalid/x"), "Socket Error # 11001\r\nHost not found.");
    EXPECT_EQ(server.connectionsAccepted(), 1);  // https and the empty address never connected
    EXPECT_EQ(closed.connectionsAccepted(), 0);
}

TEST_F(HttpClientTest, EventsRunWhileASlowBodyKeepsArriving) {
    // Twenty bytes, one every 60 ms: never a quarter second without data.
    server.route("/slow", [](const HttpRequest&, Connection& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n");
        for (int i = 0; i < 20 && c.sleepFor(std::chrono::milliseconds(60)); ++i) {
            c.send("x");
        }
    });
    int pumps = 0;
    WaitPolicy wait;
    wait.pumpEvents = [&pumps] { ++pumps; };
    client.setWaitPolicy(wait);
    EXPECT_EQ(client.get(url("/slow")), QByteArray(20, 'x'));
    EXPECT_GE(pumps, 3);
}

TEST_F(HttpClientTest, ATricklingResponseIsGivenUpAfterTheWholeRequestsTime) {
    server.route("/trickle", [](const HttpRequest&, Connection& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
        while (c.sleepFor(std::chrono::milliseconds(50)) && c.send("x")) {
        }
    });
    WaitPolicy wait;
    wait.totalTimeoutMs = 600;
    client.setWaitPolicy(wait);
    // A thousand bytes at twenty a second would take fifty seconds.
    EXPECT_EQ(failureOf(url("/trickle")), "Socket Error # 10060\r\nConnection timed out.");
    EXPECT_EQ(client.get(url("/ok")), "1003");  // the next request starts afresh
}

TEST_F(HttpClientTest, HostileResponsesAreBounded) {
    rawRoute("/hugeheader", "HTTP/1.1 200 OK\r\nX: " + std::string(70 * 1024, 'a') + "\r\n\r\n");
    rawRoute("/hugebody", "HTTP/1.1 200 OK\r\nContent-Length: 999999999999\r\n\r\n");
    rawRoute("/overflow",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFF\r\n");
    rawRoute("/garbage", "\x16\x03\x01 not http at all\r\n\r\n");
    EXPECT_EQ(failureOf(url("/hugeheader")), "The response header is too large.");
    EXPECT_EQ(failureOf(url("/hugebody")), "The response is too large.");
    EXPECT_EQ(failureOf(url("/overflow")), "The server sent an invalid chunk.");
    EXPECT_EQ(failureOf(url("/garbage")), "The server sent an invalid response.");
}

TEST_F(HttpClientTest, CookiesComeBackToTheSameHost) {
    server.setCookie("session=abc; Path=/");
    client.get(url("/ok"));
    server.setCookie("");
    client.get(url("/ok"));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].hasHeader("Cookie"));
    EXPECT_EQ(requests[1].header("Cookie"), "session=abc");
    // The cookie line comes last.
    EXPECT_TRUE(requests[1].raw.ends_with("Cookie: session=abc\r\n\r\n"));
}

TEST_F(HttpClientTest, KeepsTheConnectionAndClosesItOnAHostSwitch) {
    sim::Server other;
    other.route("/ok",
                [](const HttpRequest&, Connection& c) { c.respond(Response::text("other")); });
    client.get(url("/ok"));
    client.get(url("/ok"));
    EXPECT_EQ(server.connectionsAccepted(), 1);
    EXPECT_EQ(client.get(QByteArray::fromStdString(other.url("/ok"))), "other");
    client.get(url("/ok"));
    EXPECT_EQ(server.connectionsAccepted(), 2);
    const auto requests = server.requests();
    EXPECT_EQ(requests[0].connectionId, requests[1].connectionId);
    EXPECT_NE(requests[1].connectionId, requests[2].connectionId);
}

TEST_F(HttpClientTest, ARequestStartedWhileAnotherWaitsUsesItsOwnConnection) {
    Response slow = Response::text("slow");
    slow.delay = std::chrono::milliseconds(600);
    server.overrideNext("/slow", slow);
    QByteArray inner;
    int pumps = 0;
    WaitPolicy policy;
    policy.pumpEvents = [&] {
        if (++pumps == 1) {
            inner = client.get(url("/ok"));  // a handler running while the first request waits
        }
    };
    client.setWaitPolicy(policy);
    EXPECT_EQ(client.get(url("/slow")), "slow");
    EXPECT_EQ(inner, "1003");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].connectionId, requests[1].connectionId);
}

TEST_F(HttpClientTest, AStaleKeptConnectionIsReopenedOnce) {
    Response closing = Response::text("first");
    closing.keepAlive = true;
    server.overrideNext("/first", closing, 1);
    client.get(url("/first"));
    // The server forgets idle connections: restart it on the same port.
    const uint16_t port = server.port();
    server.stop();
    sim::Server again(port);
    again.route("/ok",
                [](const HttpRequest&, Connection& c) { c.respond(Response::text("again")); });
    EXPECT_EQ(client.get(url("/ok")), "again");
}

}  // namespace
}  // namespace velora
