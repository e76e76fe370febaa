#include "ui/artwork/artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <stdexcept>

#include "ui/artwork/composer.h"

namespace velora::ui::artwork {
namespace {

struct Entry {
    Picture id;
    const char* name;
    QSize size;
    bool alpha;
};

// The sizes and formats the window's controls are laid out for.
constexpr std::array kEntries{
    Entry{Picture::Image1, "Image1", {320, 480}, false},
    Entry{Picture::Image14, "Image14", {320, 480}, false},
    Entry{Picture::Image15, "Image15", {320, 480}, false},
    Entry{Picture::Image2, "Image2", {320, 480}, false},
    Entry{Picture::Image19, "Image19", {320, 480}, false},
    Entry{Picture::Tab1, "Tab1", {320, 57}, false},
    Entry{Picture::Tab2, "Tab2", {320, 57}, false},
    Entry{Picture::Tab3, "Tab3", {320, 57}, false},
    Entry{Picture::Tab4, "Tab4", {320, 57}, false},
    Entry{Picture::Tab5, "Tab5", {320, 57}, false},
    Entry{Picture::PlayFace, "PlayFace", {97, 97}, true},
    Entry{Picture::StopFace, "StopFace", {97, 97}, true},
    Entry{Picture::Image5, "Image5", {11, 22}, false},
    Entry{Picture::Image18, "Image18", {11, 21}, false},
    Entry{Picture::VolumeThumb, "VolumeThumb", {30, 13}, false},
    Entry{Picture::VolumeTrack, "VolumeTrack", {214, 14}, false},
    Entry{Picture::Image17, "Image17", {145, 58}, true},
    Entry{Picture::Image4, "Image4", {277, 53}, true},
    Entry{Picture::Image6, "Image6", {277, 53}, true},
    Entry{Picture::Image7, "Image7", {277, 53}, true},
    Entry{Picture::Image8, "Image8", {276, 70}, true},
    Entry{Picture::Image10, "Image10", {30, 30}, true},
    Entry{Picture::Image12, "Image12", {30, 30}, true},
    Entry{Picture::Image13, "Image13", {320, 39}, false},
    Entry{Picture::Image16, "Image16", {320, 77}, false},
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

// Which SVG source draws each single-layer picture.
const char* singleSource(Picture id) {
    switch (id) {
        case Picture::Image5:
            return "volume_cap_left.svg";
        case Picture::Image18:
            return "volume_cap_right.svg";
        case Picture::VolumeTrack:
            return "volume_track.svg";
        case Picture::Image17:
            return "send_button.svg";
        case Picture::Image4:
            return "contact_email.svg";
        case Picture::Image6:
            return "contact_web.svg";
        case Picture::Image7:
            return "contact_phone.svg";
        case Picture::Image8:
            return "contact_address.svg";
        case Picture::Image10:
            return "social_share.svg";
        case Picture::Image12:
            return "social_community.svg";
        case Picture::Image13:
            return "schedule_row.svg";
        case Picture::Image16:
            return "announcement_row.svg";
        default:
            return nullptr;
    }
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
    Canvas canvas(e.size, e.alpha);
    switch (id) {
        case Picture::Image1:
            canvas.background("player_body.svg", 1);
            break;
        case Picture::Image14:
            canvas.background("schedule_body.svg", 2);
            break;
        case Picture::Image15:
            canvas.background("announcements_body.svg", 3);
            break;
        case Picture::Image2:
            canvas.background("message_body.svg", 4);
            break;
        case Picture::Image19:
            canvas.background("contact_body.svg", 5);
            break;
        case Picture::Tab1:
            return tabStripImage(1);
        case Picture::Tab2:
            return tabStripImage(2);
        case Picture::Tab3:
            return tabStripImage(3);
        case Picture::Tab4:
            return tabStripImage(4);
        case Picture::Tab5:
            return tabStripImage(5);
        case Picture::PlayFace:
            canvas.button("play_glyph.svg");
            break;
        case Picture::StopFace:
            canvas.button("stop_glyph.svg");
            break;
        case Picture::VolumeThumb: {
            // The thumb's edges blend into the groove's surround, the colour at the track's top.
            const QImage track = picture(Picture::VolumeTrack);
            return keyedThumb(renderSvg("volume_thumb.svg", e.size), track.pixel(0, 0));
        }
        default:
            canvas.layer(singleSource(id), QRect(QPoint(0, 0), e.size));
            break;
    }
    QImage image = canvas.finish();
    if (id == Picture::VolumeTrack) {
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
