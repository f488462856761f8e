#pragma once

#include "host/kelinput/DebugInputCapturer.h"
#include "ui/UiApi.h"

namespace kel::ui {

// Developer keys for trying out the battle scene: the time of day of the sky, the time scale and
// pausing of the delayed and paused render timers, hiding the end-turn button, showing the
// "screenshot" component, switching the sky, leaving the program. The root UI registers the
// shortcuts in init and removes them in term. It takes no lock of its own.
class KEL_UI_API DebugInput : public kelinput::DebugInputCapturer {
public:
    // The registered keys, in registration order.
    static const unsigned long kShortcuts[13];

    void registerShortcuts();
    void unregisterShortcuts();
    void onShortcut(unsigned long key, int modifier) override;
};

KEL_UI_API extern DebugInput debugInput;

} // namespace kel::ui
