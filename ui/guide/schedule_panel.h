#pragma once
// The weekly schedule on its panel (Panel_yayinakisi): seven day buttons, the list of
// the chosen day's programmes and the detail box of a described programme.
//
// The window owns one SchedulePanel (by value or unique_ptr: it is not a child of the
// panel, whose widgets it creates) and forwards the choice of the schedule tab to
// RefreshSchedule(). Destroy it before the panel. Controls are created as children of the given
// panel and keep their designer names as object names.
//
// Thread: main thread only. Fetches block but let events run (HttpClient), so the
// handlers here may be re-entered; nothing serialises them.

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <array>

#include "guide/feed_table.h"
#include "ui/environment.h"
#include "ui/guide/feed_list_view.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace velora {
class HttpClient;
}

namespace velora::ui {

// DBCtrlGrid1: nine rows of 37 pixels; hour, title and the ">" of a described programme.
class ScheduleList final : public FeedListView {
    Q_OBJECT
public:
    ScheduleList(guide::ScheduleTable& table, QWidget* parent);

protected:
    void paintRow(QPainter& painter, int row, const QRect& rect) override;

private:
    QFont m_textFont;
    QFont m_markFont;
};

class SchedulePanel final : public QObject {
    Q_OBJECT
public:
    // `rowPicture` is the 320 x 39 row background (Image13).
    SchedulePanel(QWidget* panel, HttpClient& http, const Environment& env,
                  const QImage& rowPicture);

    // Fetches the feed (a failed fetch keeps the previous one, silently) and shows
    // today's programmes with today's button down. A handler boundary: a load failure
    // is shown in the default error box; nothing escapes.
    void RefreshSchedule();

    // Rebuilds the list from ScheduleFeedText with the slots of `dayName`. Throws
    // guide::FeedError (not well-formed feed: list untouched; unreadable element: the
    // rows before it stay).
    void LoadSchedule(const QString& dayName);

    // The day buttons' handlers: LoadSchedule with their day. Throw as LoadSchedule.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();

    // Opens the detail box for the current row when it has a description; every error
    // is swallowed.
    void DBCtrlGrid1Click();
    // Hides the detail box; nothing else does.
    void SpeedButton8Click();

    void setRowPicture(const QImage& picture);

    // The body of the last schedule fetch that succeeded; empty until one does.
    QByteArray ScheduleFeedText;

    guide::ScheduleTable dxMemData1;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    ScheduleList* DBCtrlGrid1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label11 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QToolButton* SpeedButton8 = nullptr;

private:
    // The day button of `index` (0 = Monday ... 6 = Sunday) and its handler.
    QToolButton* dayButton(int index) const;
    void dayButtonClick(int index);

    HttpClient& m_http;
    const Environment& m_env;
    QButtonGroup* m_days = nullptr;
};

// The index of today's day button (0 = Monday ... 6 = Sunday) for a day of the week
// counted from Sunday = 1.
int dayButtonIndex(int dayOfWeekFromSunday);

}  // namespace velora::ui
