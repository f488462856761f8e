#include "host/thread/SynchronizedObject.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace thread {

namespace {

// Threads waiting for a lock sleep in one of a few shared queues, chosen by the lock's address,
// so that a lock costs nothing while nobody waits for it. Locks that share a queue wake each
// other's sleepers now and then; those look again and go back to sleep.
struct Queue {
    std::mutex mutex;
    std::condition_variable sleepers;
};

Queue& queueOf(const void* lock) {
    static Queue queues[64];
    return queues[(reinterpret_cast<std::uintptr_t>(lock) / 64) % 64];
}

// A lock is held for microseconds: a thread that finds it taken tries again a few times before
// it sleeps.
constexpr int kSpins = 40;

} // namespace

void SynchronizedObject::waitAndLock() const {
    for (int spin = 0; spin < kSpins; ++spin) {
        std::this_thread::yield();
        unsigned expected = kFree;
        if (state.load(std::memory_order_relaxed) == kFree &&
            state.compare_exchange_weak(expected, kHeld, std::memory_order_acquire,
                                        std::memory_order_relaxed))
            return;
    }
    Queue& queue = queueOf(this);
    std::unique_lock<std::mutex> hold(queue.mutex);
    for (;;) {
        unsigned seen = state.load(std::memory_order_relaxed);
        // An unlock that finds sleepers wakes all of them: those that do not get the lock mark
        // the word again before they sleep, so the one that does can take it unmarked.
        if (seen == kFree) {
            if (state.compare_exchange_weak(seen, kHeld, std::memory_order_acquire,
                                            std::memory_order_relaxed))
                return;
            continue;
        }
        // Once the word says someone sleeps, the holder's unlock goes through the queue, which
        // it cannot enter before this thread is asleep: the wake-up cannot be missed.
        if (seen == kHeld &&
            !state.compare_exchange_weak(seen, kHeld | kSleepers, std::memory_order_relaxed,
                                         std::memory_order_relaxed))
            continue;
        queue.sleepers.wait(hold);
    }
}

void SynchronizedObject::unlockAndWake() const {
    Queue& queue = queueOf(this);
    {
        std::lock_guard<std::mutex> hold(queue.mutex);
        state.store(kFree, std::memory_order_release);
    }
    queue.sleepers.notify_all();
}

} // namespace thread
