#pragma once
// The weekly schedule feed: which slots belong to a day and what the list shows of them.

#include <QByteArray>
#include <QString>
#include <functional>

#include "guide/feed_table.h"

namespace velora::guide {

// The day names of the feed, Monday first, as the day buttons load them.
inline constexpr const char16_t* kScheduleDayNames[7] = {
    u"Pazartesi", u"Salı", u"Çarşamba", u"Perşembe", u"Cuma", u"Cumartesi", u"Pazar"};

// Rebuilds `table` with the slots of `feed` whose Day is exactly `dayName`, in feed
// order, then makes the first row current.
//
// A body that is not well-formed throws before the table is touched. Otherwise the
// table is emptied; an empty body or a feed without "streaming" ends there with no rows.
// `beforeRows` runs once just before the rows are read (the window lets pending events
// run there). An element that cannot be read as text throws FeedError: the rows
// appended before it stay, the row being read is dropped and the current row is the
// last one appended.
void loadScheduleDay(const QByteArray& feed, const QString& dayName, ScheduleTable& table,
                     const std::function<void()>& beforeRows = {});

}  // namespace velora::guide
