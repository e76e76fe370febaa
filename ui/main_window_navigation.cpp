// The tab strip, dragging the window, the credit menu and the contact links.
#include <QCoreApplication>
#include <QWindow>

#include "ui/handler_guard.h"
#include "ui/main_window.h"

namespace velora::ui {

void TForm1::wireHandlers() {
    connect(tab, &Picture::mousePressed, this,
            [this](Qt::MouseButton b, QPoint p) { tabMouseDown(b, p.x(), p.y()); });
    for (Picture* background : {Image1, Image2}) {
        connect(background, &Picture::mousePressed, this,
                [this](Qt::MouseButton b, QPoint) { Image1MouseDown(b); });
        background->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(background, &QWidget::customContextMenuRequested, this,
                [this, background](QPoint at) { PopupMenu1->popup(background->mapToGlobal(at)); });
    }
    connect(CreditMenuItem, &QAction::triggered, this, [this] { CreditMenuItemClick(); });
    connect(Image6, &Picture::clicked, this, [this] { Image6Click(); });
    connect(Image8, &Picture::clicked, this, [this] { Image8Click(); });
    connect(Label9, &Picture::clicked, this, [this] { Label9Click(); });
    connect(Label10, &Picture::clicked, this, [this] { Label10Click(); });
    connect(Image17, &Picture::clicked, this, [this] { Image17Click(); });
    connect(Image15, &Picture::clicked, this, [this] { announcements->DBCtrlGrid2Click(); });
    connect(WebBrowser2, &HtmlView::documentComplete, this,
            [this] { WebBrowser2DocumentComplete(); });
}

void TForm1::tabMouseDown(Qt::MouseButton, int x, int) {
    // Five zones of 64 pixels; the leftmost pixel column belongs to none.
    if (x < 1 || x > 320) {
        return;
    }
    const int n = (x - 1) / 64 + 1;
    const Picture* strips[] = {tab_1, tab_2, tab_3, tab_4, tab_5};
    tab->setImage(strips[n - 1]->image());
    QWidget* panels[] = {panel_yayin, Panel_yayinakisi, panel_duyurular, panel_mesaj,
                         panel_iletisim};
    for (int i = 0; i < 5; ++i) {
        panels[i]->setVisible(i == n - 1);
    }
    if (n == 2 || n == 3) {
        // Paint the new panel before the blocking fetch.
        QCoreApplication::processEvents();
        if (n == 2) {
            schedule->RefreshSchedule();
        } else {
            announcements->RefreshAnnouncements();
        }
    }
}

void TForm1::Image1MouseDown(Qt::MouseButton button) {
    // The right button opens the credit menu instead; a system move would swallow it.
    if (button == Qt::RightButton) {
        return;
    }
    if (m_env.startWindowMove) {
        m_env.startWindowMove();
    } else if (QWindow* handle = window()->windowHandle()) {
        handle->startSystemMove();
    }
}

void TForm1::openLink(const QString& address) {
    m_env.shell->open(address);
}

QString TForm1::brandSite() const {
    return QStringLiteral("http://") + QString::fromLatin1(m_env.hosts.web) + '/';
}

void TForm1::CreditMenuItemClick() {
    openLink(QString::fromLatin1(kMakerSite));
}

void TForm1::Image6Click() {
    openLink(brandSite());
}

void TForm1::Image8Click() {
    openLink(QString::fromLatin1(kMapPage));
}

void TForm1::Label9Click() {
    if (!LinkA.isEmpty()) {
        openLink(LinkA);
    }
}

void TForm1::Label10Click() {
    if (!LinkB.isEmpty()) {
        openLink(LinkB);
    }
}

}  // namespace velora::ui
