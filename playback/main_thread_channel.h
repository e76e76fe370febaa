#pragma once
// Carries work from worker and engine threads to the main thread and waits until it has
// run there completely. Calls from one thread run in the order made; a call made on the
// main thread runs at once.
//
// After close(), calls are dropped (they return false without running) and every caller
// still waiting is released, so no thread stays blocked while the program ends.

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

namespace velora::playback {

class MainThreadChannel final : public QObject {
    Q_OBJECT
public:
    // Must be created on the main thread.
    MainThreadChannel();
    ~MainThreadChannel() override;

    // Runs `work` on the main thread; true when it ran.
    bool call(std::function<void()> work);
    // Main thread only.
    void close();
    bool isClosed() const;

private:
    struct Job;
    void run(const std::shared_ptr<Job>& job);

    mutable std::mutex m_mutex;
    bool m_closed = false;
    std::set<std::shared_ptr<Job>> m_waiting;
};

}  // namespace velora::playback
