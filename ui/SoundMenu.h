#pragma once

#include "host/profile/SoundSettings.h"
#include "ui/Menu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The settings page for music, effects and environment sounds: a volume slider (0 to 10) and an
// on/off box for each, and the 3D-quality box. Every change goes into the profile's sound
// settings and to the sound modules at once; the profile is saved when the page closes if
// anything changed. Its static operations switch the sound modules between the main menu,
// in-game menu and battle modes as the root UI changes state.
//
// Children (all optional): containers "music", "effects" and "environment", each with an HSlider
// "scroll" and a CheckBox "check"; the CheckBox "check_3d_quality".
class KEL_UI_API SoundMenu : public Menu {
public:
    std::string_view getClassName() const override { return "soundmenu"; }

    void notify(::ui::NotifyEvent& event) override;
    void readConfig(config::Block* block) override;
    void updateShowed() override;

    // Sets the controls from the profile.
    void update();

    // Applies the profile's sound settings to the sound modules.
    static void updateProfileSettings();
    static void setMainMenuMode();
    static void setGameMenuMode();
    static void setGameMode();

private:
    // Reads the controls into the profile and applies them.
    void reflectChanging();

    profile::SoundSettings shownSettings;
};

} // namespace kel::ui
