#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include "guide/announcement_feed.h"
#include "guide/feed_document.h"
#include "guide/schedule_feed.h"
#include "service/cp1254.h"

namespace velora::guide {
namespace {

// One slot; nullptr leaves the element out.
struct Slot {
    const char* day;
    const char* hour;
    const char* name;
    const char* program;
    const char* description;
};

QString element(const char* name, const char* text) {
    return text ? QStringLiteral("<%1>%2</%1>").arg(name, QString::fromUtf8(text)) : QString();
}

QByteArray scheduleFeed(std::initializer_list<Slot> entries) {
    QString xml = "<radyo><streaming>";
    for (const Slot& s : entries) {
        xml += "<item>" + element("Day", s.day) + element("Hour", s.hour) +
               element("Name", s.name) + element("Program", s.program) +
               element("Description", s.description) + "</item>";
    }
    return (xml + "</streaming></radyo>").toUtf8();
}

QStringList rowOf(const FeedTable& table, int row) {
    QStringList values;
    for (int c = 0; c < table.columnCount(); ++c) {
        values << table.value(row, c);
    }
    return values;
}

TEST(ScheduleTable, RowsOfTheDayInFeedOrder) {
    ScheduleTable table;
    EXPECT_FALSE(table.isOpen());
    const QByteArray feed = scheduleFeed({
        {"Pazartesi", "07:00", "Sabah", "x", "Açıklama"},
        {"pazartesi", "08:00", "Küçük harf", "", ""},
        {"Pazartesi ", "09:00", "Sondaki boşluk", "", ""},
        {"Salı", "10:00", "Başka gün", "", ""},
        {"Pazartesi", "11:00", "", "Yedek ad", ""},
        {"Pazartesi", "12:00", nullptr, "Ad yok", nullptr},
        {"Pazartesi", "13:00", "", "", "d"},
        {"Pazartesi", nullptr, nullptr, nullptr, nullptr},
    });
    int beforeRowsCalls = 0;
    loadScheduleDay(feed, "Pazartesi", table, [&] { ++beforeRowsCalls; });
    EXPECT_EQ(beforeRowsCalls, 1);
    ASSERT_TRUE(table.isOpen());
    ASSERT_EQ(table.rowCount(), 5);
    EXPECT_EQ(rowOf(table, 0), QStringList({"07:00", "Sabah", ">", "Açıklama"}));
    EXPECT_EQ(rowOf(table, 1), QStringList({"11:00", "Yedek ad", "", ""}));
    EXPECT_EQ(rowOf(table, 2), QStringList({"12:00", "Ad yok", "", ""}));
    EXPECT_EQ(rowOf(table, 3), QStringList({"13:00", "", ">", "d"}));
    EXPECT_EQ(rowOf(table, 4), QStringList({"", "", "", ""}));
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_EQ(table.headerData(3, Qt::Horizontal).toString(), "aciklama");

    loadScheduleDay(feed, "Pazar", table);  // a day without slots
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.currentRow(), -1);
}

TEST(ScheduleTable, ValuesAreCutAndHeldInTheSingleByteText) {
    ScheduleTable table;
    const QByteArray longHour = "22:00 - 02:00 (gece)";
    const QByteArray longText = QByteArray(1005, 'd');
    const QByteArray longName = QByteArray(120, 'n');
    loadScheduleDay(scheduleFeed({{"Cuma", longHour, longName, "", longText},
                                  {"Cuma", "1", "日本 ş ğ İ € ‰ Ω", "", ""}}),
                    "Cuma", table);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.value(0, ScheduleTable::saat), "22:00 - 02");
    EXPECT_EQ(table.value(0, ScheduleTable::program), QString(100, 'n'));
    EXPECT_EQ(table.value(0, ScheduleTable::aciklama), QString(1000, 'd'));
    EXPECT_EQ(table.value(1, ScheduleTable::program), "?? ş ğ İ € ‰ ?");
    // The cut counts single-byte characters, Turkish letters included.
    EXPECT_EQ(fitColumn("ÇĞİÖŞÜçğıöşü", 10), "ÇĞİÖŞÜçğıö");
}

TEST(ScheduleTable, EncodingComesFromTheDocument) {
    const QString day = "Çarşamba";
    const QString title = "Şölen ğı İÖ";
    const QString body = "<radyo><streaming><item><Day>" + day + "</Day><Name>" + title +
                         "</Name></item></streaming></radyo>";
    const struct {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"utf-8 without declaration", body.toUtf8()},
        {"windows-1254",
         "<?xml version=\"1.0\" encoding=\"windows-1254\"?>" + cp1254::encode(body)},
        {"ISO-8859-9", "<?xml version=\"1.0\" encoding=\"ISO-8859-9\"?>" + cp1254::encode(body)},
        {"utf-16 with BOM", QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)
                                .encode("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + body)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScheduleTable table;
        loadScheduleDay(c.bytes, day, table);
        ASSERT_EQ(table.rowCount(), 1);
        EXPECT_EQ(table.value(0, ScheduleTable::program), title);
    }
}

