#pragma once

#include "ui/UiApi.h"

namespace kel::ui {

// Whether the game board traces what lies under the pointer: bit 0 of the flags of the board
// view's render view. Four module-wide flags decide it: while the game UI is shown the board
// traces exactly when the pointer is visible and not resting on a shown end-turn button;
// hiding the game UI switches tracing on.
class KEL_UI_API BoardTraceSwitch {
public:
    static void setEndTurnShown(bool on);
    static void setEndTurnFlyby(bool on);
    static void setPointerVisible(bool on);
    static void setGameUIShown(bool on);

    static bool getEndTurnShown() { return endTurnShown; }
    static bool getEndTurnFlyby() { return endTurnFlyby; }
    static bool getPointerVisible() { return pointerVisible; }
    static bool getGameUIShown() { return gameUIShown; }
    // The trace bit of the board view (false without a board view).
    static bool isTracing();

private:
    static void recompute();
    static void setTrace(bool on);

    static bool endTurnShown;
    static bool endTurnFlyby;
    static bool pointerVisible;
    static bool gameUIShown;
};

} // namespace kel::ui
