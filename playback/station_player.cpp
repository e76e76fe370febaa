#include "playback/station_player.h"

#include <QLoggingCategory>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

#include "playback/stream_texts.h"

Q_LOGGING_CATEGORY(lcPlayback, "velora.playback", QtWarningMsg)

namespace velora::playback {

using audio::StreamHandle;

// Lives as long as the player or any of its runs, whichever is longer.
struct StationPlayer::Shared : std::enable_shared_from_this<Shared> {
    std::shared_ptr<audio::StreamEngine> engine;
    std::shared_ptr<MainThreadChannel> channel;
    PlayerView* view;  // touched only inside channel calls, which end when the channel closes
    std::atomic<StreamHandle> current{audio::kNoStream};
    std::atomic<bool> cancel{false};
    std::atomic<unsigned> generation{0};

    // Guards the hand-over of the current stream between runs: a run frees the stream
    // it finds and stores its own only while it is still the newest run.
    std::mutex handOver;

    bool superseded(unsigned run) const { return generation.load() != run; }

    // Step one of every run: free the stream of the run before. False when superseded.
    bool freePrevious(unsigned run) {
        std::lock_guard lock(handOver);
        if (superseded(run)) {
            return false;
        }
        engine->free(current.exchange(audio::kNoStream));
        return true;
    }

    // Makes `stream` the current one; a superseded run frees it instead.
    bool adopt(unsigned run, StreamHandle stream) {
        std::lock_guard lock(handOver);
        if (superseded(run)) {
            engine->free(stream);
            return false;
        }
        current.store(stream);
        return true;
    }

    // Hands a report to the window, unless the run has been superseded.
    bool report(unsigned run, PlayerStatus status) {
        if (superseded(run)) {
            return false;
        }
        return channel->call([this, &status] { view->playerStatus(status); });
    }

    // Carries `effect` out on the main thread unless the run has been superseded by then;
    // true when it ran.
    bool onWindow(unsigned run, const std::function<void()>& effect) {
        bool ran = false;
        channel->call([&] {
            if (!superseded(run)) {
                effect();
                ran = true;
            }
        });
        return ran;
    }

