#include "ui/guide/announcement_panel.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "guide_fixture.h"
#include "ui/html_view.h"

namespace velora {
namespace {

using guide::AnnouncementTable;
using test::GuideWorld;
using ui::AnnouncementPanel;

QString pageText(const AnnouncementPanel& p) {
    return p.WebBrowser1->toPlainText();
}

TEST(AnnouncementPanel, RefreshListsEveryAnnouncementWithTheLastInView) {
    GuideWorld world;
    AnnouncementPanel panel(&world.panel, world.http, world.env, {});
    panel.RefreshAnnouncements();
    const AnnouncementTable& table = panel.dxMemData2;
    ASSERT_EQ(table.rowCount(), sim::GuideFeeds::kAnnouncementCount);
    for (int row = 0; row < table.rowCount(); ++row) {
        EXPECT_EQ(table.value(row, AnnouncementTable::ok), ">");
    }
    EXPECT_EQ(table.currentRow(), 6);
    EXPECT_EQ(panel.DBCtrlGrid2->visibleRows(), 5);
    EXPECT_EQ(panel.DBCtrlGrid2->topRow(), 2);
    EXPECT_EQ(world.requestsFor("/Announcement.aspx"), 1);
    EXPECT_TRUE(world.dialogs.boxes.isEmpty());
}

TEST(AnnouncementPanel, BackgroundClickOpensTheCurrentPageWithItsPicture280Wide) {
    GuideWorld world;
    AnnouncementPanel panel(&world.panel, world.http, world.env, {});
    panel.DBCtrlGrid2Click();  // before the first load there is nothing to open
    EXPECT_TRUE(panel.Panel2->isHidden());

    panel.RefreshAnnouncements();
    QSignalSpy arrived(panel.WebBrowser1, &ui::HtmlView::pictureLoaded);
    panel.WebBrowser1->resize(320, 100);
    panel.DBCtrlGrid2Click();
    ASSERT_TRUE(panel.Panel2->isVisible());
    EXPECT_EQ(panel.WebBrowser1->geometry(), QRect(0, 24, 320, 337));
    EXPECT_TRUE(pageText(panel).startsWith("Bayram programı\nBayram boyunca özel yayınlar"));
    EXPECT_TRUE(pageText(panel).contains("İyi bayramlar!\nÖzel konuklar"));  // markup rendered
    EXPECT_FALSE(pageText(panel).contains("<b>"));

    ASSERT_TRUE(arrived.wait(5000));
    const QImage shot = panel.WebBrowser1->viewport()->grab().toImage();
    const QColor colour = QColor::fromRgb(sim::GuideFeeds::pictureColour(7));
    QRect box;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (test::near(shot.pixelColor(x, y), colour, 12)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    EXPECT_NEAR(box.width(), 280, 1);
    EXPECT_NEAR(box.height(),
                280 * sim::GuideFeeds::kPictureHeight / sim::GuideFeeds::kPictureWidth, 1);
    EXPECT_NEAR(box.left(), 3, 1);  // the body margin only
}

TEST(AnnouncementPanel, RowPressOpensThatRowAndTheBoxStaysOpen) {
    GuideWorld world;
    AnnouncementPanel panel(&world.panel, world.http, world.env, {});
    panel.RefreshAnnouncements();
    QTest::mousePress(panel.DBCtrlGrid2, Qt::LeftButton, {}, QPoint(40, 10));  // top row: 3rd
    EXPECT_EQ(panel.dxMemData2.currentRow(), 2);
    ASSERT_TRUE(panel.Panel2->isVisible());
    EXPECT_TRUE(pageText(panel).startsWith("Yaz yayın akışı\n"));
    const QString page = pageText(panel);

    // Another tab and back, with the list reloaded behind it: still open, same page.
    world.panel.hide();
    world.panel.show();
    panel.RefreshAnnouncements();
    EXPECT_TRUE(panel.Panel2->isVisible());
    EXPECT_EQ(pageText(panel), page);

    QTest::mouseClick(panel.SpeedButton9, Qt::LeftButton);
    EXPECT_TRUE(panel.Panel2->isHidden());
    panel.DBCtrlGrid2->setFocus();
    QTest::keyClick(panel.DBCtrlGrid2, Qt::Key_Up);
    EXPECT_EQ(panel.dxMemData2.currentRow(), 5);
    EXPECT_TRUE(panel.Panel2->isHidden());
}

TEST(AnnouncementPanel, FeedFailures) {
    GuideWorld world;
    AnnouncementPanel panel(&world.panel, world.http, world.env, {});
    panel.RefreshAnnouncements();

    world.feeds.setAnnouncementFault(sim::FeedFault::ErrorStatus);
    panel.RefreshAnnouncements();  // silent; the last feed again
    EXPECT_EQ(panel.dxMemData2.rowCount(), 7);
    EXPECT_TRUE(world.dialogs.boxes.isEmpty());

    world.feeds.setAnnouncementFault(sim::FeedFault::Malformed);
    panel.RefreshAnnouncements();
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].text, "Opening and ending tag mismatch.\r\nLine: 4.");
    EXPECT_EQ(panel.dxMemData2.rowCount(), 7);

    world.feeds.setAnnouncementFault(sim::FeedFault::MixedContent);
    panel.RefreshAnnouncements();
    ASSERT_EQ(world.dialogs.boxes.size(), 2);
    EXPECT_TRUE(world.dialogs.boxes[1].text.contains("\"Body\""));
    EXPECT_EQ(panel.dxMemData2.rowCount(), 2);

    // No rows: the background click opens a page of the fixed parts only.
    world.feeds.setAnnouncementFault(sim::FeedFault::EmptyBody);
    panel.RefreshAnnouncements();
    EXPECT_EQ(panel.dxMemData2.rowCount(), 0);
    panel.DBCtrlGrid2Click();
    EXPECT_TRUE(panel.Panel2->isVisible());
    EXPECT_EQ(pageText(panel).trimmed().remove(QChar::ObjectReplacementCharacter), "");
    EXPECT_EQ(world.dialogs.boxes.size(), 2);
}

}  // namespace
}  // namespace velora
