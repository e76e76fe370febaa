// Where covers are looked for: the file name, the image-search scrape and the modes.
#include "cover/cover_address.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace velora::cover {
namespace {

TEST(CoverAddress, FileNameIsTheArtistBeforeDashSlashAndAmpersand) {
    const struct {
        QByteArray title;
        QByteArray file;
    } cases[] = {
        {"First Last - Song", "First%20Last.JPG"},
        {"One & Two Three - Song", "One.JPG"},
        {"A/B - C", "A.JPG"},
        {"  Ayla  Deniz  -  Yaz - Remix ", "Ayla%20%20Deniz.JPG"},
        {"Foo Bar", ".JPG"},
        {"- Song", ".JPG"},
        {"Bar\xfd\xfe Man\xe7o - \xdd\xe7im", "Bar\xfd\xfe%20Man\xe7o.JPG"},  // 1254 bytes kept
        {"", ".JPG"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CoverFileName(c.title), c.file) << c.title.toStdString();
    }
}

TEST(CoverAddress, ScrapeTakesTheTextBetweenTheMarkersWithinFiveHundredCharacters) {
    const QByteArray far(600, 'x');
    const struct {
        QByteArray page;
        QByteArray address;
    } cases[] = {
        {"<img src=http://ab:http://x>", "http://ab"},  // too short for a request (9)
        {"<img src=http://abc:http://x>", "http://abc"},
        {"a src=http://h/1.jpg:http://o b src=http://h/2.jpg:http://o", "http://h/1.jpg"},
        {"src=http://:http://x", "http://"},
        {"src=http://h/" + far + ":http://x", "http://"},  // the end lies beyond the window
        // Without the marker, characters 11 to 510 are searched all the same.
        {"0123456789abc/d.jpg:http://x", "http://abc/d.jpg"},
        {"0123456789:http://x", "http://"},
        {"short", "http://"},
        {"", "http://"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scrapedCoverAddress(c.page), c.address) << c.page.left(40).toStdString();
    }
}

TEST(CoverAddress, ModesAreExactAndPrefixesHoldAtMostAHundredCharacters) {
    const struct {
        QByteArray mode;
        CoverSource source;
    } cases[] = {
        {"g", CoverSource::ImageSearch},
        {"G", CoverSource::None},
        {"gg", CoverSource::None},
        {"y", CoverSource::None},
        {"w-http://h/", CoverSource::Title},
        {"W-http://h/", CoverSource::None},
        {"f-http://h/", CoverSource::FileName},
        {"F-http://h/", CoverSource::None},
        {"", CoverSource::None},
        {"w", CoverSource::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coverSourceOf(c.mode), c.source) << c.mode.toStdString();
    }
    const QByteArray hundred = "http://h/" + QByteArray(91, 'p');
    EXPECT_EQ(coverPrefix("w-" + hundred + "cut off"), hundred);
    EXPECT_EQ(coverPrefix("f-http://h/"), "http://h/");
    EXPECT_EQ(coverPrefix("w-"), "");
    EXPECT_EQ(imageSearchTarget("A+%26+B"), "/images?q=A+%26+B&um=1&hl=tr&biw=1362&bih=585&uss=1");
}

}  // namespace
}  // namespace velora::cover
