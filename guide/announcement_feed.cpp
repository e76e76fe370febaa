#include "guide/announcement_feed.h"

#include "guide/feed_document.h"

namespace velora::guide {

void loadAnnouncementList(const QByteArray& feed, AnnouncementTable& table,
                          const std::function<void()>& beforeRows) {
    // A document of its own per load, as in loadScheduleDay.
    const QDomDocument document = parseFeed(feed);
    table.reset();
    const QDomNodeList items = feedItems(document, QStringLiteral("announcement"), beforeRows);
    for (int i = 0; i < items.size(); ++i) {
        const QDomNode item = items.at(i);
        QStringList row(5);
        row[AnnouncementTable::baslik] = ElementText(item, QStringLiteral("Title"));
        row[AnnouncementTable::detay] = ElementText(item, QStringLiteral("ShortContent"));
        row[AnnouncementTable::ok] = QStringLiteral(">");
        row[AnnouncementTable::icerik] = ElementText(item, QStringLiteral("Body"));
        row[AnnouncementTable::resimlink] = ElementText(item, QStringLiteral("ImageUrl"));
        table.appendRow(row);
    }
}

QString composeDetailPage(const AnnouncementTable& table, int row) {
    return QStringLiteral("<html><body style=\"border:0px;margin:3px\">") +
           table.value(row, AnnouncementTable::baslik) + QStringLiteral("<br>") +
           table.value(row, AnnouncementTable::detay) + QStringLiteral("<br>") +
           QStringLiteral("<img src=\"") + table.value(row, AnnouncementTable::resimlink) +
           QStringLiteral("\" style=\"width:280px;height:auto\"><br>") +
           table.value(row, AnnouncementTable::icerik) + QStringLiteral("</body></html>");
}

}  // namespace velora::guide
