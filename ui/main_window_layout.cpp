// Construction of the window's controls: names, positions, sizes, initial texts.
#include "ui/artwork/artwork.h"
#include "ui/main_window.h"
#include "ui/named_widget.h"
#include "ui/slider/slider_form.h"

namespace velora::ui {
namespace {

QWidget* makePanel(QWidget* parent, const char* name, Qt::GlobalColor colour) {
    auto* panel = makeNamed<QWidget>(parent, name, QRect(0, 0, 320, 424));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, colour);
    panel->setPalette(pal);
    return panel;
}

QFont tahoma(int pixels, bool bold) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

Picture* makePicture(QWidget* parent, const char* name, QRect geometry,
                     Qt::CursorShape cursor = Qt::ArrowCursor) {
    auto* p = makeNamed<Picture>(parent, name, geometry);
    p->setCursor(cursor);
    return p;
}

}  // namespace

void TForm1::buildControls() {
    setWindowTitle(QStringLiteral("Diraz Velora"));
    setFixedSize(320, 480);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPixelSize(11);
    setFont(base);

    panel_yayin = makePanel(this, "panel_yayin", Qt::white);
    Panel_yayinakisi = makePanel(this, "Panel_yayinakisi", Qt::lightGray);
    panel_duyurular = makePanel(this, "panel_duyurular", Qt::lightGray);
    panel_mesaj = makePanel(this, "panel_mesaj", Qt::lightGray);
    panel_iletisim = makePanel(this, "panel_iletisim", Qt::lightGray);
    for (QWidget* p : {Panel_yayinakisi, panel_duyurular, panel_mesaj, panel_iletisim}) {
        p->hide();
    }
    // Each panel's first child is its full-height background picture.
    Image14 = makePicture(Panel_yayinakisi, "Image14", QRect(0, 0, 320, 480));
    Image15 = makePicture(panel_duyurular, "Image15", QRect(0, 0, 320, 480));
    buildPlayerPanel();
    buildMessagePanel();
    buildContactPanel();
    buildTabStrip();
    buildPlaybackHolders();

    // State holders: outside the 320 x 480 client area or never shown.
    firma = makeNamed<QLineEdit>(this, "firma", QRect(400, 0, 121, 21));
    firma->setText(QStringLiteral("velora"));
    firma->hide();
    versiyon = makeNamed<QLineEdit>(this, "versiyon", QRect(400, 24, 121, 21));
    versiyon->setText(QStringLiteral("1003"));
    versiyon->hide();
    Memo1 = makeNamed<QPlainTextEdit>(this, "Memo1", QRect(400, 48, 185, 89));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->hide();
    cb_radyosec = makeNamed<StationSelector>(panel_yayin, "cb_radyosec", QRect(340, 150, 171, 21));
    cb_radyosec->setFont(tahoma(11, true));
    Label6 = makeNamed<QLabel>(panel_yayin, "Label6", QRect(340, 130, 110, 16));
    Label6->setText(QStringLiteral("Diraz Seçiniz :"));
    Label6->setFont(tahoma(13, true));
    Label6->setStyleSheet(QStringLiteral("color: red"));
    calan1 = makeNamed<QLabel>(panel_yayin, "calan1", QRect(340, 180, 179, 21));
    calan1->setText(QStringLiteral("__"));
    calan1->setWordWrap(true);
    calan1->setFont(tahoma(11, true));
    calan1->hide();
    calan2 = makeNamed<QLabel>(panel_yayin, "calan2", QRect(340, 204, 177, 21));
    calan2->setText(QStringLiteral("__"));
    calan2->setFont(tahoma(12, true));
    calan2->setStyleSheet(QStringLiteral("color: red"));
    lbl_kbit = makeNamed<QLabel>(panel_yayin, "lbl_kbit", QRect(340, 228, 100, 13));
    lbl_kbit->setText(QStringLiteral("32 Kbit / Saniye"));
    lbl_kbit->setFont(tahoma(9, true));
    lbl_kbit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl_kbit->setStyleSheet(QStringLiteral("color: red"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    CreditMenuItem =
        PopupMenu1->addAction(QStringLiteral("Yazılım : Torvik Sistem Bilişim Teknolojileri"));
    CreditMenuItem->setObjectName(QStringLiteral("CreditMenuItem"));
    applyArtwork();
    wireHandlers();
}

void TForm1::buildPlaybackHolders() {
    auto hiddenEdit = [this](const char* name, int top) {
        auto* e = makeNamed<QLineEdit>(this, name, QRect(400, top, 121, 21));
        e->hide();
        return e;
    };
    edt_1 = hiddenEdit("edt_1", 520);
    edt_2 = hiddenEdit("edt_2", 544);
    edt_3 = hiddenEdit("edt_3", 568);
    auto redLabel = [this](const char* name, const QString& text, int top) {
        auto* l = makeNamed<QLabel>(panel_yayin, name, QRect(340, top, 100, 13));
        l->setText(text);
        l->setFont(tahoma(9, true));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setStyleSheet(QStringLiteral("color: red"));
        return l;
    };
    lbl_khz = redLabel("lbl_khz", QStringLiteral("KHZ"), 244);
    lbl_mono_stereo = redLabel("lbl_mono_stereo", QStringLiteral("M/S"), 260);
    lbl_ses = redLabel("lbl_ses", QStringLiteral("100"), 276);
    img_play_ = makeNamed<Picture>(this, "img_play_", QRect(400, 600, 97, 97));
    img_play_->hide();
    img_stop_ = makeNamed<Picture>(this, "img_stop_", QRect(500, 600, 97, 97));
    img_stop_->hide();
    auto hiddenButton = [this](const char* name) {
        auto* b = makeNamed<QPushButton>(this, name, QRect(400, 700, 75, 25));
        b->hide();
        return b;
    };
    btn_basla = hiddenButton("btn_basla");
    btn_dur = hiddenButton("btn_dur");
    Button1 = hiddenButton("Button1");
    Image3 = makeNamed<QLabel>(panel_yayin, "Image3", QRect(340, 300, 70, 70));
    Image3->setScaledContents(true);
    auto timer = [this](const char* name, int interval) {
        auto* t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        return t;
    };
    Timer2 = timer("Timer2", 500);
    Timer3 = timer("Timer3", 30);
    Timer4 = timer("Timer4", 100);
    Timer4->start();
    WebBrowser2 = makeNamed<HtmlView>(this, "WebBrowser2", QRect(400, 740, 400, 60));
}

void TForm1::applyArtwork() {
    using artwork::Picture;
    using artwork::picture;
    setWindowIcon(artwork::appIcon());
    const std::pair<ui::Picture*, Picture> pictures[] = {
        {Image1, Picture::Image1},     {Image14, Picture::Image14},
        {Image15, Picture::Image15},   {Image2, Picture::Image2},
        {Image19, Picture::Image19},   {Image5, Picture::Image5},
        {Image18, Picture::Image18},   {Image17, Picture::Image17},
        {Image4, Picture::Image4},     {Image6, Picture::Image6},
        {Image7, Picture::Image7},     {Image8, Picture::Image8},
        {Image10, Picture::Image10},   {Image12, Picture::Image12},
        {tab_1, Picture::Tab1},        {tab_2, Picture::Tab2},
        {tab_3, Picture::Tab3},        {tab_4, Picture::Tab4},
        {tab_5, Picture::Tab5},        {img_play_, Picture::PlayFace},
        {img_stop_, Picture::StopFace}};
    for (const auto& [control, id] : pictures) {
        control->setImage(picture(id));
    }
    tab->setImage(tab_1->image());
    img_play->setImage(img_play_->image());
    Slider_volume = createVolumeSlider(panel_yayin, picture(Picture::VolumeThumb),
                                       picture(Picture::VolumeTrack));
    schedule = std::make_unique<SchedulePanel>(Panel_yayinakisi, IdHTTP1, m_env,
                                               picture(Picture::Image13));
    announcements = std::make_unique<AnnouncementPanel>(panel_duyurular, IdHTTP1, m_env,
                                                        picture(Picture::Image16));
}

void TForm1::buildPlayerPanel() {
    Image1 = makePicture(panel_yayin, "Image1", QRect(0, 0, 320, 480));
    img_play =
        makePicture(panel_yayin, "img_play", QRect(102, 192, 122, 121), Qt::PointingHandCursor);
    img_play->setAlignment(Qt::AlignCenter);
    lbl_play =
        makePicture(panel_yayin, "lbl_play", QRect(120, 208, 84, 89), Qt::PointingHandCursor);
    Image5 = makePicture(panel_yayin, "Image5", QRect(40, 365, 11, 22));
    Image18 = makePicture(panel_yayin, "Image18", QRect(267, 366, 11, 21));
}

void TForm1::buildMessagePanel() {
    Image2 = makePicture(panel_mesaj, "Image2", QRect(0, 0, 320, 480));
    auto field = [](QWidget* w) {
        w->setStyleSheet(QStringLiteral("background: white; border: none;"));
    };
    Edit1 = makeNamed<QLineEdit>(panel_mesaj, "Edit1", QRect(27, 119, 270, 21));
    Edit1->setFont(tahoma(16, false));
    field(Edit1);
    Edit2 = makeNamed<QLineEdit>(panel_mesaj, "Edit2", QRect(27, 178, 270, 21));
    Edit2->setFont(tahoma(16, false));
    field(Edit2);
    Memo2 = makeNamed<LimitedTextEdit>(panel_mesaj, "Memo2", QRect(22, 236, 275, 121));
    Memo2->setFont(tahoma(13, false));
    Memo2->setMaxLength(300);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setFrameShape(QFrame::NoFrame);
    field(Memo2);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Memo2);
    Image17 = makePicture(panel_mesaj, "Image17", QRect(89, 359, 145, 58), Qt::PointingHandCursor);
}

void TForm1::buildContactPanel() {
    Image19 = makePicture(panel_iletisim, "Image19", QRect(0, 0, 320, 480));
    Image4 = makePicture(panel_iletisim, "Image4", QRect(22, 91, 277, 53));
    Image6 = makePicture(panel_iletisim, "Image6", QRect(22, 149, 277, 53), Qt::PointingHandCursor);
    Image7 = makePicture(panel_iletisim, "Image7", QRect(21, 207, 277, 53));
    Image8 = makePicture(panel_iletisim, "Image8", QRect(22, 269, 276, 70), Qt::PointingHandCursor);
    Image10 = makePicture(panel_iletisim, "Image10", QRect(216, 352, 30, 30));
    Image12 = makePicture(panel_iletisim, "Image12", QRect(256, 352, 30, 30));
    // Transparent hotspots above the two icons.
    Label9 = makePicture(panel_iletisim, "Label9", QRect(210, 345, 39, 48), Qt::PointingHandCursor);
    Label10 =
        makePicture(panel_iletisim, "Label10", QRect(252, 345, 45, 48), Qt::PointingHandCursor);
}

void TForm1::buildTabStrip() {
    tab = makePicture(this, "tab", QRect(0, 423, 320, 57));
    // The five strip pictures are held off-screen.
    tab_1 = makePicture(this, "tab_1", QRect(400, 200, 320, 57));
    tab_2 = makePicture(this, "tab_2", QRect(400, 260, 320, 57));
    tab_3 = makePicture(this, "tab_3", QRect(400, 320, 320, 57));
    tab_4 = makePicture(this, "tab_4", QRect(400, 380, 320, 57));
    tab_5 = makePicture(this, "tab_5", QRect(400, 440, 320, 57));
}

}  // namespace velora::ui
