#pragma once

#include "host/HostApi.h"

namespace kelinput {

// Developer shortcuts: a capturer registers (key, modifier) pairs and is called back through
// onShortcut when that key is pressed on the PC keyboard with exactly those modifier keys held.
// Keys are the keyboard codes of the input library (host/input/Keys.h). The capturer is known
// to theKelInput from its first addShortcut until it has none left or is destroyed.
//
// onShortcut runs on the thread that feeds input, under kel-input's shortcut lock: it may add
// and remove shortcuts, but must not wait for another thread that does. delShortcut waits for a
// call in progress on another thread; the destructor unregisters too, but only after the derived
// part is gone, so a capturer that may be called from another thread removes its shortcuts
// before it is destroyed (the root UI does so in term).
class KEL_HOST_API DebugInputCapturer {
public:
    // Modifier bits; 0 means no modifier key is held.
    enum Modifier : int { NoModifier = 0, ShiftModifier = 1, ControlModifier = 2, AltModifier = 4 };

    DebugInputCapturer() = default;
    DebugInputCapturer(const DebugInputCapturer&) = delete;
    DebugInputCapturer& operator=(const DebugInputCapturer&) = delete;
    virtual ~DebugInputCapturer();

    void addShortcut(unsigned long key, int modifier);
    void delShortcut(unsigned long key, int modifier);
    bool hasShortcut(unsigned long key, int modifier) const;
    // Whether theKelInput knows this capturer (it has at least one shortcut).
    bool isRegistered() const;

    virtual void onShortcut(unsigned long key, int modifier) = 0;
};

} // namespace kelinput
