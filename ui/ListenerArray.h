#pragma once

#include "ui/UiApi.h"

#include <cstring>

namespace kel::ui {

// A growable array of listeners (not owned) that tolerates changes during a notification pass:
// removal only clears a slot, a pass skips cleared slots, and listeners added during a pass stay
// registered for the next one without being called in this one. Passes may nest (a listener may
// start another pass); the array is compacted when the outermost pass ends, so no pass ever sees
// an entry move under it.
template <class T> class ListenerArray {
public:
    ListenerArray() = default;
    ListenerArray(const ListenerArray&) = delete;
    ListenerArray& operator=(const ListenerArray&) = delete;
    ~ListenerArray() { delete[] entries; }

    // Appends without a duplicate check; the capacity starts at 4 and doubles when full.
    void add(T* listener) {
        if (count == capacity) {
            const int grown = capacity == 0 ? 4 : capacity * 2;
            T** larger = new T*[grown];
            if (count)
                std::memcpy(larger, entries, sizeof(T*) * count);
            delete[] entries;
            entries = larger;
            capacity = grown;
        }
        entries[count++] = listener;
    }

    // Clears the first slot holding the listener. Beyond 10 entries the search starts at
    // count * 3 / 4, runs to the end and wraps round: listeners added late are found quickly.
    bool remove(T* listener) {
        const int start = count > 10 ? count * 3 / 4 : 0;
        for (int i = start; i < count; ++i)
            if (entries[i] == listener) {
                entries[i] = nullptr;
                return true;
            }
        for (int i = 0; i < start; ++i)
            if (entries[i] == listener) {
                entries[i] = nullptr;
                return true;
            }
        return false;
    }

    // Removes every listener; during a pass the rest of it calls nobody.
    void clear() {
        for (int i = 0; i < count; ++i)
            entries[i] = nullptr;
        if (passes == 0)
            count = 0;
    }

    // Calls `call(listener)` on every listener registered when the pass starts and still
    // registered when the pass reaches it, in order.
    template <class F> void notify(F&& call) {
        const int walked = count;
        ++passes;
        for (int i = 0; i < walked; ++i)
            if (T* listener = entries[i])
                call(listener);
        if (--passes == 0)
            compact();
    }

    int getCount() const { return count; }
    int getCapacity() const { return capacity; }
    T* at(int index) const { return entries[index]; }

private:
    // Moves the survivors (and what was appended during the passes) down over cleared slots.
    void compact() {
        int kept = 0;
        for (int i = 0; i < count; ++i)
            if (entries[i])
                entries[kept++] = entries[i];
        count = kept;
    }

    T** entries = nullptr;
    int count = 0;
    int capacity = 0;
    int passes = 0; // notification passes under way (they nest)
};

} // namespace kel::ui
