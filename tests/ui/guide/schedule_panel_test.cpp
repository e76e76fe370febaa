#include "ui/guide/schedule_panel.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "guide_fixture.h"

namespace velora {
namespace {

using guide::ScheduleTable;
using test::GuideWorld;
using ui::SchedulePanel;

QString checkedDay(const SchedulePanel& p) {
    for (QToolButton* b : {p.SpeedButton1, p.SpeedButton2, p.SpeedButton3, p.SpeedButton4,
                           p.SpeedButton5, p.SpeedButton6, p.SpeedButton7}) {
        if (b->isChecked()) {
            return b->objectName();
        }
    }
    return {};
}

void pressRow(SchedulePanel& p, int visibleRow) {
    QTest::mousePress(p.DBCtrlGrid1, Qt::LeftButton, {}, QPoint(100, visibleRow * 37 + 20));
}

TEST(SchedulePanel, RefreshShowsTodayWithTodaysButtonDown) {
    const struct {
        QDate date;
        const char* button;
        int rows;
        const char* firstTitle;
    } cases[] = {
        {QDate(2024, 6, 3), "SpeedButton1", 5, "Güne Başlarken"},  // Monday
        {QDate(2024, 6, 4), "SpeedButton2", 4, "Güne Başlarken"},
        {QDate(2024, 6, 5), "SpeedButton3", 3, "Güne Başlarken"},
        {QDate(2024, 6, 6), "SpeedButton4", 3, "Güne Başlarken"},
        {QDate(2024, 6, 7), "SpeedButton5", 3, "Cuma Keyfi"},
        {QDate(2024, 6, 8), "SpeedButton6", 3, "Kahvaltı Sofrası"},
        {QDate(2024, 6, 9), "SpeedButton7", 3, "Pazar Sabahı"},  // Sunday
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        GuideWorld world;
        world.setDate(c.date);
        SchedulePanel panel(&world.panel, world.http, world.env, {});
        EXPECT_EQ(checkedDay(panel), "SpeedButton1");
        EXPECT_FALSE(panel.dxMemData1.isOpen());
        panel.RefreshSchedule();
        EXPECT_EQ(checkedDay(panel), c.button);
        ASSERT_EQ(panel.dxMemData1.rowCount(), c.rows);
        EXPECT_EQ(panel.dxMemData1.value(0, ScheduleTable::program), c.firstTitle);
        EXPECT_EQ(panel.dxMemData1.currentRow(), 0);
        EXPECT_TRUE(world.dialogs.boxes.isEmpty());
    }
    GuideWorld world;
    SchedulePanel panel(&world.panel, world.http, world.env, {});
    panel.RefreshSchedule();
    const auto requests = world.server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/Stream.aspx");
    EXPECT_EQ(requests[0].header("Host"), world.server.hostPort());
}

TEST(SchedulePanel, FailedFetchIsSilentAndDayButtonsUseTheLastFeed) {
    GuideWorld world;
    SchedulePanel panel(&world.panel, world.http, world.env, {});
    world.feeds.setScheduleFault(sim::FeedFault::ErrorStatus);
    panel.RefreshSchedule();  // nothing fetched yet: an empty list
    EXPECT_TRUE(panel.dxMemData1.isOpen());
    EXPECT_EQ(panel.dxMemData1.rowCount(), 0);

    world.feeds.setScheduleFault(sim::FeedFault::None);
    panel.RefreshSchedule();
    world.feeds.setScheduleFault(sim::FeedFault::ErrorStatus);
    panel.RefreshSchedule();
    world.server.setRefusing(true);
    panel.RefreshSchedule();
    EXPECT_EQ(panel.dxMemData1.rowCount(), 5);
    EXPECT_TRUE(world.dialogs.boxes.isEmpty());

    const int fetches = world.requestsFor("/Stream.aspx");
    QTest::mouseClick(panel.SpeedButton7, Qt::LeftButton);
    EXPECT_EQ(checkedDay(panel), "SpeedButton7");
    ASSERT_EQ(panel.dxMemData1.rowCount(), 3);
    EXPECT_EQ(panel.dxMemData1.value(2, ScheduleTable::program), "Klasikler");
    EXPECT_EQ(world.requestsFor("/Stream.aspx"), fetches);
}

TEST(SchedulePanel, BadFeedsReachTheErrorBox) {
    GuideWorld world;
    SchedulePanel panel(&world.panel, world.http, world.env, {});
    panel.RefreshSchedule();
    QTest::mouseClick(panel.SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(panel.dxMemData1.rowCount(), 3);

    // Not well-formed: the list keeps Wednesday's rows and Wednesday's button stays down.
    world.feeds.setScheduleFault(sim::FeedFault::Malformed);
    panel.RefreshSchedule();
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].kind, "error");
    EXPECT_EQ(world.dialogs.boxes[0].text, "Opening and ending tag mismatch.\r\nLine: 4.");
    EXPECT_EQ(panel.dxMemData1.rowCount(), 3);
    EXPECT_EQ(panel.dxMemData1.value(0, ScheduleTable::saat), "07:00");
    EXPECT_EQ(checkedDay(panel), "SpeedButton3");

