#include "ui/GameBoard.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"
#include "host/logic/Globals.h"
#include "host/ui/UI.h"

namespace kel::ui {

GameBoard::GameBoard() : Component(::ui::theUI, 0, 0, 0, 0) {}

void GameBoard::updateShowed() {
    Component::updateShowed();
    if (!GAME_BOARD_VIEW)
        return; // no game logic, no board to draw
    if (isShowed()) {
        GAME_BOARD_VIEW->activate();
        theRenderDriver->addView(GAME_BOARD_VIEW);
    } else {
        GAME_BOARD_VIEW->deactivate();
        theRenderDriver->removeView(GAME_BOARD_VIEW);
    }
}

} // namespace kel::ui
