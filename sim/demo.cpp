#include "sim/demo.h"

#include "sim/audio_mounts.h"

namespace velora::sim {

std::vector<StationEntry> demoStations(const Server& server) {
    return {
        {"1", "Diraz Velora Pop", server.url("/stream/pop"), server.url("/advert/spot.mp3"),
         server.url("/station/pop"), "http://example.com/velora-pop", "", "g"},
        {"2", "Diraz Velora Türkü", server.url("/stream/turku"), "", server.url("/station/turku"),
         "", "http://example.com/velora-turku", CoverService::titleMode(server)},
        {"3", "Diraz Velora Caz", server.url("/stream/caz"), "", server.url("/station/caz"), "", "",
         CoverService::artistMode(server)},
    };
}

World::World(Server& server) : stations(server), feeds(server), covers(server) {
    addAudioMounts(server);
    // The stations' web pages, which the player loads in a hidden view.
    for (const char* station : {"pop", "turku", "caz"}) {
        server.route(std::string("/station/") + station,
                     [station](const HttpRequest&, Connection& c) {
                         c.respond(Response::text(std::string("<html><body><h1>Diraz Velora ") +
                                                      station + "</h1></body></html>",
                                                  "text/html; charset=utf-8"));
                     });
    }
    stations.setStations(demoStations(server));
}

}  // namespace velora::sim
