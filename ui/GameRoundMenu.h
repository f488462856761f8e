#pragma once

#include "ui/EntireMenu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The in-game round-menu screen over the paused battle: showing it refreshes what the battle
// input has in focus and puts the pointer where the ring's front entry stands.
class KEL_UI_API GameRoundMenu : public EntireMenu {
public:
    std::string_view getClassName() const override { return "gameroundmenu"; }
    void updateShowed() override;
};

} // namespace kel::ui
