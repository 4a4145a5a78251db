// The owner of the FTP code's threads: the work ends with its owner, cut short by its stop.
#include "designer/ftp/FtpSocket.h"
#include "designer/ftp/FtpWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <poll.h>

using namespace TEVComponentDesignerAfx;
using Clock = std::chrono::steady_clock;

TEST(FtpWorker, GoingAwayCutsTheWorkShortAndJoinsItsThread) {
    CFtpCancelSignal signal;
    std::atomic<bool> ended{false};
    int stops = 0;
    const auto start = Clock::now();
    {
        CFtpWorker worker;
        // A wait as the FTP code's waits are: long, unless the signal comes.
        ASSERT_TRUE(worker.Start(
            [&] {
                pollfd entry{signal.Fd(), POLLIN, 0};
                poll(&entry, 1, 60000);
                ended = true;
            },
            [&] {
                ++stops;
                signal.Raise();
            }));
        EXPECT_TRUE(worker.IsRunning());
    }
    EXPECT_TRUE(ended) << "the owner went while its work still ran";
    EXPECT_EQ(stops, 1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(FtpWorker, WorkThatEndedByItselfIsNotStoppedAndEachStartFollowsTheLast) {
    CFtpWorker worker;
    EXPECT_FALSE(worker.IsRunning());
    std::vector<int> runs;
    int stops = 0;
    for (int run = 1; run <= 3; ++run) {
        ASSERT_TRUE(worker.Start(
            [&runs, run] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                runs.push_back(run);
            },
            [&] { ++stops; }));
    }
    for (int i = 0; i < 500 && worker.IsRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(worker.IsRunning());
    worker.Stop();
    // Each start joined the work before it, so the runs never overlapped.
    EXPECT_EQ(runs, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(stops, 0);
}
