#include "playback/stream_texts.h"

#include <gtest/gtest.h>

namespace velora::playback {
namespace {

TEST(StreamTexts, TitleOfAMetadataText) {
    struct Case {
        const char* text;
        std::optional<QByteArray> title;
    };
    const Case cases[] = {
        {"StreamTitle='Artist - Song';StreamUrl='';", QByteArray("Artist - Song")},
        {"StreamTitle='AB;C';", QByteArray("A")},
        {"StreamTitle='A;B';", QByteArray("")},
        {"StreamUrl='x';StreamTitle='T';", QByteArray("")},
        {"StreamUrl='x';", std::nullopt},
        {"StreamTitle='no end", QByteArray("")},
        {"StreamTitle='it's';", QByteArray("it's")},
        {nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseStreamTitle(c.text), c.title) << (c.text ? c.text : "null");
    }
}

TEST(StreamTexts, IcyHeaderScan) {
    const char block[] = "icy-name: Diraz Pop\0ICY-NAME:Loud\0icy-br:128\0icy-genre:Pop\0\0";
    const QList<PlayerStatus> reports = scanIcyHeaders(block);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].code, STATUS_STATION_NAME);
    EXPECT_EQ(reports[0].text, " Diraz Pop");  // the blank in front is kept
    EXPECT_EQ(reports[1].code, STATUS_BITRATE);
    EXPECT_EQ(reports[1].text, "BitRate: 128");
    EXPECT_TRUE(scanIcyHeaders(nullptr).isEmpty());
}

TEST(StreamTexts, BitRateLabel) {
    EXPECT_EQ(bitRateLabel("BitRate: 128"), QString("128 KBit"));
    EXPECT_EQ(bitRateLabel("BitRate:  128"), QString("128 KBit"));
    EXPECT_EQ(bitRateLabel("BitRate: 12345"), QString("1234 KBit"));
    EXPECT_EQ(bitRateLabel("ICY 200 OK"), std::nullopt);
    EXPECT_EQ(bitRateLabel(""), std::nullopt);
}

TEST(StreamTexts, CoverLookupTitles) {
    EXPECT_EQ(trimmedTitle("  A - B \t"), "A - B");
    for (const char* advert : {"REKLAM ARASI", "Reklam", "reklamlar", ""}) {
        EXPECT_FALSE(coverLookupWanted(advert)) << advert;
    }
    EXPECT_TRUE(coverLookupWanted("Artist - Song"));
}

}  // namespace
}  // namespace velora::playback
