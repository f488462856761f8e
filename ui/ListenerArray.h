#pragma once

#include "ui/UiApi.h"

#include <cstring>

namespace kel::ui {

// A growable array of listeners (not owned) that tolerates changes during a notification pass:
// removal only clears a slot, a pass compacts the survivors as it walks, and listeners added
// during a pass stay registered for the next one without being called in this one.
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

    // Calls `call(listener)` on every listener in order, compacting as it goes.
    template <class F> void notify(F&& call) {
        const int walked = count;
        int kept = 0;
        for (int i = 0; i < walked; ++i) {
            T* listener = entries[i];
            if (!listener)
                continue;
            // Moved down, the listener leaves no copy behind for a removal to find.
            entries[i] = nullptr;
            entries[kept++] = listener;
            call(listener);
        }
        // Listeners appended during the pass move down behind the survivors.
        const int appended = count - walked;
        for (int i = 0; i < appended; ++i)
            entries[kept + i] = entries[walked + i];
        count = kept + appended;
    }

    int getCount() const { return count; }
    int getCapacity() const { return capacity; }
    T* at(int index) const { return entries[index]; }

private:
    T** entries = nullptr;
    int count = 0;
    int capacity = 0;
};

} // namespace kel::ui
