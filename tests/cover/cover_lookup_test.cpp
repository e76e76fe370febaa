// The lookup against the simulator: which requests each mode makes, and what comes of
// the answers.
#include "cover/cover_lookup.h"

#include <gtest/gtest.h>

#include "sim/cover_service.h"
#include "support/qt_printers.h"

namespace velora::cover {
namespace {

class CoverLookupTest : public ::testing::Test {
protected:
    CoverLookupTest()
        : covers(server), finder(search, QByteArray::fromStdString(server.hostPort())) {}

    QByteArray url(const std::string& target) const {
        return QByteArray::fromStdString(server.url(target));
    }
    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        for (const auto& r : server.requests()) {
            out.push_back(r.target);
        }
        return out;
    }
    std::optional<Raster> find(const QByteArray& mode, const QByteArray& title) {
        server.clearRequests();
        return finder.find(mode, title, 70, 70);
    }

    sim::Server server;
    sim::CoverService covers;
    HttpClient search;
    CoverFinder finder;
};

TEST_F(CoverLookupTest, EachModeAsksWhereItShould) {
    const QByteArray titleMode = QByteArray::fromStdString(sim::CoverService::titleMode(server));
    const QByteArray artistMode = QByteArray::fromStdString(sim::CoverService::artistMode(server));
    const QByteArray search =
        "/images?q=Ayla+Deniz+-+Yaz+Ya%F0mur&um=1&hl=tr&biw=1362&bih=585&uss=1";
    const struct {
        QByteArray mode;
        QByteArray title;
        std::vector<std::string> targets;
        bool found;
    } cases[] = {
        {"g", "Ayla Deniz - Yaz Ya\xf0mur", {search.toStdString(), ""}, true},
        {titleMode,
         "Ayla Deniz - Yaz Ya\xf0mur",
         {"/covers/title/Ayla+Deniz+-+Yaz+Ya%F0mur"},
         true},
        {artistMode, "A/B - C", {"/covers/artist/A.JPG"}, true},
        {artistMode, "One & Two Three - Song", {"/covers/artist/One.JPG"}, true},
        {artistMode, "Foo Bar", {"/covers/artist/.JPG"}, false},  // not found there
        {"y", "Ayla Deniz - Yaz", {}, false},
        {"", "Ayla Deniz - Yaz", {}, false},
        {"G", "Ayla Deniz - Yaz", {}, false},
        {"W-" + titleMode.mid(2), "Ayla Deniz - Yaz", {}, false},
        {"w-", "Ayla Deniz - Yaz", {}, false},  // the address is no address
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode.toStdString() + " / " + c.title.toStdString());
        const auto cover = find(c.mode, c.title);
        EXPECT_EQ(cover.has_value(), c.found);
        std::vector<std::string> seen = targets();
        ASSERT_EQ(seen.size(), c.targets.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            if (!c.targets[i].empty()) {
                EXPECT_EQ(seen[i], c.targets[i]);
            } else {
                EXPECT_TRUE(seen[i].starts_with("/covers/search/")) << seen[i];
            }
        }
        if (cover) {
            EXPECT_EQ(cover->width(), 70);
            EXPECT_EQ(cover->height(), 70);
            EXPECT_EQ(cover->format(), PixelFormat::Rgb24);
        }
    }
}

TEST_F(CoverLookupTest, TheDownloadUsesAClientOfItsOwnWithDefaultSettings) {
    ASSERT_TRUE(find("g", "Kerem Tan - Sahil Yolu"));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].connectionId, requests[1].connectionId);
    EXPECT_EQ(requests[0].header("Accept-Encoding"), "UTF-8, identity");
    EXPECT_EQ(requests[0].header("Content-Type"), "text/html");
    EXPECT_EQ(requests[1].raw, "GET " + requests[1].target +
                                   " HTTP/1.1\r\n"
                                   "Host: " +
                                   server.hostPort() +
                                   "\r\n"
                                   "Accept: text/html, */*\r\n"
                                   "Accept-Encoding: identity\r\n"
                                   "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n");
}

TEST_F(CoverLookupTest, ScrapedAddressesAndOverlongPrefixes) {
    server.overrideNext("/images", sim::Response::text("<img src=http://ab:http://x>"), 1);
    EXPECT_FALSE(find("g", "T - A"));
    EXPECT_EQ(targets().size(), 1u);  // nine characters: no download

    server.overrideNext("/images", sim::Response::text("<img src=http://abc:http://x>"), 1);
    EXPECT_EQ(finder.coverAddress("g", "T - A"), "http://abc");

    const std::string thumb = server.hostPort() + "/covers/search/t.jpg";
    server.overrideNext("/images", sim::Response::text("x src=http://" + thumb + ":http://o"), 1);
    EXPECT_TRUE(find("g", "T - A"));
    EXPECT_EQ(targets().back(), "/covers/search/t.jpg");

    // Only the first hundred characters of the prefix count.
    const QByteArray prefix = url("/covers/title/");
    const QByteArray mode = "w-" + prefix + QByteArray(100 - prefix.size(), 'p') + "IGNORED/";
    EXPECT_TRUE(find(mode, "T - A"));
    EXPECT_EQ(targets(), std::vector<std::string>{"/covers/title/" +
                                                  std::string(100 - prefix.size(), 'p') + "T+-+A"});
}

TEST_F(CoverLookupTest, FailedRequestsAndUnusablePicturesFindNothing) {
    const QByteArray faults = "w-" + url("/covers/fault/");
    EXPECT_FALSE(find(faults, "picture.png"));
    EXPECT_FALSE(find(faults, "truncated.jpg"));
    EXPECT_FALSE(find(faults, "missing.jpg"));  // 404

    const QByteArray titles = QByteArray::fromStdString(sim::CoverService::titleMode(server));
    sim::Response moved = sim::Response::error(302, "Found");
    moved.headers.push_back({"Location", server.url("/covers/title/elsewhere")});
    server.overrideNext("/covers/title/T", moved, 1);
    EXPECT_FALSE(find(titles, "T"));
    EXPECT_EQ(targets().size(), 1u);  // never followed

    server.overrideNext("/images", sim::Response::error(500, "Internal Server Error"), 1);
    EXPECT_FALSE(find("g", "T - A"));
    EXPECT_EQ(targets().size(), 1u);

    // A picture that scales to nothing: one pixel tall.
    const std::string oneRow =
        sim::encodeJpeg(5, 1, 3, [](int, uint8_t* row) { std::fill_n(row, 15, 128); });
    server.overrideNext("/covers/title/T", sim::Response::text(oneRow, "image/jpeg"), 1);
    EXPECT_FALSE(find(titles, "T"));
}

}  // namespace
}  // namespace velora::cover
