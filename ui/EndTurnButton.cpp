#include "ui/EndTurnButton.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"

namespace kel::ui {

namespace {
// The game pointer's looks: over the interface, and over the board.
constexpr KELMousePointer::Mode kInterfaceLook = 0;
constexpr KELMousePointer::Mode kBoardLook = 1;

void setPointerMode(KELMousePointer::Mode mode) {
    if (KELMousePointer* pointer = theKELUI ? theKELUI->getKELMousePointer() : nullptr)
        pointer->setMode(mode);
}
} // namespace

EndTurnButton::EndTurnButton(View* view) : ImageButton(view) {}

void EndTurnButton::updateShowed() {
    ImageButton::updateShowed();
    BoardTraceSwitch::setEndTurnShown(isShowed());
    if (!isShowed())
        setPointerMode(kBoardLook);
}

void EndTurnButton::updateFlyby() {
    ImageButton::updateFlyby();
    BoardTraceSwitch::setEndTurnFlyby(getFlyby());
    if (isShowed())
        setPointerMode(getFlyby() ? kInterfaceLook : kBoardLook);
}

void EndTurnButton::setVisible(bool visible) {
    setEnabled(visible);
    ImageButton::setVisible(true);
}

} // namespace kel::ui
