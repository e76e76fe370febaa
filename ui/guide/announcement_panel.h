#pragma once
// The announcements on their panel (panel_duyurular): the list of announcements and the
// detail box that shows one of them as an HTML page.
//
// The window owns one AnnouncementPanel (by value or unique_ptr: it is not a child of
// the panel, whose widgets it creates; destroy it before the panel), forwards the choice of the
// announcement tab to RefreshAnnouncements() and a click on the panel's background picture to
// DBCtrlGrid2Click(). Controls are created as children of the given panel and keep
// their designer names as object names.
//
// Thread: main thread only; handlers may be re-entered while a fetch waits.

#include <QByteArray>
#include <QImage>
#include <QObject>

#include "guide/feed_table.h"
#include "ui/environment.h"
#include "ui/guide/feed_list_view.h"

class QFrame;
class QToolButton;

namespace velora {
class HttpClient;
}

namespace velora::ui {

class HtmlView;

// DBCtrlGrid2: five rows of 71 pixels; title, short text and a red ">".
class AnnouncementList final : public FeedListView {
    Q_OBJECT
public:
    AnnouncementList(guide::AnnouncementTable& table, QWidget* parent);

protected:
    void paintRow(QPainter& painter, int row, const QRect& rect) override;

private:
    QFont m_titleFont;
    QFont m_textFont;
    QFont m_markFont;
};

class AnnouncementPanel final : public QObject {
    Q_OBJECT
public:
    static constexpr int kBrowserHeight = 337;

    // `rowPicture` is the 320 x 77 row background (Image16).
    AnnouncementPanel(QWidget* panel, HttpClient& http, const Environment& env,
                      const QImage& rowPicture);

    // Fetches the feed (a failed fetch keeps the previous one, silently) and rebuilds
    // the list. A handler boundary: a load failure is shown in the default error box;
    // nothing escapes.
    void RefreshAnnouncements();

    // Rebuilds the list from AnnouncementFeedText; the last announcement stays current.
    // Throws guide::FeedError (not well-formed feed: list untouched; unreadable element:
    // the rows before it stay).
    void LoadAnnouncements();

    // Opens the detail box with the page of the current row. Run by a press on a row and
    // by a click on the panel's background picture (Image15). Every error is swallowed;
    // before the first load there is no table and the box stays hidden.
    void DBCtrlGrid2Click();
    // Hides the detail box; nothing else does.
    void SpeedButton9Click();

    // Replaces the page `view` shows with `text`.
    static void LoadHtmlIntoBrowser(HtmlView& view, const QString& text);

    void setRowPicture(const QImage& picture);

    // The body of the last announcement fetch that succeeded; empty until one does.
    QByteArray AnnouncementFeedText;

    guide::AnnouncementTable dxMemData2;
    AnnouncementList* DBCtrlGrid2 = nullptr;
    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton9 = nullptr;
    HtmlView* WebBrowser1 = nullptr;

private:
    HttpClient& m_http;
    const Environment& m_env;
};

}  // namespace velora::ui
