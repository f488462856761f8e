#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The full-screen part of the battle HUD that goes away while the player looks around freely
// (GameUI::setUnitFreelook). Shown, it takes the keyboard focus.
class KEL_UI_API SubGameUI : public ::ui::Container {
public:
    // Full-screen on the root UI.
    SubGameUI();

    std::string_view getClassName() const override { return "subgameui"; }
    void updateShowed() override;
    bool isFocusable() const override { return true; }
    void updateResolution() override;
};

} // namespace kel::ui
