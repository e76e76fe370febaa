#include "ui/html_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextFragment>

#include "guide_fixture.h"

namespace velora {
namespace {

using ui::CssImageSize;
using ui::HtmlView;

TEST(HtmlView, CssImageSizesOfTheTags) {
    const QList<CssImageSize> sizes = ui::cssImageSizes(
        "<p>x</p><!-- <img src=c.png style='width:1px'> -->"
        "<IMG SRC=\"a.png?x=1&amp;y=2\" style=\"height:auto; WIDTH: 280px\">"
        "<script>var s = '<img src=s.png style=\"width:9px\">';</script>"
        "<img alt='>' src='b.png' style='width:50%;height:40px'><img src=d.png>");
    ASSERT_EQ(sizes.size(), 3);
    EXPECT_EQ(sizes[0].source, "a.png?x=1&y=2");
    EXPECT_EQ(sizes[0].width, 280);
    EXPECT_EQ(sizes[0].height, 0);
    EXPECT_EQ(sizes[1].source, "b.png");
    EXPECT_EQ(sizes[1].width, 0);
    EXPECT_EQ(sizes[1].height, 40);
    EXPECT_EQ(sizes[2].source, "d.png");
    EXPECT_EQ(sizes[2].width, 0);
}

double imageWidth(const HtmlView& view) {
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                return it.fragment().charFormat().toImageFormat().width();
            }
        }
    }
    return -1;
}

TEST(HtmlView, NavigateShowsThePageWithRelativePicturesAndNoScript) {
    test::GuideWorld world;
    world.server.route("/page/a", [](const sim::HttpRequest&, sim::Connection& c) {
        c.respond(sim::Response::text(
            "<html><body>Sayfa<script>document.write('betik')</script>"
            "<img src=\"../guide/duyuru-1.png\" style=\"width:80px\"></body></html>",
            "text/html; charset=utf-8"));
    });
    HtmlView view;
    view.resize(320, 200);
    QSignalSpy complete(&view, &HtmlView::documentComplete);
    QSignalSpy arrived(&view, &HtmlView::pictureLoaded);
    const QUrl address(QString::fromStdString(world.server.url("/page/a")));
    view.navigate(address);
    ASSERT_TRUE(complete.wait(5000));
    EXPECT_EQ(view.url(), address);
    EXPECT_EQ(view.toPlainText().remove(QChar::ObjectReplacementCharacter), "Sayfa");
    ASSERT_TRUE(arrived.count() > 0 || arrived.wait(5000));
    EXPECT_EQ(imageWidth(view), 80);
    EXPECT_EQ(world.requestsFor("/guide/duyuru-1.png"), 1);
}

TEST(HtmlView, PicturesThatCannotBeShownLeaveThePageAlone) {
    test::GuideWorld world;
    world.server.route("/huge.png", [](const sim::HttpRequest&, sim::Connection& c) {
        c.respond(
            sim::Response::text(std::string(HtmlView::kMaxPictureBytes + 1, 'x'), "image/png"));
    });
    world.server.route("/text.png", [](const sim::HttpRequest&, sim::Connection& c) {
        c.respond(sim::Response::text("not a picture", "image/png"));
    });
    HtmlView view;
    QSignalSpy arrived(&view, &HtmlView::pictureLoaded);
    const QString good = QString::fromStdString(world.server.url("/guide/duyuru-2.png"));
    view.loadHtml("<img src=\"" + QString::fromStdString(world.server.url("/huge.png")) +
                  "\"><img src=\"" + QString::fromStdString(world.server.url("/text.png")) +
                  "\"><img src=\"/etc/hostname\"><img src=\"" + good + "\">");
    ASSERT_TRUE(arrived.wait(5000));
    EXPECT_EQ(arrived.takeFirst().at(0).toUrl(), QUrl(good));
    QTest::qWait(300);  // the others have had time to fail
    EXPECT_TRUE(arrived.isEmpty());
    EXPECT_EQ(world.requestsFor("/text.png"), 1);
}

}  // namespace
}  // namespace velora
