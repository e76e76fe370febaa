#include "sim/audio_mounts.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "sim/audio_fixtures.h"

namespace velora::sim {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string_view view(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

std::string headFor(const AudioMount& m, bool withMeta) {
    const std::string br = std::to_string(m.fixture.bitrateKbps);
    std::string head;
    if (m.style == AudioMount::Style::File) {
        head = "HTTP/1.1 " + std::to_string(m.status) + (m.status == 200 ? " OK" : " Error") +
               "\r\nContent-Type: " + m.fixture.contentType +
               "\r\nContent-Length: " + std::to_string(m.fixture.bytes.size()) +
               "\r\nConnection: close\r\n\r\n";
        return head;
    }
    if (m.status != 200) {
        return (m.style == AudioMount::Style::Shoutcast ? "ICY " : "HTTP/1.0 ") +
               std::to_string(m.status) + " Refused\r\n\r\n";
    }
    if (m.style == AudioMount::Style::Shoutcast) {
        head = "ICY 200 OK\r\nicy-notice1:<BR>This stream is simulated<BR>\r\nicy-name:" + m.name +
               "\r\nicy-genre:Pop\r\nicy-url:http://example.com/\r\ncontent-type:" +
               m.fixture.contentType + "\r\nicy-pub:1\r\nicy-br:" + br + "\r\n";
    } else {
        head = "HTTP/1.0 200 OK\r\nServer: Icecast 2.4.4\r\nContent-Type: " +
               std::string(m.fixture.contentType) + "\r\nicy-br:" + br + "\r\nicy-name:" + m.name +
               "\r\nicy-description:Simulated\r\nicy-pub:1\r\nCache-Control: no-cache\r\n";
    }
    if (withMeta && m.metaInterval > 0) {
        head += "icy-metaint:" + std::to_string(m.metaInterval) + "\r\n";
    }
    return head + "\r\n";
}

std::string metadataBlock(const std::string& text) {
    std::string block = text;
    block.resize((block.size() + 15) / 16 * 16, '\0');
    return static_cast<char>(block.size() / 16) + block;
}

void serveFile(const AudioMount& m, Connection& conn) {
    conn.send(headFor(m, false));
    if (m.status != 200) {
        return;
    }
    std::string_view body =
        m.fixture.bytes.substr(0, std::min(m.dropAfter, m.fixture.bytes.size()));
    conn.send(body);
}

void serveLive(const AudioMount& m, const HttpRequest& request, Connection& conn) {
    const bool withMeta = request.header("Icy-MetaData") == "1" && m.metaInterval > 0;
    if (!conn.send(headFor(m, withMeta)) || m.status != 200) {
        return;
    }
    const std::string_view data = m.fixture.bytes;
    const double byteRate = m.fixture.byteRate();
    const std::size_t packet =
        m.trickle ? std::max<std::size_t>(1, static_cast<std::size_t>(byteRate / 1000)) : 4096;
    std::uint32_t seed = 12345;  // garbage is the same on every run
    std::string chunk;
    std::size_t sent = 0;  // audio bytes
    std::string lastTitle;
    bool firstBlock = true;
    const auto start = Clock::now();
    while (!conn.stopping()) {
        if (sent >= m.dropAfter) {
            return;
        }
        if (sent >= m.stallAfter) {
            while (conn.sleepFor(100ms)) {
            }
            return;
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const auto allowed =
            static_cast<std::size_t>(static_cast<double>(m.burstBytes) + elapsed * byteRate);
        if (sent >= allowed) {
            conn.sleepFor(m.trickle ? 1ms : 10ms);
            continue;
        }
        std::size_t n = std::min({allowed - sent, packet, m.dropAfter - sent, m.stallAfter - sent});
        if (withMeta) {
            n = std::min<std::size_t>(n, m.metaInterval - sent % m.metaInterval);
        }
        chunk.clear();
        for (std::size_t i = 0; i < n; ++i) {
            if (m.garbage) {
                seed = seed * 1103515245u + 12345u;
                chunk.push_back(static_cast<char>(seed >> 16));
            } else {
                chunk.push_back(data[(sent + i) % data.size()]);
            }
        }
        if (!conn.send(chunk)) {
            return;
        }
        sent += n;
        if (withMeta && sent % m.metaInterval == 0) {
            std::string block(1, '\0');
            if (sent >= m.badMetaAfter) {
                // Announce 16 bytes of metadata but send audio in their place.
                block = std::string(1, '\x01') + std::string(data.substr(0, 16));
            } else if (!m.titles.empty()) {
                const double streamSeconds = static_cast<double>(sent) / byteRate;
                const auto index = static_cast<std::size_t>(streamSeconds / m.titleSeconds);
                const std::string& title = m.titles[index % m.titles.size()];
                // Shoutcast repeats the title in every block; Icecast sends it once after
                // connecting and again only when it changes.
                if (m.style == AudioMount::Style::Shoutcast || firstBlock || title != lastTitle) {
                    block = metadataBlock("StreamTitle='" + title + "';StreamUrl='';");
                }
                lastTitle = title;
            }
            firstBlock = false;
            if (!conn.send(block)) {
                return;
            }
        }
    }
}

}  // namespace

AudioFixture toneMp3() {
    return {view(fixtures::kTone440, sizeof fixtures::kTone440), 115 * 1152 / 44100.0, "audio/mpeg",
            128};
}
AudioFixture toneMonoMp3() {
    return {view(fixtures::kTone660Mono, sizeof fixtures::kTone660Mono), 115 * 576 / 22050.0,
            "audio/mpeg", 64};
}
AudioFixture toneAac() {
    return {view(fixtures::kTone550Aac, sizeof fixtures::kTone550Aac), 141 * 1024 / 48000.0,
            "audio/aac", 96};
}
AudioFixture advertMp3() {
    return {view(fixtures::kAdvert880, sizeof fixtures::kAdvert880), 2.0, "audio/mpeg", 128};
}

void addAudioMount(Server& server, const std::string& path, AudioMount mount) {
    server.route(path, [mount = std::move(mount)](const HttpRequest& request, Connection& conn) {
        conn.closeAfterHandler();
        if (mount.style == AudioMount::Style::File) {
            serveFile(mount, conn);
        } else {
            serveLive(mount, request, conn);
        }
    });
}

void addAudioMounts(Server& server) {
    AudioMount pop;
    pop.fixture = toneMp3();
    pop.name = "Diraz Velora Pop";
    pop.titles = {"Ayla Deniz - Yaz Yagmuru", "Kerem Tan - Sahil Yolu", "Nil Ozer - Gece Treni"};
    addAudioMount(server, "/stream/pop", pop);

    AudioMount noBurst = pop;
    noBurst.burstBytes = 0;
    addAudioMount(server, "/stream/pop-noburst", noBurst);
    AudioMount trickle = noBurst;
    trickle.trickle = true;
    addAudioMount(server, "/stream/pop-trickle", trickle);

    AudioMount turku;
    turku.style = AudioMount::Style::Icecast;
    turku.fixture = toneMonoMp3();
    turku.name = "Diraz Velora Turku";
    turku.metaInterval = 8000;
    turku.titles = {"Halk Ezgileri - Uzun Hava", "Baglama Saati - Bozlak"};
    addAudioMount(server, "/stream/turku", turku);

    AudioMount caz;
    caz.style = AudioMount::Style::Icecast;
    caz.fixture = toneAac();
    caz.name = "Diraz Velora Caz";
    caz.titles = {"Gece Kuarteti - Mavi Saat", "Deniz Trio - Liman"};
    addAudioMount(server, "/stream/caz", caz);

    AudioMount advert;
    advert.style = AudioMount::Style::File;
    advert.fixture = advertMp3();
    addAudioMount(server, "/advert/spot.mp3", advert);

    AudioMount refuse = pop;
    refuse.status = 403;
    addAudioMount(server, "/fault/refuse", refuse);
    AudioMount garbage = pop;
    garbage.garbage = true;
    addAudioMount(server, "/fault/garbage", garbage);
    AudioMount stall = pop;
    stall.stallAfter = 3 * 16000;
    addAudioMount(server, "/fault/stall", stall);
    AudioMount drop = pop;
    drop.dropAfter = 3 * 16000;
    addAudioMount(server, "/fault/drop", drop);
    AudioMount badMeta = pop;
    badMeta.badMetaAfter = 2 * 16000;
    addAudioMount(server, "/fault/badmeta", badMeta);
}

}  // namespace velora::sim
