#pragma once

#include "host/ui/Component.h"
#include "ui/UiApi.h"

namespace kel::ui {

// An invisible component that switches the game board's 3D view (GAME_BOARD_VIEW) with its own
// shown state: shown, the view is activated and then handed to the render driver; hidden, it is
// deactivated and then taken back. Not the game logic's board (kel::logic::GameBoard).
class KEL_UI_API GameBoard : public ::ui::Component {
public:
    GameBoard();

    std::string_view getClassName() const override { return "gameboard"; }
    void updateShowed() override;
};

} // namespace kel::ui