TEST(ScheduleTable, FailuresAndEmptyFeeds) {
    const QByteArray good = scheduleFeed({{"Cuma", "1", "a", "", ""}, {"Cuma", "2", "b", "", ""}});
    ScheduleTable table;
    loadScheduleDay(good, "Cuma", table);
    table.setCurrentRow(1);

    // Not well-formed: the table keeps its rows and its current row.
    EXPECT_THROW(loadScheduleDay("<radyo>\n<streaming></radyo>", "Cuma", table), FeedError);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.currentRow(), 1);

    // An unreadable element ends the load after the rows before it.
    const QByteArray mixed =
        "<r><streaming><i><Day>Cuma</Day><Name>a</Name></i>"
        "<i><Day>Cuma</Day><Name>b</Name></i>"
        "<i><Day>Cuma</Day><Name>c<b>!</b></Name></i>"
        "<i><Day>Cuma</Day><Name>d</Name></i></streaming></r>";
    EXPECT_THROW(loadScheduleDay(mixed, "Cuma", table), FeedError);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.value(1, ScheduleTable::program), "b");
    EXPECT_EQ(table.currentRow(), 1);

    // Empty feed and a feed without "streaming": an empty table, no error.
    for (const QByteArray& feed : {QByteArray(), QByteArray("<radyo><other/></radyo>")}) {
        loadScheduleDay(good, "Cuma", table);
        loadScheduleDay(feed, "Cuma", table);
        EXPECT_TRUE(table.isOpen());
        EXPECT_EQ(table.rowCount(), 0);
    }
}

QByteArray announcementFeed(const QString& items) {
    return ("<?xml version=\"1.0\" encoding=\"utf-8\"?><d><announcement>" + items +
            "</announcement></d>")
        .toUtf8();
}

TEST(AnnouncementTable, EveryItemIsARowAndTheLastIsCurrent) {
    AnnouncementTable table;
    const QString longTitle(60, 't');
    const QString longBody(2100, 'b');
    const QString longUrl = "http://h/" + QString(160, 'u');
    loadAnnouncementList(
        announcementFeed(
            "<x><Title>Bir</Title><ShortContent>Kısa</ShortContent>"
            "<Body>&lt;b&gt;kalın&lt;/b&gt;</Body><ImageUrl>http://h/1.png</ImageUrl></x>"
            "<y><Title>" +
            longTitle + "</Title><ShortContent>" + QString(210, 's') + "</ShortContent><Body>" +
            longBody + "</Body><ImageUrl>" + longUrl +
            "</ImageUrl></y>"
            "<z><Title>Resimsiz</Title><Body><![CDATA[<i>ç</i>]]></Body></z>"),
        table);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(rowOf(table, 0), QStringList({"Bir", "Kısa", "<b>kalın</b>", "http://h/1.png", ">"}));
    EXPECT_EQ(table.value(1, AnnouncementTable::baslik), longTitle.left(50));
    EXPECT_EQ(table.value(1, AnnouncementTable::detay), QString(200, 's'));
    EXPECT_EQ(table.value(1, AnnouncementTable::icerik), longBody.left(2000));
    EXPECT_EQ(table.value(1, AnnouncementTable::resimlink), longUrl.left(150));
    EXPECT_EQ(rowOf(table, 2), QStringList({"Resimsiz", "", "<i>ç</i>", "", ">"}));
    EXPECT_EQ(table.currentRow(), 2);

    // A Body with elements of its own ends the load after the rows before it.
    EXPECT_THROW(loadAnnouncementList(
                     announcementFeed("<x><Title>1</Title></x><x><Body>a<br/>b</Body></x>"), table),
                 FeedError);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.currentRow(), 0);

    loadAnnouncementList(announcementFeed(""), table);
    EXPECT_EQ(table.rowCount(), 0);
    loadAnnouncementList("<d/>", table);
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(AnnouncementTable, DetailPageIsComposedUnescaped) {
    AnnouncementTable table;
    loadAnnouncementList(
        announcementFeed(
            "<x><Title>A \"q\"</Title><ShortContent>K</ShortContent>"
            "<Body>&lt;b&gt;B&lt;/b&gt;\nline</Body><ImageUrl>http://h/p.png</ImageUrl></x>"),
        table);
    EXPECT_EQ(composeDetailPage(table, 0),
              "<html><body style=\"border:0px;margin:3px\">A \"q\"<br>K<br><img "
              "src=\"http://h/p.png\" style=\"width:280px;height:auto\"><br><b>B</b>\nline"
              "</body></html>");
    EXPECT_EQ(composeDetailPage(table, -1),
              "<html><body style=\"border:0px;margin:3px\"><br><br><img src=\"\" "
              "style=\"width:280px;height:auto\"><br></body></html>");
}

}  // namespace
}  // namespace velora::guide
