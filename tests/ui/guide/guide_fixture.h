#pragma once
// A panel host for the schedule and announcement panels, wired to an in-process
// simulator that serves the web site feeds.

#include <QImage>
#include <QWidget>

#include "service/http_client.h"
#include "sim/guide_feeds.h"
#include "support/recorders.h"

namespace velora::test {

struct GuideWorld : TestWorld {
    GuideWorld() : feeds(server) {
        panel.setGeometry(0, 0, 320, 424);
        panel.show();
        setDate(QDate(2024, 6, 3));  // a Monday
    }
    void setDate(QDate date) {
        env.now = [date] { return QDateTime(date, QTime(12, 0)); };
    }
    int requestsFor(const std::string& path) const {
        int n = 0;
        for (const sim::HttpRequest& r : server.requests()) {
            n += r.path == path;
        }
        return n;
    }
    static QImage solid(int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    sim::GuideFeeds feeds;
    HttpClient http;
    QWidget panel;
};

// True when `a` and `b` differ by at most `tolerance` in every channel.
inline bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace velora::test
