#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace velora::ui {

void StationSelector::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}

TForm1::TForm1(Environment& env, QWidget* parent) : QWidget(parent), m_env(env) {
    setObjectName(QStringLiteral("Form1"));
    WaitPolicy wait;
    wait.pumpEvents = [] { QCoreApplication::processEvents(); };
    IdHTTP1.setWaitPolicy(wait);
    buildControls();
    connect(cb_radyosec, &StationSelector::closedUp, this, [this] { cb_radyosecCloseUp(); });
}

TForm1::~TForm1() = default;

void TForm1::closeEvent(QCloseEvent* event) {
    // A request still waiting inside a handler gives up at once, so closing ends the
    // program promptly.
    IdHTTP1.cancelAll();
    QWidget::closeEvent(event);
}

void TForm1::showMainWindow() {
    FormShow();
    centreOnDesktop();
    show();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The frame is only known once the window system has it: centre again with it.
    centreOnDesktop();
}

void TForm1::centreOnDesktop() {
    if (m_placed && isVisible()) {
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect desktop = screen->virtualGeometry();
    const QSize outer = isVisible() ? frameGeometry().size() : size();
    const int left = qMax(0, (desktop.width() - outer.width()) / 2);
    const int top = qMax(0, (desktop.height() - outer.height()) / 2);
    move(desktop.left() + left, desktop.top() + top);
    m_placed = isVisible();
}

void TForm1::FitTitleLabel(const QString& text) {
    QFont font = calan2->font();
    font.setPointSize(8);
    if (QFontMetrics(font).horizontalAdvance(text) > 177) {
        font.setPointSize(6);
    }
    calan2->setFont(font);
    calan2->setText(text);
}

}  // namespace velora::ui
