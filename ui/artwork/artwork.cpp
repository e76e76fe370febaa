#include "ui/artwork/artwork.h"

#include <QPixmap>
#include <array>
#include <stdexcept>

#include "ui/artwork/composer.h"

namespace velora::ui::artwork {
namespace {

// How a picture is put together from its sources.
enum class Kind {
    Single,      // one source, drawn at the picture's size
    Background,  // header + panel body + the strip of `tab` (see Canvas::background)
    Strip,       // the tab strip with zone `tab` highlighted
    Button,      // the round face with the glyph `source`
    Thumb,       // `source` keyed for the slider (see keyedThumb)
    Ruler,       // `source`, kept free of the slider's key colour
};

struct Entry {
    Picture id;
    const char* name;
    QSize size;
    bool alpha;
    Kind kind;
    const char* source;
    int tab;
};

// The sizes and formats the window's controls are laid out for.
constexpr std::array kEntries{
    Entry{Picture::Image1, "Image1", {320, 480}, false, Kind::Background, "player_body.svg", 1},
    Entry{Picture::Image14, "Image14", {320, 480}, false, Kind::Background, "schedule_body.svg", 2},
    Entry{Picture::Image15,
          "Image15",
          {320, 480},
          false,
          Kind::Background,
          "announcements_body.svg",
          3},
    Entry{Picture::Image2, "Image2", {320, 480}, false, Kind::Background, "message_body.svg", 4},
    Entry{Picture::Image19, "Image19", {320, 480}, false, Kind::Background, "contact_body.svg", 5},
    Entry{Picture::Tab1, "Tab1", {320, 57}, false, Kind::Strip, nullptr, 1},
    Entry{Picture::Tab2, "Tab2", {320, 57}, false, Kind::Strip, nullptr, 2},
    Entry{Picture::Tab3, "Tab3", {320, 57}, false, Kind::Strip, nullptr, 3},
    Entry{Picture::Tab4, "Tab4", {320, 57}, false, Kind::Strip, nullptr, 4},
    Entry{Picture::Tab5, "Tab5", {320, 57}, false, Kind::Strip, nullptr, 5},
    Entry{Picture::PlayFace, "PlayFace", {97, 97}, true, Kind::Button, "play_glyph.svg", 0},
    Entry{Picture::StopFace, "StopFace", {97, 97}, true, Kind::Button, "stop_glyph.svg", 0},
    Entry{Picture::Image5, "Image5", {11, 22}, false, Kind::Single, "volume_cap_left.svg", 0},
    Entry{Picture::Image18, "Image18", {11, 21}, false, Kind::Single, "volume_cap_right.svg", 0},
    Entry{Picture::VolumeThumb, "VolumeThumb", {30, 13}, false, Kind::Thumb, "volume_thumb.svg", 0},
    Entry{
        Picture::VolumeTrack, "VolumeTrack", {214, 14}, false, Kind::Ruler, "volume_track.svg", 0},
    Entry{Picture::Image17, "Image17", {145, 58}, true, Kind::Single, "send_button.svg", 0},
    Entry{Picture::Image4, "Image4", {277, 53}, true, Kind::Single, "contact_email.svg", 0},
    Entry{Picture::Image6, "Image6", {277, 53}, true, Kind::Single, "contact_web.svg", 0},
    Entry{Picture::Image7, "Image7", {277, 53}, true, Kind::Single, "contact_phone.svg", 0},
    Entry{Picture::Image8, "Image8", {276, 70}, true, Kind::Single, "contact_address.svg", 0},
    Entry{Picture::Image10, "Image10", {30, 30}, true, Kind::Single, "social_share.svg", 0},
    Entry{Picture::Image12, "Image12", {30, 30}, true, Kind::Single, "social_community.svg", 0},
    Entry{Picture::Image13, "Image13", {320, 39}, false, Kind::Single, "schedule_row.svg", 0},
    Entry{Picture::Image16, "Image16", {320, 77}, false, Kind::Single, "announcement_row.svg", 0},
};

constexpr std::array<Picture, kEntries.size()> kAll = [] {
    std::array<Picture, kEntries.size()> all{};
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        all[i] = kEntries[i].id;
    }
    return all;
}();

const Entry& entry(Picture id) {
    for (const Entry& e : kEntries) {
        if (e.id == id) {
            return e;
        }
    }
    throw std::invalid_argument("unknown picture");
}

}  // namespace

std::span<const Picture> allPictures() {
    return kAll;
}

const char* pictureName(Picture id) {
    return entry(id).name;
}

QSize pictureSize(Picture id) {
    return entry(id).size;
}

bool hasAlpha(Picture id) {
    return entry(id).alpha;
}

QImage picture(Picture id) {
    const Entry& e = entry(id);
    switch (e.kind) {
        case Kind::Strip:
            return tabStripImage(e.tab);
        case Kind::Thumb:
            // The thumb's edges blend into the groove's surround, the colour at the track's top.
            return keyedThumb(renderSvg(e.source, e.size),
                              picture(Picture::VolumeTrack).pixel(0, 0));
        default:
            break;
    }
    Canvas canvas(e.size, e.alpha);
    switch (e.kind) {
        case Kind::Background:
            canvas.background(e.source, e.tab);
            break;
        case Kind::Button:
            canvas.button(e.source);
            break;
        default:
            canvas.layer(e.source, QRect(QPoint(0, 0), e.size));
            break;
    }
    QImage image = canvas.finish();
    if (e.kind == Kind::Ruler) {
        avoidKeyColour(image);
    }
    return image;
}

QImage appIconImage(int size) {
    return renderSvg("app_icon.svg", QSize(size, size));
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    }
    return icon;
}

}  // namespace velora::ui::artwork
