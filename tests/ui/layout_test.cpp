#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

TEST(Layout, VisibleControlsSitWhereTheWindowPutsThem) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    form.FormCreate();
    struct Case {
        const char* name;
        QRect rect;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {"panel_yayin", {0, 0, 320, 424}, Qt::ArrowCursor},
        {"Panel_yayinakisi", {0, 0, 320, 424}, Qt::ArrowCursor},
        {"panel_duyurular", {0, 0, 320, 424}, Qt::ArrowCursor},
        {"panel_mesaj", {0, 0, 320, 424}, Qt::ArrowCursor},
        {"panel_iletisim", {0, 0, 320, 424}, Qt::ArrowCursor},
        {"tab", {0, 423, 320, 57}, Qt::ArrowCursor},
        {"Image1", {0, 0, 320, 480}, Qt::ArrowCursor},
        {"img_play", {102, 192, 122, 121}, Qt::PointingHandCursor},
        {"lbl_play", {120, 208, 84, 89}, Qt::PointingHandCursor},
        {"Image5", {40, 365, 11, 22}, Qt::ArrowCursor},
        {"Image18", {267, 366, 11, 21}, Qt::ArrowCursor},
        {"Slider_volume", {51, 369, 218, 13}, Qt::ArrowCursor},
        {"Image2", {0, 0, 320, 480}, Qt::ArrowCursor},
        {"Edit1", {27, 119, 270, 21}, Qt::IBeamCursor},
        {"Edit2", {27, 178, 270, 21}, Qt::IBeamCursor},
        {"Memo2", {22, 236, 275, 121}, Qt::ArrowCursor},  // its viewport shows the I-beam
        {"Image17", {89, 359, 145, 58}, Qt::PointingHandCursor},
        {"Image19", {0, 0, 320, 480}, Qt::ArrowCursor},
        {"Image4", {22, 91, 277, 53}, Qt::ArrowCursor},
        {"Image6", {22, 149, 277, 53}, Qt::PointingHandCursor},
        {"Image7", {21, 207, 277, 53}, Qt::ArrowCursor},
        {"Image8", {22, 269, 276, 70}, Qt::PointingHandCursor},
        {"Image10", {216, 352, 30, 30}, Qt::ArrowCursor},
        {"Image12", {256, 352, 30, 30}, Qt::ArrowCursor},
        {"Label9", {210, 345, 39, 48}, Qt::PointingHandCursor},
        {"Label10", {252, 345, 45, 48}, Qt::PointingHandCursor},
    };
    for (const Case& c : cases) {
        auto* w = form.findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->geometry(), c.rect) << c.name;
        EXPECT_EQ(w->cursor().shape(), c.cursor) << c.name;
    }
    EXPECT_EQ(form.size(), QSize(320, 480));
    EXPECT_EQ(form.windowTitle(), "Diraz Velora");
    // Every picture has its artwork at the control's size.
    for (ui::Picture* p : {form.Image1, form.Image2, form.Image14, form.Image15, form.Image19,
                           form.Image17, form.Image4, form.Image6, form.Image7, form.Image8,
                           form.Image10, form.Image12, form.Image5, form.Image18, form.tab}) {
        EXPECT_EQ(p->image().size(), p->size()) << p->objectName().toStdString();
    }
    EXPECT_EQ(form.img_play->image().size(), QSize(97, 97));
}

TEST(Layout, StateHoldersStayOutOfSight) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    const QRect client(0, 0, 320, 480);
    for (const char* name :
         {"firma",   "versiyon",  "Memo1",     "cb_radyosec", "Label6",          "btn_basla",
          "btn_dur", "img_play_", "img_stop_", "lbl_khz",     "lbl_mono_stereo", "edt_1",
          "edt_2",   "edt_3",     "calan1",    "calan2",      "lbl_kbit",        "lbl_ses",
          "Button1", "Image3",    "tab_1",     "tab_5"}) {
        auto* w = form.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        const QRect inWindow(w->mapTo(&form, QPoint(0, 0)), w->size());
        EXPECT_TRUE(w->isHidden() || !inWindow.intersects(client)) << name;
    }
}

TEST(Layout, FontsExistWithTurkishLetters) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.Edit1),
                       static_cast<QWidget*>(form.Memo2), static_cast<QWidget*>(form.calan2)}) {
        const QFontMetrics metrics(w->font());
        for (QChar c : QStringLiteral("ğışŞİ")) {
            EXPECT_TRUE(metrics.inFont(c)) << w->objectName().toStdString();
        }
    }
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.Edit1->font().pixelSize(), 16);
}

}  // namespace
}  // namespace velora