    StreamHandle create(unsigned run, const QByteArray& url);
    // Opens the run's stream and waits for its buffer to fill; kNoStream when the run
    // ends there (no connection, cancelled or superseded).
    StreamHandle openBuffered(unsigned run, const QByteArray& url, int threshold);
    bool waitForBuffer(unsigned run, StreamHandle stream, int threshold);
    void advertRun(unsigned run, QByteArray url);
    void stationRun(unsigned run, QByteArray url);
    void watchStation(unsigned run, StreamHandle stream);
};

StreamHandle StationPlayer::Shared::create(unsigned run, const QByteArray& url) {
    // The first connection text (the status line) is the server text of the run.
    auto onDownload = [this, run](const char* data, std::uint32_t length) {
        if (data != nullptr && length == 0) {
            report(run, {STATUS_SERVER_TEXT, 0, QByteArray(data)});
        }
    };
    const std::string address = url.toStdString();
    StreamHandle stream = engine->createAacStream(address, onDownload);
    if (stream == audio::kNoStream) {
        stream = engine->createMpegStream(address, onDownload);
    }
    qCInfo(lcPlayback) << "run" << run << "opened" << url << "as" << stream << "error"
                       << static_cast<int>(engine->lastError());
    return stream;
}

StreamHandle StationPlayer::Shared::openBuffered(unsigned run, const QByteArray& url,
                                                 int threshold) {
    const StreamHandle stream = create(run, url);
    if (!adopt(run, stream)) {
        return audio::kNoStream;
    }
    if (stream == audio::kNoStream) {
        report(run, {STATUS_NO_CONNECTION, 0, {}});
        return audio::kNoStream;
    }
    return waitForBuffer(run, stream, threshold) ? stream : audio::kNoStream;
}

bool StationPlayer::Shared::waitForBuffer(unsigned run, StreamHandle stream, int threshold) {
    std::uint32_t lastDownload = 0;
    for (bool first = true;; first = false) {
        const std::uint32_t end = engine->filePosition(stream, audio::FilePosition::End);
        if (end == audio::kNoFilePosition) {
            return !superseded(run);
        }
        const std::uint32_t download = engine->filePosition(stream, audio::FilePosition::Download);
        const std::uint32_t consumed = engine->filePosition(stream, audio::FilePosition::Current);
        // Unsigned 32-bit arithmetic, as the fill has always been computed; an end of 0
        // means nothing is known yet.
        const std::uint32_t pct = end == 0 ? 0u : (download - consumed) * 100u / end;
        if (!report(run, {STATUS_BUFFERING, static_cast<int>(pct), {}})) {
            return false;
        }
        if (cancel.load() || superseded(run)) {
            return false;  // the stream stays, unplayed, for the next run to free
        }
        if (pct >= static_cast<std::uint32_t>(threshold)) {
            return true;
        }
        // Nothing new arrived since the last pass: give the network a moment instead
        // of flooding the window with the same report.
        if (!first && download == lastDownload) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        lastDownload = download;
    }
}

void StationPlayer::Shared::advertRun(unsigned run, QByteArray url) {
    if (!freePrevious(run)) {
        return;
    }
    const StreamHandle stream = openBuffered(run, url, kAdvertThreshold);
    if (stream == audio::kNoStream) {
        return;
    }
    // The advert plays at the listener's volume, without a fade.
    const bool ready = onWindow(run, [&] {
        view->SetStreamVolume(view->volumeValue());
        view->advertStarting();
    });
    if (!ready) {
        return;
    }
    engine->play(stream);
    onWindow(run, [&] { view->advertPlaying(); });
}

void StationPlayer::Shared::stationRun(unsigned run, QByteArray url) {
    if (!freePrevious(run)) {
        return;
    }
    engine->setUserAgent(kUserAgent);
    if (!report(run, {STATUS_CONNECTING, 0, {}})) {
        return;
    }
    const StreamHandle stream = openBuffered(run, url, kStationThreshold);
    if (stream == audio::kNoStream) {
        return;
    }
    for (const PlayerStatus& header : scanIcyHeaders(engine->tags(stream, audio::TagKind::Icy))) {
        report(run, header);
    }
    if (auto title = ParseStreamTitle(engine->tags(stream, audio::TagKind::Meta))) {
        report(run, {STATUS_TITLE, 0, *title});
    }
    watchStation(run, stream);
    // Silence first: the volume 0 is applied before the stream starts.
    const bool ready = onWindow(run, [&] {
        view->setVolumeValue(0);
        view->SetStreamVolume(view->volumeValue());
    });
    if (!ready) {
        return;
    }
    engine->play(stream);
    audio::ChannelInfo info;
    engine->channelInfo(stream, info);
    onWindow(run, [&] {
        view->fadeInStarting();
        view->showStreamFormat(info.sampleRate, info.channels);
    });
}

void StationPlayer::Shared::watchStation(unsigned run, StreamHandle stream) {
    // The engine keeps these callbacks as long as the stream lives, which may be longer
    // than the player: they hold the shared state weakly.
    std::weak_ptr<Shared> weak = weak_from_this();
    // Titles as they are heard; the engine calls on its dispatch thread.
    engine->setMetaSync(stream, [weak, run, stream](StreamHandle, const char* text) {
        const auto self = weak.lock();
        if (!self || self->current.load() != stream) {
            return;
        }
        if (auto title = ParseStreamTitle(text)) {
            self->report(run, {STATUS_TITLE, 0, *title});
        }
    });
    // A station stream that breaks off while the listener wants it shows "no connection",
    // and the reconnect timer brings it back.
    engine->setEndSync(stream, [weak, run, stream](StreamHandle) {
        const auto self = weak.lock();
        if (!self) {
            return;
        }
        self->channel->call([&] {
            if (self->current.load() == stream && !self->cancel.load() &&
                self->view->stationWanted() && !self->superseded(run)) {
                qCInfo(lcPlayback) << "station stream" << stream << "ended: reconnecting";
                self->view->playerStatus({STATUS_NO_CONNECTION, 0, {}});
            }
        });
    });
}

StationPlayer::StationPlayer(std::shared_ptr<audio::StreamEngine> engine,
                             std::shared_ptr<MainThreadChannel> channel, PlayerView& view)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->engine = std::move(engine);
    m_shared->channel = std::move(channel);
    m_shared->view = &view;
}

StationPlayer::~StationPlayer() {
    // Runs still going end at their next step; none of them reaches the view again.
    m_shared->generation.fetch_add(1);
    m_shared->channel->close();
}

void StationPlayer::PlayAdvertThread(const QByteArray& advertUrl) {
    const unsigned run = m_shared->generation.fetch_add(1) + 1;
    // Detached: nobody waits for a run; it holds what it uses.
    std::thread([shared = m_shared, run, advertUrl] {
        shared->advertRun(run, advertUrl);
    }).detach();
}

void StationPlayer::PlayStationThread(const QByteArray& playUrl) {
    const unsigned run = m_shared->generation.fetch_add(1) + 1;
    std::thread([shared = m_shared, run, playUrl] { shared->stationRun(run, playUrl); }).detach();
}

void StationPlayer::setCancelled(bool cancelled) {
    m_shared->cancel.store(cancelled);
}

bool StationPlayer::cancelled() const {
    return m_shared->cancel.load();
}

StreamHandle StationPlayer::currentStream() const {
    return m_shared->current.load();
}

void StationPlayer::stopCurrent() {
    m_shared->engine->stop(currentStream());
}

void StationPlayer::setCurrentVolume(int volume) {
    m_shared->engine->setVolume(currentStream(), volume, 2);
}

bool StationPlayer::currentStreamFinished() const {
    const StreamHandle stream = currentStream();
    const std::uint64_t length = m_shared->engine->length(stream);
    const std::uint64_t position = m_shared->engine->position(stream);
    return length != audio::kNoLength && position != audio::kNoLength && length - position == 0;
}

}  // namespace velora::playback
