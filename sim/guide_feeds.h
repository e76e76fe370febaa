#pragma once
// The brand web site's feeds: GET /Stream.aspx (the weekly programme schedule) and
// GET /Announcement.aspx (the announcements), with the announcements' pictures under
// /guide/. Each feed can be told to misbehave.

#include <atomic>
#include <string>

#include "sim/server.h"

namespace velora::sim {

enum class FeedFault {
    None,
    ErrorStatus,   // 500 Internal Server Error
    Malformed,     // a body that is not well-formed XML (a tag mismatch on line 4)
    EmptyBody,     // 200 with no body at all
    MixedContent,  // one element in the middle holds text mixed with markup
};

class GuideFeeds {
public:
    // Registers the routes on `server`; the picture addresses in the announcements point
    // at `server` itself.
    explicit GuideFeeds(Server& server);

    void setScheduleFault(FeedFault fault) { m_scheduleFault = fault; }
    void setAnnouncementFault(FeedFault fault) { m_announcementFault = fault; }

    // The bodies as they are served without a fault (UTF-8 with a declaration).
    std::string scheduleBody() const;
    std::string announcementBody() const;

    static constexpr int kAnnouncementCount = 7;
    // Every picture is kPictureWidth x kPictureHeight, filled with pictureColour(n) (an
    // RGB triple) except for a lighter band across its middle third.
    static constexpr int kPictureWidth = 160;
    static constexpr int kPictureHeight = 100;
    static unsigned pictureColour(int n);

private:
    std::string body(FeedFault fault, bool schedule) const;

    const Server& m_server;
    std::atomic<FeedFault> m_scheduleFault{FeedFault::None};
    std::atomic<FeedFault> m_announcementFault{FeedFault::None};
};

// An uncompressed (stored-deflate) 8-bit RGB PNG of `width` x `height` pixels, each
// given by `pixel(x, y)` as 0xRRGGBB.
std::string encodePng(int width, int height, unsigned (*pixel)(int x, int y, int n), int n);

}  // namespace velora::sim
