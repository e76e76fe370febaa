#include "playback/main_thread_channel.h"

#include <QThread>

namespace velora::playback {

struct MainThreadChannel::Job {
    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool ran = false;
};

MainThreadChannel::MainThreadChannel() = default;

MainThreadChannel::~MainThreadChannel() {
    close();
}

bool MainThreadChannel::isClosed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool MainThreadChannel::call(std::function<void()> work) {
    if (QThread::currentThread() == thread()) {
        if (isClosed()) {
            return false;
        }
        work();
        return true;
    }
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return false;
        }
        m_waiting.insert(job);
    }
    QMetaObject::invokeMethod(
        this, [this, job] { run(job); }, Qt::QueuedConnection);
    std::unique_lock lock(job->mutex);
    job->finished.wait(lock, [&] { return job->done; });
    return job->ran;
}

void MainThreadChannel::run(const std::shared_ptr<Job>& job) {
    {
        std::lock_guard lock(m_mutex);
        if (m_waiting.erase(job) == 0) {
            return;  // released by close()
        }
    }
    job->work();
    std::lock_guard lock(job->mutex);
    job->done = true;
    job->ran = true;
    job->finished.notify_all();
}

void MainThreadChannel::close() {
    std::set<std::shared_ptr<Job>> waiting;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        waiting.swap(m_waiting);
    }
    for (const auto& job : waiting) {
        std::lock_guard lock(job->mutex);
        job->done = true;
        job->finished.notify_all();
    }
}

}  // namespace velora::playback
