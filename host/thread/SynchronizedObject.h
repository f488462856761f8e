#pragma once

#include "host/HostApi.h"

#include <atomic>
#include <thread>

#if defined(__has_include)
#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#define KEL_KNOWS_SINGLE_THREADED 1
#endif
#endif

namespace thread {

// Whether the process runs one thread only (glibc keeps the answer, and its own mutexes read it):
// while it does, nobody else can hold a lock or wait for one, and a plain store takes or frees
// it. Where the C library does not say, the answer is no.
inline bool singleThreaded() {
#ifdef KEL_KNOWS_SINGLE_THREADED
    return __libc_single_threaded != 0;
#else
    return false;
#endif
}

// A re-entrant lock that objects carry by inheritance or as a member: the thread holding it may
// take it again. Copying an object never copies its lock; the copy gets a fresh, free one.
//
// Every config block and every component carries one, and input takes the UI's several times
// an event, so the lock is one word and its holder: taking a free lock and giving it back are
// one atomic operation each (none while the process has one thread), with no call into the
// system. A thread that finds it taken spins a little, then sleeps until the holder lets go
// (see SynchronizedObject.cpp).
class KEL_HOST_API SynchronizedObject {
public:
    SynchronizedObject() = default;
    SynchronizedObject(const SynchronizedObject&) {}
    SynchronizedObject& operator=(const SynchronizedObject&) { return *this; }
    virtual ~SynchronizedObject() = default;

    void lock() const {
        const std::thread::id me = std::this_thread::get_id();
        if (holder.load(std::memory_order_relaxed) == me) {
            ++depth;
            return;
        }
        unsigned expected = kFree;
        if (singleThreaded())
            state.store(kHeld, std::memory_order_relaxed); // the one thread does not hold it
        else if (!state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                                std::memory_order_relaxed))
            waitAndLock();
        holder.store(me, std::memory_order_relaxed);
        depth = 1;
    }
    void unlock() const {
        if (--depth > 0)
            return;
        holder.store(std::thread::id(), std::memory_order_relaxed);
        unsigned expected = kHeld;
        if (singleThreaded())
            state.store(kFree, std::memory_order_relaxed); // nobody can be asleep behind it
        else if (!state.compare_exchange_strong(expected, kFree, std::memory_order_release,
                                                std::memory_order_relaxed))
            unlockAndWake();
    }
    bool tryLock() const {
        const std::thread::id me = std::this_thread::get_id();
        if (holder.load(std::memory_order_relaxed) == me) {
            ++depth;
            return true;
        }
        unsigned expected = kFree;
        if (!state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                           std::memory_order_relaxed))
            return false;
        holder.store(me, std::memory_order_relaxed);
        depth = 1;
        return true;
    }

private:
    // The lock word: free, or held, and then perhaps with threads asleep waiting for it.
    static constexpr unsigned kFree = 0;
    static constexpr unsigned kHeld = 1;
    static constexpr unsigned kSleepers = 2;
    void waitAndLock() const;
    void unlockAndWake() const;

    mutable std::atomic<unsigned> state{kFree};
    // How many times the holder took it. Only the holder reads or writes it.
    mutable unsigned depth = 0;
    // Read by any thread, but a thread can find its own id there only while it holds the lock:
    // it wrote it itself and clears it before letting go.
    mutable std::atomic<std::thread::id> holder{};
    static_assert(std::atomic<std::thread::id>::is_always_lock_free,
                  "the holder is read without a lock");
};

// Holds a SynchronizedObject's lock for the lifetime of the guard.
class Lock {
public:
    explicit Lock(const SynchronizedObject& object) : object(object) { object.lock(); }
    explicit Lock(const SynchronizedObject* object) : Lock(*object) {}
    ~Lock() { object.unlock(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    const SynchronizedObject& object;
};

// Holds the lock of an object that may be missing (null): for code that runs with or without
// a UI, such as toolkit timers in a bare engine.
class OptionalLock {
public:
    explicit OptionalLock(const SynchronizedObject* object) : object(object) {
        if (object)
            object->lock();
    }
    ~OptionalLock() {
        if (object)
            object->unlock();
    }
    OptionalLock(const OptionalLock&) = delete;
    OptionalLock& operator=(const OptionalLock&) = delete;

private:
    const SynchronizedObject* object;
};

} // namespace thread
