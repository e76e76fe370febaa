#include "ui/main_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "ui/window_fonts.h"

namespace velora::ui {

void StationSelector::hidePopup() {
    // Only a list that was open closes up (hiding the window hides it too).
    const bool wasOpen = view() && view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen) {
        emit closedUp();
    }
}

TForm1::TForm1(Environment& env, QWidget* parent)
    : QWidget(parent), m_env(env), m_coverFinder(IdHTTP1, env.hosts.imageSearch) {
    setObjectName(QStringLiteral("Form1"));
    installWindowFonts();
    WaitPolicy wait;
    wait.pumpEvents = [] { QCoreApplication::processEvents(); };
    IdHTTP1.setWaitPolicy(wait);
    buildControls();
    m_channel = std::make_shared<playback::MainThreadChannel>();
    m_player = std::make_unique<playback::StationPlayer>(m_env.audio, m_channel, *this);
    connect(cb_radyosec, &StationSelector::closedUp, this, [this] { cb_radyosecCloseUp(); });
    connect(lbl_play, &Picture::mousePressed, this, [this] { lbl_playMouseDown(); });
    connect(btn_dur, &QPushButton::clicked, this, [this] { btn_durClick(); });
    connect(btn_basla, &QPushButton::clicked, this, [this] { btn_baslaClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    connect(Timer4, &QTimer::timeout, this, [this] { Timer4Timer(); });
    Slider_volume->SetOnChange([this](TSlider*) { Slider_volumeChange(); });
}

TForm1::~TForm1() {
    // Children hidden while the window goes away must not start handlers any more.
    cb_radyosec->disconnect(this);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A request still waiting inside a handler gives up at once, so closing ends the
    // program promptly.
    IdHTTP1.cancelAll();
    // Runs waiting for the window are released; nothing they report is handled any more.
    m_channel->close();
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
    // 8 points, or 6 when the text is wider than the label (pixel sizes at 96 dpi: the
    // window does not scale with the display).
    QFont font = calan2->font();
    font.setPixelSize(11);
    if (QFontMetrics(font).horizontalAdvance(text) > 177) {
        font.setPixelSize(8);
    }
    calan2->setFont(font);
    calan2->setText(text);
}

}  // namespace velora::ui