    // Mixed content mid-week: Monday's rows before it stay, then the error.
    world.feeds.setScheduleFault(sim::FeedFault::MixedContent);
    panel.RefreshSchedule();
    ASSERT_EQ(world.dialogs.boxes.size(), 2);
    EXPECT_TRUE(world.dialogs.boxes[1].text.contains("\"Day\""));
    EXPECT_EQ(panel.dxMemData1.rowCount(), 5);
    EXPECT_TRUE(panel.DBCtrlGrid1->updatesEnabled());

    // An empty body: an empty list and no message.
    world.feeds.setScheduleFault(sim::FeedFault::EmptyBody);
    panel.RefreshSchedule();
    EXPECT_EQ(panel.dxMemData1.rowCount(), 0);
    EXPECT_EQ(world.dialogs.boxes.size(), 2);
}

TEST(SchedulePanel, DetailBoxOpensForDescribedRowsAndStaysOpen) {
    GuideWorld world;
    SchedulePanel panel(&world.panel, world.http, world.env, {});
    pressRow(panel, 0);  // before any load: nothing
    EXPECT_TRUE(panel.Panel1->isHidden());

    panel.RefreshSchedule();
    pressRow(panel, 1);  // "Yol Arkadaşım" has no description
    EXPECT_EQ(panel.dxMemData1.currentRow(), 1);
    EXPECT_TRUE(panel.Panel1->isHidden());

    pressRow(panel, 2);
    EXPECT_EQ(panel.dxMemData1.currentRow(), 2);
    ASSERT_TRUE(panel.Panel1->isVisible());
    EXPECT_EQ(panel.Label11->text(), "Öğle Arası");
    EXPECT_EQ(panel.Memo3->toPlainText(), "Dinleyici istekleri; telefon ve mesajla.");

    // Day changes, tab changes and reloads leave it open with its texts.
    QTest::mouseClick(panel.SpeedButton5, Qt::LeftButton);
    world.panel.hide();
    world.panel.show();
    panel.RefreshSchedule();
    EXPECT_TRUE(panel.Panel1->isVisible());
    EXPECT_EQ(panel.Label11->text(), "Öğle Arası");

    QTest::mouseClick(panel.SpeedButton8, Qt::LeftButton);
    EXPECT_TRUE(panel.Panel1->isHidden());
    // Keyboard moves onto a described row do not open it.
    panel.DBCtrlGrid1->setFocus();
    QTest::keyClick(panel.DBCtrlGrid1, Qt::Key_Down);
    QTest::keyClick(panel.DBCtrlGrid1, Qt::Key_Down);
    EXPECT_EQ(panel.dxMemData1.currentRow(), 2);
    EXPECT_TRUE(panel.Panel1->isHidden());
}

TEST(SchedulePanel, ListPaintsRowsAsLaidOut) {
    GuideWorld world;
    const QColor green(20, 160, 40);
    SchedulePanel panel(&world.panel, world.http, world.env, GuideWorld::solid(320, 39, green));
    panel.RefreshSchedule();
    EXPECT_EQ(panel.DBCtrlGrid1->geometry(), QRect(0, 88, 321, 333));
    EXPECT_EQ(panel.DBCtrlGrid1->visibleRows(), 9);
    EXPECT_TRUE(panel.DBCtrlGrid1->scrollBar()->isVisible());
    EXPECT_EQ(panel.DBCtrlGrid1->scrollBar()->geometry(), QRect(304, 0, 17, 333));

    const QImage shot = panel.DBCtrlGrid1->grab().toImage();
    const QColor silver(192, 192, 192);
    EXPECT_EQ(shot.pixelColor(0, 2), QColor(Qt::black));  // current row: its left edge
    EXPECT_EQ(shot.pixelColor(1, 36), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(2, 2), green);
    EXPECT_EQ(shot.pixelColor(1, 37 + 2), silver);       // other rows
    EXPECT_EQ(shot.pixelColor(303, 37 + 36), green);     // the picture cut to the row
    EXPECT_EQ(shot.pixelColor(10, 5 * 37 + 5), silver);  // below the last row

    // The ">" of a described row, in its blue, inside its cell; none on a row without.
    auto hasMark = [&](int row) {
        for (int y = row * 37 + 8; y < row * 37 + 30; ++y) {
            for (int x = 281; x < 300; ++x) {
                if (test::near(shot.pixelColor(x, y), QColor(2, 47, 130), 60)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(hasMark(0));
    EXPECT_FALSE(hasMark(1));
}

}  // namespace
}  // namespace velora
