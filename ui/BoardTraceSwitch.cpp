#include "ui/BoardTraceSwitch.h"

#include "host/engine/View.h"
#include "host/logic/Globals.h"

namespace kel::ui {

bool BoardTraceSwitch::endTurnShown = false;
bool BoardTraceSwitch::endTurnFlyby = false;
bool BoardTraceSwitch::pointerVisible = false;
bool BoardTraceSwitch::gameUIShown = false;

void BoardTraceSwitch::setEndTurnShown(bool on) {
    endTurnShown = on;
    recompute();
}

void BoardTraceSwitch::setEndTurnFlyby(bool on) {
    endTurnFlyby = on;
    recompute();
}

void BoardTraceSwitch::setPointerVisible(bool on) {
    pointerVisible = on;
    recompute();
}

void BoardTraceSwitch::setGameUIShown(bool on) {
    gameUIShown = on;
    if (on)
        recompute();
    else
        setTrace(true);
}

void BoardTraceSwitch::recompute() {
    if (!gameUIShown)
        return;
    setTrace(pointerVisible && !(endTurnShown && endTurnFlyby));
}

void BoardTraceSwitch::setTrace(bool on) {
    if (!GAME_BOARD_VIEW)
        return;
    RenderView* view = GAME_BOARD_VIEW->getRenderView();
    const unsigned flags = view->getFlags();
    view->setFlags(on ? flags | RenderView::kTraceFlag : flags & ~RenderView::kTraceFlag);
}

bool BoardTraceSwitch::isTracing() {
    return GAME_BOARD_VIEW &&
           (GAME_BOARD_VIEW->getRenderView()->getFlags() & RenderView::kTraceFlag);
}

} // namespace kel::ui
