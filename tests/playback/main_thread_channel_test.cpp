#include "playback/main_thread_channel.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <thread>

namespace velora::playback {
namespace {

TEST(MainThreadChannel, RunsWorkOnTheMainThreadInOrderAndWaitsForIt) {
    MainThreadChannel channel;
    std::vector<int> seen;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(channel.call([&, i] {
                EXPECT_EQ(QThread::currentThread(), channel.thread());
                seen.push_back(i);
            }));
            EXPECT_EQ(seen.size(), static_cast<size_t>(i + 1));  // handled before the call returns
        }
        done = true;
    });
    while (!done) {
        QTest::qWait(1);
    }
    worker.join();
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    // On the main thread itself the work runs at once.
    EXPECT_TRUE(channel.call([&] { seen.push_back(3); }));
    EXPECT_EQ(seen.size(), 4u);
}

TEST(MainThreadChannel, ClosingReleasesWaitingSendersAndDropsLaterOnes) {
    MainThreadChannel channel;
    std::atomic<int> results{-1};
    std::thread worker([&] { results = channel.call([] { FAIL() << "must not run"; }) ? 1 : 0; });
    // The sender now waits; the main thread, busy elsewhere, has not taken the work up.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    QElapsedTimer t;
    t.start();
    channel.close();
    worker.join();
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_EQ(results.load(), 0);
    QCoreApplication::processEvents();  // the queued work, if taken up now, does nothing
    EXPECT_FALSE(channel.call([] { FAIL() << "must not run"; }));
}

}  // namespace
}  // namespace velora::playback
