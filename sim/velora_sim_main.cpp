// velora-sim: the station simulator as a program, for the demo and for trying the
// player by hand. Usage: velora-sim [--port N]   (default 8520)

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <string>

#include "sim/demo.h"

namespace {
volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) {
    g_stop = 1;
}
}  // namespace

int main(int argc, char** argv) {
    uint16_t port = 8520;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
            port = static_cast<uint16_t>(std::atoi(argv[++i]));
        } else {
            std::cerr << "usage: velora-sim [--port N]\n";
            return 2;
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    velora::sim::Server server(port);
    std::mutex out;
    server.setLogger([&out](const std::string& line) {
        std::lock_guard lock(out);
        std::cout << "velora-sim: " << line << std::endl;
    });
    velora::sim::World world(server);
    world.stations.setMessageListener([&out](const velora::sim::ListenerMessage& m) {
        std::lock_guard lock(out);
        std::cout << "velora-sim: listener message from \"" << m.name << "\" <" << m.email
                  << ">: \"" << m.message << "\" (device " << m.deviceId << ", version "
                  << m.version << ")" << std::endl;
    });
    std::cout << "velora-sim: listening on " << server.hostPort() << std::endl;
    while (!g_stop) {
        pause();
    }
    server.stop();
    return 0;
}
