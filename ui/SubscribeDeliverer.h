#pragma once

#include "host/thread/SynchronizedObject.h"

#include <algorithm>
#include <vector>

namespace kel::ui {

// A list of subscribed listeners (not owned) and the delivery of one notification to each of
// them exactly once, also when listeners subscribe or unsubscribe during the delivery and when a
// listener's call leads to another delivery on the same thread.
//
// Every running delivery has a level: each entry keeps one "served" flag per level and the
// deliverer one "restart" flag per level. A subscription change during a delivery raises the
// restart flag of every running level, so each walk starts over from the first entry and skips
// the entries it has served already (an outer walk would otherwise go on at an index the inner
// change has shifted). A listener subscribed during a delivery is called in it.
//
// The lock is re-entrant: a nested delivery on the same thread takes it again; the host may
// (un)subscribe from any thread.
template <class Listener> class SubscribeDeliverer {
public:
    void subscribe(Listener* listener) {
        thread::Lock hold(lock);
        entries.push_back(Entry{listener, std::vector<int>(depth, 0)});
        changed();
    }

    void unsubscribe(Listener* listener) {
        thread::Lock hold(lock);
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [listener](const Entry& e) { return e.listener == listener; });
        if (found == entries.end())
            return;
        entries.erase(found);
        changed();
    }

    bool isSubscribed(const Listener* listener) const {
        thread::Lock hold(lock);
        return std::any_of(entries.begin(), entries.end(),
                           [listener](const Entry& e) { return e.listener == listener; });
    }

protected:
    ~SubscribeDeliverer() = default;

    // Calls `call(listener)` once for every subscribed listener.
    template <class Call> void deliverToEach(Call call) {
        thread::Lock hold(lock);
        restart.push_back(0);
        ++depth;
        for (Entry& entry : entries)
            entry.served.push_back(0);
        size_t i = 0;
        while (i < entries.size()) {
            if (entries[i].served.back() == 0) {
                entries[i].served.back() = 1;
                call(entries[i].listener);
            }
            if (restart.back() != 0) {
                restart.back() = 0;
                i = 0;
            } else {
                ++i;
            }
        }
        for (Entry& entry : entries)
            entry.served.pop_back();
        restart.pop_back();
        --depth;
    }

private:
    struct Entry {
        Listener* listener;
        std::vector<int> served; // one flag per running delivery, innermost last
    };

    void changed() {
        for (int& flag : restart)
            flag = 1;
    }

    std::vector<Entry> entries;
    std::vector<int> restart; // one flag per running delivery, innermost last
    mutable thread::SynchronizedObject lock;
    size_t depth = 0;
};

} // namespace kel::ui
