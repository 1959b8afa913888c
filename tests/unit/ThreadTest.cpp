#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/NativeThread.h"
#include "thread/Pooled.h"
#include "thread/win/Thread.h"

using s::platform::sleepMs;
using s::platform::tickCount;
using s::thread::win::Thread;

namespace {

class CountingTask : public s::thread::ITask {
public:
    explicit CountingTask(uint32_t workMs = 0) : m_workMs(workMs) {}
    void run() override
    {
        starts.push_back(tickCount());
        if (m_workMs)
            sleepMs(m_workMs);
        ++runs;
    }
    std::atomic<int> runs{0};
    std::vector<uint32_t> starts;

private:
    uint32_t m_workMs;
};

TEST(WorkerThread, StartRunsOnceAndParks)
{
    s::thread::Pooled<Thread> worker(Thread::take());
    ASSERT_TRUE(worker->hasThread());
    EXPECT_TRUE(worker->isIdle());
    CountingTask task;
    worker->start(&task);
    worker->waitIdle();
    EXPECT_EQ(1, task.runs);
    sleepMs(50);
    EXPECT_EQ(1, task.runs);
    EXPECT_TRUE(worker->isIdle());
}

TEST(WorkerThread, RepeatedAtRateStartsRunsApartAndDoesNotSleepAfterTheLast)
{
    Thread worker;
    CountingTask task(60);
    const uint32_t begin = tickCount();
    worker.startRepeatedAtRate(&task, 3, 200);
    worker.waitIdle();
    const uint32_t spent = tickCount() - begin;
    ASSERT_EQ(3, task.runs);
    // Starts are 200 ms apart whatever the run takes; no pause follows the
    // last. The slack is the system clock's step (up to 16 ms on Windows).
    EXPECT_GE(task.starts[1] - task.starts[0], 175u);
    EXPECT_GE(task.starts[2] - task.starts[1], 175u);
    EXPECT_LT(spent, 400u + 60u + 190u);
}

TEST(WorkerThread, StopRepeatingLetsTheRunFinishThenParks)
{
    Thread worker;
    CountingTask task(20);
    worker.startForever(&task);
    while (task.runs < 2)
        sleepMs(5);
    worker.stopAndWaitIdle();
    const int runs = task.runs;
    sleepMs(60);
    EXPECT_EQ(runs, task.runs);
    EXPECT_TRUE(worker.isIdle());
}

TEST(WorkerThread, ExitEndsAParkedWorker)
{
    Thread worker;
    worker.exit();
    EXPECT_TRUE(worker.hasExited());
}

// A start that comes just as the worker parks must never be lost: a tight
// start/finish loop would hang on the first lost wake-up.
TEST(WorkerThread, NeverSleepsThroughAStart)
{
    Thread worker;
    CountingTask task;
    const int kRuns = 5000;
    for (int i = 0; i < kRuns; ++i) {
        worker.start(&task);
        const uint32_t begin = tickCount();
        while (!worker.isIdle()) {
            ASSERT_LT(tickCount() - begin, 10000u) << "worker slept through start " << i;
        }
    }
    EXPECT_EQ(kRuns, task.runs);
}

TEST(WorkerThread, WaitIdleOrRestartReplacesAHungWorker)
{
    Thread worker;
    CountingTask slow(300);
    worker.start(&slow);
    sleepMs(20);
    EXPECT_FALSE(worker.waitIdleOrRestart(50));
    EXPECT_TRUE(worker.isIdle());
    CountingTask quick;
    worker.start(&quick);
    worker.waitIdle();
    EXPECT_EQ(1, quick.runs);
    sleepMs(400);  // let the abandoned run end before its task goes away
}

}  // namespace
