#include "guide/schedule_feed.h"

#include "guide/feed_document.h"

namespace velora::guide {

void loadScheduleDay(const QByteArray& feed, const QString& dayName, ScheduleTable& table,
                     const std::function<void()>& beforeRows) {
    // Each load parses into a document of its own, so a load started from `beforeRows`
    // cannot pull the nodes from under this one.
    const QDomDocument document = parseFeed(feed);
    table.reset();
    const QDomNodeList entries = feedItems(document, QStringLiteral("streaming"), beforeRows);
    for (int i = 0; i < entries.size(); ++i) {
        const QDomNode slot = entries.at(i);
        if (ElementText(slot, QStringLiteral("Day")) != dayName) {
            continue;
        }
        const QString hour = ElementText(slot, QStringLiteral("Hour"));
        QString title = ElementText(slot, QStringLiteral("Name"));
        if (title.isEmpty()) {
            title = ElementText(slot, QStringLiteral("Program"));
        }
        const QString description = ElementText(slot, QStringLiteral("Description"));
        const QString mark = description.isEmpty() ? QString() : QStringLiteral(">");
        table.appendRow({hour, title, mark, description});
    }
    table.setCurrentRow(0);
}

}  // namespace velora::guide
