#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The full-screen root of the battle HUD and the battle's input entry: every event goes to the
// camera translator of kel-input, then to its control-source translator, then to the HUD's
// children; a press of Escape (102) then asks the root for the in-game menu (action
// "gameroundmenu"). Showing it makes the control-source translator forget held keys, hiding it
// makes both forget them; either tells the board trace switch.
class KEL_UI_API GameUI : public ::ui::Container {
public:
    // Full-screen on the root UI.
    GameUI();

    std::string_view getClassName() const override { return "gameui"; }
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void updateShowed() override;
    // It takes the keyboard focus in unit free-look.
    bool isFocusable() const override { return true; }
    void updateResolution() override;

    // Unit free-look: the camera sits at the unit and the HUD ("subgameui") goes away. While the
    // board's game state is 1 or 2 the game UI also takes the focus, the pointer enters (or
    // leaves) its free-look mode and the battle control source is told.
    void setUnitFreelook(bool on);
};

} // namespace kel::ui
