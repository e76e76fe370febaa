#pragma once

// The pictures of the main window, drawn from our SVG sources (compiled in as Qt resources) and
// rasterised at the exact pixel size each control shows them at.
//
// Contract: call from the thread that owns the QGuiApplication (text in the pictures needs the
// font database). Every call rasterises afresh; callers keep the result.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <span>

namespace velora::ui::artwork {

// Named after the control that shows each picture, so wiring reads like the window's layout.
enum class Picture {
    Image1,       // player background 320×480: header, the play/stop halo, the volume bar
    Image14,      // schedule background 320×480 ("Yayın Akışı")
    Image15,      // announcement background 320×480 ("Duyurular")
    Image2,       // message form background 320×480 ("Mesaj Gönder"), captions and field boxes
    Image19,      // contact background 320×480 ("İletişim")
    Tab1,         // tab strip 320×57 with zone 1 (Yayın) highlighted; also the initial `tab`
    Tab2,         // ... zone 2 (Yayın Akışı)
    Tab3,         // ... zone 3 (Duyurular)
    Tab4,         // ... zone 4 (Mesaj)
    Tab5,         // ... zone 5 (İletişim)
    PlayFace,     // img_play_ 97×97 with alpha; also the initial img_play
    StopFace,     // img_stop_ 97×97 with alpha
    Image5,       // left end cap of the volume track 11×22
    Image18,      // right end cap of the volume track 11×21
    VolumeThumb,  // slider thumb 30×13: normal state left, pressed state right; olive key outside
    VolumeTrack,  // slider ruler 214×14, no key-colour pixels
    Image17,      // send button 145×58 with alpha
    Image4,       // contact strip 277×53: e-mail address
    Image6,       // contact strip 277×53: web address
    Image7,       // contact strip 277×53: telephone number
    Image8,       // contact strip 276×70: postal address on two lines
    Image10,      // first social-network icon 30×30
    Image12,      // second social-network icon 30×30
    Image13,      // schedule list row 320×39
    Image16,      // announcement list row 320×77
};

// Every picture, in declaration order (for galleries and table-driven checks).
std::span<const Picture> allPictures();

// Short stable name, e.g. "Image1" or "Tab3"; used for file names.
const char* pictureName(Picture id);

QSize pictureSize(Picture id);

// True for the pictures blended over what lies beneath them (Format_ARGB32_Premultiplied);
// false for the opaque ones (Format_RGB32).
bool hasAlpha(Picture id);

// The picture at pictureSize(id) in the format hasAlpha(id) names.
QImage picture(Picture id);

// The slider's key colour: thumb pixels of exactly this colour are not drawn.
inline constexpr QRgb kSliderKeyColour = 0xFF808000;

// The program icon, square, at `size` pixels (with alpha).
QImage appIconImage(int size);

// The program icon with the usual desktop sizes from 16 to 256 pixels.
QIcon appIcon();

}  // namespace velora::ui::artwork
