#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/NativeThread.h"
#include "platform/WakeEvent.h"
#include "thread/IThread.h"
#include "thread/ITask.h"
#include "thread/ObjLocker.h"
#include "thread/PooledBy.h"

namespace s::thread::win {

// A worker thread that runs a task once, a number of times or without end,
// and parks between jobs. It parks on a wake event rather than suspending
// itself, so a start that comes just as the worker goes idle is not lost.
class Thread : public s::thread::IThread, public s::thread::PooledBy<Thread>, public s::thread::ITask {
public:
    using RunFunction = void (*)(Thread* thread);

    enum Pacing : int32_t { kNoPacing = 0, kPauseAfterRun = 1, kAtRate = 2 };

    Thread();
    ~Thread() override;

    const char16_t* className() const override { return u"s_thread_win_Thread"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;
    // Used when the thread object itself is given as the task.
    void run() override;

    uint32_t threadId() const { return m_threadId; }
    bool hasThread() const { return m_thread && m_thread->isCreated(); }

    void start(ITask* task);
    void startRepeated(ITask* task, int32_t count);
    void startRepeatedWithPause(ITask* task, int32_t count, int32_t intervalMs);
    void startRepeatedAtRate(ITask* task, int32_t count, int32_t intervalMs);
    void startForever(ITask* task);
    void startForeverWithPause(ITask* task, int32_t intervalMs);
    void startForeverAtRate(ITask* task, int32_t intervalMs);
    bool isIdle() const { return m_control->idle.load(); }
    void waitIdle();
    // Waits up to ms; a worker still busy then is abandoned and replaced.
    bool waitIdleOrRestart(uint32_t ms);
    void stopRepeating();
    void stopAndWaitIdle();
    void waitExit();
    void requestExit();
    void exit();
    void sleepOnce(int32_t ms);
    void resume();
    void suspend();
    int32_t priority() const { return m_priority; }
    void setPriority(int32_t priority);
    void setRunFunction(RunFunction function) { m_runFunction = function; }
    bool hasExited() const { return m_control->exited.load(); }

    // The block shared with the thread routine; read and written under
    // *lockerRef except the flags the owner polls.
    struct Control {
        ObjLocker* lockerRef = nullptr;
        s::platform::WakeEvent wake;
        int32_t pendingSleepMs = 0;
        ITask* task = nullptr;  // not owned
        int32_t remainingRuns = 0;
        int32_t pacing = kNoPacing;
        int32_t intervalMs = 0;
        std::atomic<bool> alive{false};
        std::atomic<bool> idle{true};
        std::atomic<bool> stopRequested{false};
        std::atomic<bool> exited{false};
    };

private:
    void createThread();
    void startJob(ITask* task, int32_t runs, int32_t pacing, int32_t intervalMs);
    static uint32_t routine(void* argument);

    std::unique_ptr<s::platform::NativeThread> m_thread;
    uint32_t m_threadId = 0;
    // Shared with the routine. A worker abandoned by waitIdleOrRestart keeps
    // its own block and lock, which it then owns and frees when it ends.
    std::shared_ptr<ObjLocker> m_locker;
    std::shared_ptr<Control> m_control;
    int32_t m_priority = 0;
    RunFunction m_runFunction = nullptr;
};

}  // namespace s::thread::win
