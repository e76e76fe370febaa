#pragma once
// The simulator's demo world: the stations, feeds and mounts that velora-sim serves
// when a person runs the player against it.

#include "sim/cover_service.h"
#include "sim/guide_feeds.h"
#include "sim/server.h"
#include "sim/station_service.h"

namespace velora::sim {

// The station list of the demo, addressing mounts of `server` itself.
std::vector<StationEntry> demoStations(const Server& server);

// Every service of the demo on one server: the directory with the demo stations and the
// listener messages, the web site's feeds, the image search and covers, and the audio
// mounts.
class World {
public:
    explicit World(Server& server);
    StationService stations;
    GuideFeeds feeds;  // the web site: schedule, announcements and their pictures
    CoverService covers;  // the image search and the stations' cover pictures
};

}  // namespace velora::sim
