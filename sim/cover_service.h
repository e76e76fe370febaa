#pragma once
// Cover pictures and the image search: what the player's cover lookup asks for.
//
//   /images?q=<encoded title>     a result page whose first "src=http://" leads to a
//                                 cover under /covers/search/
//   /covers/search/<name>.jpg     the search's thumbnails
//   /covers/title/<encoded title> covers by title (the "w-" mode's prefix)
//   /covers/artist/<Artist>.JPG   covers by artist (the "f-" mode's prefix; ".JPG"
//                                 alone is not found)
//   /covers/fault/picture.png     a PNG where a JPEG is expected
//   /covers/fault/truncated.jpg   a JPEG cut short inside its image data
//
// Every cover is a JPEG drawn for its name, so each title has a picture of its own.

#include <cstdint>
#include <functional>
#include <string>

#include "sim/server.h"

namespace velora::sim {

class CoverService {
public:
    explicit CoverService(Server& server);

    // Cover-art modes for a station list served by `server`.
    static std::string titleMode(const Server& server);   // "w-" + address of /covers/title/
    static std::string artistMode(const Server& server);  // "f-" + address of /covers/artist/

    // The cover drawn for `name`: a 300 x 300 baseline JPEG.
    static std::string coverFor(const std::string& name);

private:
    Server& m_server;
};

// Encodes a baseline JPEG of 1 (grey), 3 (RGB) or 4 (CMYK, as Adobe's programs store
// it: inverted) channels; `fillRow` writes the channels of row y.
std::string encodeJpeg(int width, int height, int channels,
                       const std::function<void(int y, uint8_t* row)>& fillRow, int quality = 85);

}  // namespace velora::sim
