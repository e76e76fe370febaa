#include "ui/guide/announcement_panel.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPainter>
#include <QToolButton>

#include "guide/announcement_feed.h"
#include "guide/feed_document.h"
#include "service/http_client.h"
#include "ui/guide/redraw_pause.h"
#include "ui/handler_guard.h"
#include "ui/html_view.h"

namespace velora::ui {

AnnouncementList::AnnouncementList(guide::AnnouncementTable& table, QWidget* parent)
    : FeedListView(table, 71, parent),
      m_titleFont(cellFont(QStringLiteral("Tahoma"), 11, true, true)),
      m_textFont(cellFont(QStringLiteral("Tahoma"), 11, false, true)),
      m_markFont(cellFont(QStringLiteral("Arial"), 19, true, false)) {}

void AnnouncementList::paintRow(QPainter& painter, int row, const QRect& rect) {
    using guide::AnnouncementTable;
    drawCellText(painter, rect, QRect(9, 1, 272, 17), table().value(row, AnnouncementTable::baslik),
                 m_titleFont, Qt::black);
    drawCellText(painter, rect, QRect(8, 17, 273, 52), table().value(row, AnnouncementTable::detay),
                 m_textFont, palette().color(QPalette::WindowText), true);
    drawCellText(painter, rect, QRect(281, 17, 19, 22), table().value(row, AnnouncementTable::ok),
                 m_markFont, QColor(218, 7, 7));
}

AnnouncementPanel::AnnouncementPanel(QWidget* panel, HttpClient& http, const Environment& env,
                                     const QImage& rowPicture)
    : m_http(http), m_env(env) {
    DBCtrlGrid2 = new AnnouncementList(dxMemData2, panel);
    DBCtrlGrid2->setObjectName(QStringLiteral("DBCtrlGrid2"));
    DBCtrlGrid2->setGeometry(0, 65, 321, 355);
    DBCtrlGrid2->setRowPicture(rowPicture);
    DBCtrlGrid2->show();  // also when the panel is already on screen
    connect(DBCtrlGrid2, &FeedListView::rowPressed, this, [this] { DBCtrlGrid2Click(); });

    Panel2 = new QFrame(panel);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 62, 320, 379);
    Panel2->setFrameStyle(QFrame::NoFrame);
    Panel2->setAutoFillBackground(true);
    QPalette silver = Panel2->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel2->setPalette(silver);
    Panel2->hide();
    SpeedButton9 = new QToolButton(Panel2);
    SpeedButton9->setObjectName(QStringLiteral("SpeedButton9"));
    SpeedButton9->setGeometry(0, 1, 81, 23);
    SpeedButton9->setText(QStringLiteral("Kapat"));
    SpeedButton9->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton9, &QToolButton::clicked, this, [this] { SpeedButton9Click(); });
    WebBrowser1 = new HtmlView(Panel2);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(0, 24, 320, kBrowserHeight);
}

void AnnouncementPanel::setRowPicture(const QImage& picture) {
    DBCtrlGrid2->setRowPicture(picture);
}

void AnnouncementPanel::RefreshAnnouncements() {
    guarded(m_env, [this] {
        try {
            AnnouncementFeedText = m_http.get("http://" + m_env.hosts.web + "/Announcement.aspx");
        } catch (const std::exception& e) {
            qCInfo(lcGuide) << "announcement fetch failed, keeping the last feed:" << e.what();
        }
        LoadAnnouncements();
    });
}

void AnnouncementPanel::LoadAnnouncements() {
    RedrawPause pause(*DBCtrlGrid2);
    guide::loadAnnouncementList(AnnouncementFeedText, dxMemData2, [&pause] {
        pause.begin();
        QCoreApplication::processEvents();
    });
}

void AnnouncementPanel::DBCtrlGrid2Click() {
    try {
        WebBrowser1->resize(WebBrowser1->width(), kBrowserHeight);
        if (!dxMemData2.isOpen()) {
            return;  // nothing loaded yet: there is no row to read
        }
        LoadHtmlIntoBrowser(*WebBrowser1,
                            guide::composeDetailPage(dxMemData2, dxMemData2.currentRow()));
        WebBrowser1->resize(WebBrowser1->width(), kBrowserHeight);
        Panel2->show();
        Panel2->raise();
    } catch (const std::exception& e) {
        qCInfo(lcGuide) << "announcement detail not shown:" << e.what();
    }
}

void AnnouncementPanel::SpeedButton9Click() {
    Panel2->hide();
}

void AnnouncementPanel::LoadHtmlIntoBrowser(HtmlView& view, const QString& text) {
    // The view replaces its page at once and fetches the pictures in the background,
    // so there is no blank page to wait for.
    view.loadHtml(text);
}

}  // namespace velora::ui
