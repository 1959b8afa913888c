#include "thread/win/Thread.h"

namespace s::thread::win {

using s::platform::sleepMs;
using s::platform::tickCount;

namespace {
constexpr uint32_t kPollMs = 20;

// What the routine needs to keep alive for as long as it runs.
struct RoutineArgs {
    std::shared_ptr<ObjLocker> locker;
    std::shared_ptr<Thread::Control> control;
};
}  // namespace

Thread::Thread()
{
    createThread();
}

Thread::~Thread()
{
    if (hasThread()) {
        exit();
        m_thread->close();
    }
}

void Thread::createThread()
{
    m_locker = std::make_shared<ObjLocker>();
    m_control = std::make_shared<Control>();
    m_control->lockerRef = m_locker.get();
    m_thread = std::make_unique<s::platform::NativeThread>();
    auto* args = new RoutineArgs{m_locker, m_control};
    if (!m_thread->create(&Thread::routine, args)) {
        delete args;
        return;
    }
    m_threadId = m_thread->id();
    m_thread->setPriority(m_priority);
}

uint32_t Thread::routine(void* argument)
{
    std::unique_ptr<RoutineArgs> args(static_cast<RoutineArgs*>(argument));
    Control& c = *args->control;
    ObjLocker& locker = *args->locker;
    locker.enter();
    c.alive = true;
    while (!c.stopRequested) {
        if (c.pendingSleepMs != 0) {
            const int32_t ms = c.pendingSleepMs;
            c.pendingSleepMs = 0;
            locker.leave();
            sleepMs(static_cast<uint32_t>(ms));
        } else if (c.remainingRuns != 0 && !c.task) {
            // Nothing to run: the job is over at once.
            c.remainingRuns = 0;
            continue;
        } else if (c.remainingRuns != 0) {
            if (c.remainingRuns != -1)
                --c.remainingRuns;
            const int32_t left = c.remainingRuns;
            const int32_t pacing = c.pacing;
            const int32_t interval = c.intervalMs;
            ITask* task = c.task;
            locker.leave();
            const uint32_t started = tickCount();
            task->run();
            if (pacing != kNoPacing && left != 0 && interval > 0) {
                uint32_t pause = static_cast<uint32_t>(interval);
                if (pacing == kAtRate) {
                    const uint32_t spent = tickCount() - started;
                    pause = spent < pause ? pause - spent : 0;
                }
                if (pause > 0)
                    sleepMs(pause);
            }
        } else {
            c.idle = true;
            locker.leave();
            // Parks until a start, a stop or an exit request signals us; a
            // signal sent before we got here is kept by the event.
            c.wake.wait();
        }
        locker.enter();
        c.alive = true;
    }
    locker.leave();
    c.exited = true;
    return 0;
}

void Thread::reset()
{
    if (!isIdle())
        stopAndWaitIdle();
    setPriority(0);
    suspend();
    m_control->idle = true;
    m_runFunction = nullptr;
}

void Thread::run()
{
    if (m_runFunction)
        m_runFunction(this);
}

void Thread::startJob(ITask* task, int32_t runs, int32_t pacing, int32_t intervalMs)
{
    {
        Lock lock(*m_locker);
        Control& c = *m_control;
        c.pendingSleepMs = 0;
        c.task = task;
        c.remainingRuns = runs;
        c.pacing = pacing;
        c.intervalMs = intervalMs;
        c.alive = false;
        c.idle = false;
        c.exited = false;
    }
    resume();
}

void Thread::start(ITask* task) { startJob(task, 1, kNoPacing, 0); }
void Thread::startRepeated(ITask* task, int32_t count) { startJob(task, count, kNoPacing, 0); }
void Thread::startRepeatedWithPause(ITask* task, int32_t count, int32_t intervalMs) { startJob(task, count, kPauseAfterRun, intervalMs); }
void Thread::startRepeatedAtRate(ITask* task, int32_t count, int32_t intervalMs) { startJob(task, count, kAtRate, intervalMs); }
void Thread::startForever(ITask* task) { startJob(task, -1, kNoPacing, 0); }
void Thread::startForeverWithPause(ITask* task, int32_t intervalMs) { startJob(task, -1, kPauseAfterRun, intervalMs); }
void Thread::startForeverAtRate(ITask* task, int32_t intervalMs) { startJob(task, -1, kAtRate, intervalMs); }

void Thread::waitIdle()
{
    while (!isIdle() && hasThread())
        sleepMs(kPollMs);
}

bool Thread::waitIdleOrRestart(uint32_t ms)
{
    const uint32_t start = tickCount();
    while (!isIdle()) {
        if (tickCount() - start >= ms) {
            // The busy worker cannot be killed safely (it may hold a pool's
            // lock), so it is told to end after its task and left to itself
            // with its own control block; a fresh parked worker takes over.
            requestExit();
            m_thread->close();
            createThread();
            return false;
        }
        sleepMs(kPollMs);
    }
    return true;
}

void Thread::stopRepeating()
{
    {
        Lock lock(*m_locker);
        m_control->remainingRuns = 0;
    }
    resume();
}

void Thread::stopAndWaitIdle()
{
    stopRepeating();
    waitIdle();
}

void Thread::waitExit()
{
    if (!hasThread())
        return;
    while (!m_control->exited) {
        resume();
        m_thread->waitEnded(100);
    }
    m_thread->waitEnded(5000);
}

void Thread::requestExit()
{
    {
        Lock lock(*m_locker);
        m_control->stopRequested = true;
    }
    resume();
}

void Thread::exit()
{
    requestExit();
    waitExit();
}

void Thread::sleepOnce(int32_t ms)
{
    {
        Lock lock(*m_locker);
        m_control->pendingSleepMs = ms;
    }
    resume();
}

void Thread::resume()
{
    m_control->wake.signal();
}

void Thread::suspend()
{
    // The worker parks itself whenever it runs out of work; holding the lock
    // here only waits for a control-block change in progress to finish.
    Lock lock(*m_locker);
}

void Thread::setPriority(int32_t priority)
{
    m_priority = priority;
    if (m_thread)
        m_thread->setPriority(priority);
}

}  // namespace s::thread::win
