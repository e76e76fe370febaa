#pragma once
// Playback runs: each run opens, buffers and starts one stream (the advert or the
// station's live stream) on a detached worker thread of its own. Everything a run does
// to the window goes through the main-thread channel, in the order of the run, and the
// sender waits until it has been handled.
//
// Shared state (the current stream, the cancel flag) is atomic. Every run carries a
// generation number; a run that a newer one has superseded never plays, frees or
// reports for a newer run's stream: it ends at its next step.

#include <QByteArray>
#include <atomic>
#include <memory>

#include "audio/stream_engine.h"
#include "playback/main_thread_channel.h"
#include "playback/player_status.h"

namespace velora::playback {

// What runs do to the window. Every function is called on the main thread.
class PlayerView {
public:
    virtual ~PlayerView() = default;
    // A status report (the window's handling of WM_PLAYER_STATUS).
    virtual void playerStatus(const PlayerStatus& status) = 0;
    virtual int volumeValue() const = 0;
    // Sets the volume slider (its change handler applies the volume).
    virtual void setVolumeValue(int value) = 0;
    virtual void SetStreamVolume(int volume) = 0;
    // The advert is about to play: "Reklam" and no title.
    virtual void advertStarting() = 0;
    // The advert plays: watch for its end.
    virtual void advertPlaying() = 0;
    // A station stream plays from silence: start the fade-in.
    virtual void fadeInStarting() = 0;
    virtual void showStreamFormat(int sampleRate, int channels) = 0;
    // Whether the listener still wants the station to play (the toggle shows "stop").
    virtual bool stationWanted() const = 0;
};

class StationPlayer {
public:
    static constexpr int kAdvertThreshold = 31;
    static constexpr int kStationThreshold = 76;
    static constexpr const char* kUserAgent = "dodevazedorev";

    StationPlayer(std::shared_ptr<audio::StreamEngine> engine,
                  std::shared_ptr<MainThreadChannel> channel, PlayerView& view);
    ~StationPlayer();

    // Main thread. Each starts a new run that supersedes every earlier one.
    void PlayAdvertThread(const QByteArray& advertUrl);
    void PlayStationThread(const QByteArray& playUrl);

    // The cancel flag: runs still buffering end without playing when it is set.
    void setCancelled(bool cancelled);
    bool cancelled() const;

    audio::StreamHandle currentStream() const;
    void stopCurrent();
    void setCurrentVolume(int volume);
    // The advert in the current stream has played to its end.
    bool currentStreamFinished() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

}  // namespace velora::playback
