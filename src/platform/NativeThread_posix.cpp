#include "platform/NativeThread.h"

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <ctime>

namespace s::platform {

namespace {
struct StartBlock {
    NativeThread::Routine routine;
    void* argument;
    std::atomic<bool> ended{false};
    std::atomic<int> owners{2};  // the thread and the NativeThread object
    pthread_t thread;
};

void dropOwner(StartBlock* block)
{
    if (block->owners.fetch_sub(1) == 1)
        delete block;
}

void* trampoline(void* raw)
{
    auto* block = static_cast<StartBlock*>(raw);
    block->routine(block->argument);
    block->ended = true;
    dropOwner(block);
    return nullptr;
}
}  // namespace

NativeThread::~NativeThread() { close(); }

bool NativeThread::create(Routine routine, void* argument)
{
    auto* block = new StartBlock;
    block->routine = routine;
    block->argument = argument;
    if (pthread_create(&block->thread, nullptr, trampoline, block) != 0) {
        delete block;
        return false;
    }
    pthread_detach(block->thread);
    m_handle = block;
    static std::atomic<uint32_t> nextId{1};
    m_id = nextId++;
    return true;
}

bool NativeThread::waitEnded(uint32_t timeoutMs)
{
    auto* block = static_cast<StartBlock*>(m_handle);
    if (!block)
        return true;
    const uint32_t start = tickCount();
    while (!block->ended) {
        if (tickCount() - start >= timeoutMs)
            return false;
        sleepMs(1);
    }
    return true;
}

void NativeThread::close()
{
    if (m_handle)
        dropOwner(static_cast<StartBlock*>(m_handle));
    m_handle = nullptr;
    m_id = 0;
}

void NativeThread::setPriority(int32_t) {}
int32_t NativeThread::priority() const { return 0; }

uint32_t tickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

void sleepMs(uint32_t milliseconds)
{
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

}  // namespace s::platform
