#pragma once
// The simulator's demo world: the stations, feeds and mounts that velora-sim serves
// when a person runs the player against it.

#include "sim/server.h"
#include "sim/station_service.h"

namespace velora::sim {

// The station list of the demo, addressing mounts of `server` itself.
std::vector<StationEntry> demoStations(const Server& server);

// Every service of the demo on one server: the directory with the demo stations and the
// listener messages, and what later parts of the simulator add.
class World {
public:
    explicit World(Server& server);
    StationService stations;
};

}  // namespace velora::sim
