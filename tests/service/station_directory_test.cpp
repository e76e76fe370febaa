#include <gtest/gtest.h>

#include "service/cp1254.h"
#include "service/directory_handshake.h"

namespace velora {
namespace {

QByteArray answerWith(int stations, int extraLines, const char* eol = "\r\n") {
    QByteArray body = QByteArray("1003") + eol + "http://get/new" + eol;
    for (int i = 0; i < stations; ++i) {
        for (int k = 0; k < 8; ++k) {
            body += "s" + QByteArray::number(i) + "f" + QByteArray::number(k) + eol;
        }
    }
    for (int i = 0; i < extraLines; ++i) {
        body += QByteArray("extra") + eol;
    }
    return body;
}

TEST(DirectoryAnswer, StationsAndLines) {
    struct Case {
        const char* what;
        QByteArray body;
        int stations;
        qsizetype lines;
        QString firstName;
    };
    const Case cases[] = {
        {"two records", answerWith(2, 0), 2, 16, "s0f1"},
        {"five lines belong to no station", answerWith(2, 5), 2, 21, "s0f1"},
        {"lone LF line ends", answerWith(2, 0, "\n"), 2, 16, "s0f1"},
        {"lone CR line ends", answerWith(1, 0, "\r"), 1, 8, "s0f1"},
        {"two lines only stay in the list", "1003\r\nhttp://x\r\n", 0, 2, ""},
        {"empty body", "", 0, 0, ""},
        {"a four-byte character empties everything", answerWith(1, 0) + "\xF0\x9F\x98\x80", 0, 0,
         ""},
        {"a cut sequence empties everything", answerWith(1, 0) + "\xC3", 0, 0, ""},
        {"a bad trail byte empties everything", "1003\r\nx\r\n\xC3(" + answerWith(1, 0), 0, 0, ""},
        {"\"__\" splits a name", "1\r\nd\r\n0\r\nA__B\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", 1, 9,
         "A"},
    };
    for (const Case& c : cases) {
        const DirectoryAnswer a = readDirectoryAnswer(c.body, "1003");
        EXPECT_EQ(a.directory.stationCount(), c.stations) << c.what;
        EXPECT_EQ(a.directory.lineCount(), c.lines) << c.what;
        EXPECT_EQ(a.stationNames.value(0), c.firstName) << c.what;
        EXPECT_FALSE(a.updateOffered) << c.what;
    }
}

TEST(DirectoryAnswer, FieldsDecodeTurkishAndReadPastTheEndAsEmpty) {
    const QByteArray body =
        "1003\r\nd\r\n0\r\nDiraz Türkü ĞŞİ\r\nhttp://s\r\n\r\np\r\nA\r\nB\r\ng\r\n";
    const DirectoryAnswer a = readDirectoryAnswer(body, "1003");
    ASSERT_EQ(a.stationNames, QStringList{QStringLiteral("Diraz Türkü ĞŞİ")});
    EXPECT_EQ(a.directory.field(0, 2), "http://s");
    EXPECT_EQ(a.directory.field(0, 3), "");
    EXPECT_EQ(a.directory.field(0, 7), "g");
    EXPECT_EQ(a.directory.field(5, 2), "");
    EXPECT_EQ(a.directory.line(-1), "");
    // Three underscores read as a break followed by "_".
    EXPECT_EQ(readDirectoryAnswer("1\r\nd\r\nx___y\r\n", "1003").directory.line(1), "_y");
}

TEST(DirectoryAnswer, LongLinesAreReadBackCut) {
    const QByteArray body = "1003\r\nd\r\n" + QByteArray(5000, 'x') + "\r\n";
    EXPECT_EQ(readDirectoryAnswer(body, "1003").directory.line(0).size(), 4096);
}

TEST(DirectoryAnswer, VersionCheck) {
    struct Case {
        QByteArray first;
        bool offered;
    };
    const Case cases[] = {{"1004", true},   {"1003", false}, {"999", false}, {"", false},
                          {"1004 ", false}, {"$3EC", true},  {"abc", false}};
    for (const Case& c : cases) {
        const DirectoryAnswer a = readDirectoryAnswer(c.first + "\r\nhttp://get/new\r\n", "1003");
        EXPECT_EQ(a.updateOffered, c.offered) << c.first.toStdString();
        EXPECT_EQ(a.downloadAddress, "http://get/new");
    }
}

TEST(DirectoryRequest, QueryInOrderUnescaped) {
    const DirectoryQuery q{"dir.example:8080", "velora", "1003", -3, "0A-1B-2C-3D-4E-5F"};
    EXPECT_EQ(directoryRequestUrl(q),
              "http://dir.example:8080/xml.aspx?i=velora&mac=0A-1B-2C-3D-4E-5F&v=1003&rid=-3");
}

}  // namespace
}  // namespace velora
