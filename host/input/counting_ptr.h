#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

// An intrusive reference-counted pointer: the object carries its own count (derive from
// Counted). Input events travel as counting_ptr so that every listener can keep one.
class Counted {
public:
    Counted() = default;
    Counted(const Counted&) : count(0) {}
    Counted& operator=(const Counted&) { return *this; }
    virtual ~Counted() = default;

    void addReference() const { count.fetch_add(1, std::memory_order_relaxed); }
    void release() const {
        if (count.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

private:
    mutable std::atomic<int> count{0};
};

template <class T> class counting_ptr {
public:
    counting_ptr() = default;
    counting_ptr(T* object) : object(object) {
        if (object)
            object->addReference();
    }
    counting_ptr(const counting_ptr& other) : counting_ptr(other.object) {}
    template <class U> counting_ptr(const counting_ptr<U>& other) : counting_ptr(other.get()) {}
    counting_ptr(counting_ptr&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    ~counting_ptr() {
        if (object)
            object->release();
    }
    counting_ptr& operator=(counting_ptr other) noexcept {
        std::swap(object, other.object);
        return *this;
    }

    T* get() const { return object; }
    T* operator->() const { return object; }
    T& operator*() const { return *object; }
    explicit operator bool() const { return object != nullptr; }

    // The object as U when it is one, else null (a run-time type test). A final class that
    // names its kind (U::kKind, as the input events do) is told by that kind alone.
    template <class U> U* as() const {
        if constexpr (hasKind<U>(0)) {
            static_assert(std::is_final_v<U>, "a kind names one class only when nothing derives");
            return object && object->getKind() == U::kKind ? static_cast<U*>(object) : nullptr;
        } else {
            return dynamic_cast<U*>(object);
        }
    }

private:
    template <class U> static constexpr auto hasKind(int) -> decltype(U::kKind, bool()) {
        return true;
    }
    template <class U> static constexpr bool hasKind(...) { return false; }

    T* object = nullptr;
};
