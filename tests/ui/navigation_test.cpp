#include <gtest/gtest.h>

#include <QTest>

#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

QImage solid(QColor c) {
    QImage image(320, 57, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

TEST(Navigation, TabZonesSwitchPanelsAndTheStrip) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    ui::Picture* strips[] = {form.tab_1, form.tab_2, form.tab_3, form.tab_4, form.tab_5};
    for (int i = 0; i < 5; ++i) {
        strips[i]->setImage(solid(colours[i]));
    }
    QWidget* panels[] = {form.panel_yayin, form.Panel_yayinakisi, form.panel_duyurular,
                         form.panel_mesaj, form.panel_iletisim};
    struct Case {
        int x;
        Qt::MouseButton button;
        int tab;  // 0: no change from the previous case
    };
    const Case cases[] = {{64, Qt::LeftButton, 1},    {65, Qt::LeftButton, 2},
                          {0, Qt::LeftButton, 0},     {129, Qt::RightButton, 3},
                          {256, Qt::MiddleButton, 4}, {257, Qt::LeftButton, 5},
                          {320, Qt::LeftButton, 5},   {1, Qt::LeftButton, 1}};
    int current = 1;
    for (const Case& c : cases) {
        form.Edit1->setText("kept");
        QTest::mousePress(form.tab, c.button, {}, QPoint(c.x, 20));
        QTest::mouseRelease(form.tab, c.button, {}, QPoint(c.x, 20));
        current = c.tab ? c.tab : current;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(panels[i]->isVisibleTo(&form), i == current - 1) << c.x;
        }
        EXPECT_EQ(form.tab->image().pixelColor(5, 5), colours[current - 1]) << c.x;
        EXPECT_EQ(form.Edit1->text(), "kept");
    }
}

TEST(Navigation, OnlyThePlayerAndMessageBackgroundsMoveTheWindow) {
    test::TestWorld world;
    int moves = 0;
    world.env.startWindowMove = [&] { ++moves; };
    ui::TForm1 form(world.env);
    struct Case {
        ui::Picture* picture;
        Qt::MouseButton button;
        int moves;
    };
    const Case cases[] = {{form.Image1, Qt::LeftButton, 1},  {form.Image2, Qt::MiddleButton, 1},
                          {form.Image2, Qt::RightButton, 0}, {form.Image14, Qt::LeftButton, 0},
                          {form.Image15, Qt::LeftButton, 0}, {form.Image19, Qt::LeftButton, 0},
                          {form.tab, Qt::LeftButton, 0}};
    for (const Case& c : cases) {
        moves = 0;
        QTest::mousePress(c.picture, c.button, {}, QPoint(100, 10));
        QTest::mouseRelease(c.picture, c.button, {}, QPoint(100, 10));
        EXPECT_EQ(moves, c.moves) << c.picture->objectName().toStdString() << " " << c.button;
    }
}

TEST(Navigation, LinksOpenOnlyWhenThereIsAnAddress) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    form.LinkA = "http://a.example/";
    form.LinkB = "";
    form.Label9Click();
    form.Label10Click();
    form.Image6Click();
    form.CreditMenuItemClick();
    ASSERT_EQ(world.shell.opened.size(), 3);
    EXPECT_EQ(world.shell.opened[0], "http://a.example/");
    EXPECT_EQ(world.shell.opened[1], "http://" + QString::fromLatin1(world.env.hosts.web) + "/");
}

}  // namespace
}  // namespace velora
