#pragma once

#include "host/ui/ImageButton.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The battle HUD's button that ends the player's turn: its click reaches the root as a
// notification from "endturnbutton", which the root turns into endTurn() on the battle control
// source. While the pointer rests on the shown button the game pointer takes its interface look
// and the board stops tracing under it (BoardTraceSwitch); hiding the button gives the board look
// back. It is never hidden by setVisible: asked to go, it stays on screen, disabled.
class KEL_UI_API EndTurnButton : public ::ui::ImageButton {
public:
    // Pictures drawn in `view` (the factory passes the root UI's view).
    explicit EndTurnButton(View* view);

    std::string_view getClassName() const override { return "endturnbutton"; }

    void updateShowed() override;
    void updateFlyby() override;
    // Enables (true) or disables (false) the button; it stays visible either way.
    void setVisible(bool visible) override;
};

} // namespace kel::ui
