#pragma once

#include "host/ui/Perioder.h"

namespace ui {

// Receives the repeated values of an auto-repeater.
template <class T> class AutoRepeaterConsumer {
public:
    virtual ~AutoRepeaterConsumer() = default;
    virtual void processAutoRepeation(T value) = 0;
};

// Repeats a held key: after a press it waits 0.4 s, then 0.1 s more, then hands the key to its
// consumer every 0.1 s until the release (so the first repeat comes 0.5 s after the press).
template <class T> class AutoRepeater : public Perioder {
public:
    enum State { Idle = 0, Waiting = 1, Repeating = 2 };

    AutoRepeater(View* view, AutoRepeaterConsumer<T>* consumer)
        : Perioder(view, 0.4f), consumer(consumer) {}

    // A key went down (pressed) or up.
    void setKey(bool pressed, const T& key) {
        value = key;
        if (pressed) {
            setPeriod(0.4f);
            start();
            state = Waiting;
        } else {
            stop();
            state = Idle;
        }
    }
    State getState() const { return state; }
    const T& getValue() const { return value; }

    void expire() override {
        if (state == Waiting) {
            setPeriod(0.1f);
            state = Repeating;
        } else if (state == Repeating) {
            consumer->processAutoRepeation(value);
        }
    }

private:
    AutoRepeaterConsumer<T>* consumer; // not owned
    State state = Idle;
    T value{};
};

} // namespace ui
