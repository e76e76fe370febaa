#include "ui/guide/schedule_panel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>

#include "guide/feed_document.h"
#include "guide/schedule_feed.h"
#include "service/http_client.h"
#include "ui/guide/redraw_pause.h"
#include "ui/handler_guard.h"
#include "ui/named_widget.h"

namespace velora::ui {
namespace {

struct DayButton {
    const char* name;
    const char16_t* caption;
    int left;
};
constexpr DayButton kDayButtons[7] = {{"SpeedButton1", u"PZT", 1},   {"SpeedButton2", u"SAL", 47},
                                      {"SpeedButton3", u"ÇAR", 93},  {"SpeedButton4", u"PER", 137},
                                      {"SpeedButton5", u"CUM", 181}, {"SpeedButton6", u"CMT", 227},
                                      {"SpeedButton7", u"PAZ", 273}};

}  // namespace

int dayButtonIndex(int dayOfWeekFromSunday) {
    // Sunday (1) is the last button, Monday (2) the first.
    return (dayOfWeekFromSunday + 5) % 7;
}

ScheduleList::ScheduleList(guide::ScheduleTable& table, QWidget* parent)
    : FeedListView(table, 37, parent),
      m_textFont(cellFont(QStringLiteral("Tahoma"), 11, true, true)),
      m_markFont(cellFont(QStringLiteral("Arial"), 19, true, false)) {}

void ScheduleList::paintRow(QPainter& painter, int row, const QRect& rect) {
    using guide::ScheduleTable;
    drawCellText(painter, rect, QRect(12, 13, 53, 17), table().value(row, ScheduleTable::saat),
                 m_textFont, QColor(103, 103, 103));
    drawCellText(painter, rect, QRect(51, 13, 225, 17), table().value(row, ScheduleTable::program),
                 m_textFont, palette().color(QPalette::WindowText));
    drawCellText(painter, rect, QRect(281, 8, 19, 22), table().value(row, ScheduleTable::ok),
                 m_markFont, QColor(2, 47, 130));
}

SchedulePanel::SchedulePanel(QWidget* panel, HttpClient& http, const Environment& env,
                             const QImage& rowPicture)
    : m_http(http), m_env(env) {
    m_days = new QButtonGroup(this);
    m_days->setExclusive(true);
    QToolButton** buttons[7] = {&SpeedButton1, &SpeedButton2, &SpeedButton3, &SpeedButton4,
                                &SpeedButton5, &SpeedButton6, &SpeedButton7};
    for (int i = 0; i < 7; ++i) {
        QToolButton* b = makeNamed<QToolButton>(panel, kDayButtons[i].name,
                                                QRect(kDayButtons[i].left, 61, 46, 27));
        b->setText(QString::fromUtf16(kDayButtons[i].caption));
        b->setFont(cellFont(QStringLiteral("Tahoma"), 13, true, false));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->show();  // also when the panel is already on screen
        m_days->addButton(b, i);
        connect(b, &QToolButton::clicked, this,
                [this, i] { guarded(m_env, [this, i] { dayButtonClick(i); }); });
        *buttons[i] = b;
    }
    SpeedButton1->setChecked(true);

    DBCtrlGrid1 = new ScheduleList(dxMemData1, panel);
    DBCtrlGrid1->setObjectName(QStringLiteral("DBCtrlGrid1"));
    DBCtrlGrid1->setGeometry(0, 88, 321, 333);
    DBCtrlGrid1->setRowPicture(rowPicture);
    DBCtrlGrid1->show();
    connect(DBCtrlGrid1, &FeedListView::rowPressed, this, [this] { DBCtrlGrid1Click(); });

    Panel1 = makeNamed<QFrame>(panel, "Panel1", QRect(42, 167, 233, 233));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Button);
    Panel1->hide();
    Label11 = makeNamed<QLabel>(Panel1, "Label11", QRect(8, 3, 217, 41));
    Label11->setTextFormat(Qt::PlainText);
    Label11->setWordWrap(true);
    Label11->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Memo3 = makeNamed<QPlainTextEdit>(Panel1, "Memo3", QRect(8, 43, 217, 153));
    Memo3->setReadOnly(true);
    Memo3->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette silver = Memo3->palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    Memo3->setPalette(silver);
    SpeedButton8 = makeNamed<QToolButton>(Panel1, "SpeedButton8", QRect(64, 200, 113, 25));
    SpeedButton8->setText(QStringLiteral("Tamam"));
    SpeedButton8->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton8, &QToolButton::clicked, this, [this] { SpeedButton8Click(); });
}

void SchedulePanel::setRowPicture(const QImage& picture) {
    DBCtrlGrid1->setRowPicture(picture);
}

QToolButton* SchedulePanel::dayButton(int index) const {
    return static_cast<QToolButton*>(m_days->button(index));
}

void SchedulePanel::dayButtonClick(int index) {
    switch (index) {
        case 0:
            return SpeedButton1Click();
        case 1:
            return SpeedButton2Click();
        case 2:
            return SpeedButton3Click();
        case 3:
            return SpeedButton4Click();
        case 4:
            return SpeedButton5Click();
        case 5:
            return SpeedButton6Click();
        default:
            return SpeedButton7Click();
    }
}

void SchedulePanel::RefreshSchedule() {
    guarded(m_env, [this] {
        try {
            ScheduleFeedText = m_http.get("http://" + m_env.hosts.web + "/Stream.aspx");
        } catch (const std::exception& e) {
            qCInfo(lcGuide) << "schedule fetch failed, keeping the last feed:" << e.what();
        }
        const int today = dayButtonIndex(m_env.now().date().dayOfWeek() % 7 + 1);
        // As a click on today's button; it goes down only once its day has loaded.
        dayButtonClick(today);
        dayButton(today)->setChecked(true);
    });
}

void SchedulePanel::LoadSchedule(const QString& dayName) {
    RedrawPause pause(*DBCtrlGrid1);
    guide::loadScheduleDay(ScheduleFeedText, dayName, dxMemData1, [&pause] {
        pause.begin();
        QCoreApplication::processEvents();
    });
}

void SchedulePanel::SpeedButton1Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[0]));
}
void SchedulePanel::SpeedButton2Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[1]));
}
void SchedulePanel::SpeedButton3Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[2]));
}
void SchedulePanel::SpeedButton4Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[3]));
}
void SchedulePanel::SpeedButton5Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[4]));
}
void SchedulePanel::SpeedButton6Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[5]));
}
void SchedulePanel::SpeedButton7Click() {
    LoadSchedule(QString::fromUtf16(guide::kScheduleDayNames[6]));
}

void SchedulePanel::DBCtrlGrid1Click() {
    using guide::ScheduleTable;
    if (dxMemData1.currentValue(ScheduleTable::ok).isEmpty()) {
        return;  // no description: nothing to show
    }
    Label11->setText(dxMemData1.currentValue(ScheduleTable::program));
    Memo3->setPlainText(dxMemData1.currentValue(ScheduleTable::aciklama));
    Panel1->show();
    Panel1->raise();
}

void SchedulePanel::SpeedButton8Click() {
    Panel1->hide();
}

}  // namespace velora::ui
