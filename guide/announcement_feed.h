#pragma once
// The announcement feed: one list row per announcement, and the page the detail view
// shows for a row.

#include <QByteArray>
#include <QString>
#include <functional>

#include "guide/feed_table.h"

namespace velora::guide {

// Rebuilds `table` with every child of "announcement", in feed order. The current row
// stays on the last row appended, so the list shows the end.
//
// Failures as loadScheduleDay: a body that is not well-formed throws before the table
// is touched; an empty body or a feed without "announcement" leaves the table empty; an
// element that cannot be read as text throws FeedError after the rows appended before
// it. `beforeRows` runs once just before the rows are read.
void loadAnnouncementList(const QByteArray& feed, AnnouncementTable& table,
                          const std::function<void()>& beforeRows = {});

// The HTML page of `row` (all values empty when there is no such row): title, short
// text, picture and body, with the values inserted unescaped, since the body carries
// the announcement's own markup.
QString composeDetailPage(const AnnouncementTable& table, int row);

}  // namespace velora::guide
