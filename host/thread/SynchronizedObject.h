#pragma once

#include "host/HostApi.h"

#include <mutex>

namespace thread {

// A re-entrant lock that objects carry by inheritance or as a member: the thread holding it may
// take it again. Copying an object never copies its lock; the copy gets a fresh, free one.
class KEL_HOST_API SynchronizedObject {
public:
    SynchronizedObject() = default;
    SynchronizedObject(const SynchronizedObject&) {}
    SynchronizedObject& operator=(const SynchronizedObject&) { return *this; }
    virtual ~SynchronizedObject() = default;

    void lock() const { mutex.lock(); }
    void unlock() const { mutex.unlock(); }
    bool tryLock() const { return mutex.try_lock(); }

private:
    mutable std::recursive_mutex mutex;
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
