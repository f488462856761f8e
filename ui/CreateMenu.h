#pragma once

#include "ui/Menu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The player creation menu: a name and a difficulty, then the new player is added. Opened from
// the main menu (mode Play: the game starts, "play") or from the player menu (mode Create: back
// to it, "create"). A name that exists shows "gamealreadyexists" and adds nothing.
//
// Children: "editname" (EditBox), "radiocontainer" (radios "trivial", "easy", "normal"),
// "button_play" (TextButton, "Play" or "Create"), and the notice "gamealreadyexists" (reporting
// "ok"/"cancel" itself, or holding the button "gamealreadyexists_button_ok").
class KEL_UI_API CreateMenu : public Menu {
public:
    enum Mode { Play = 0, Create = 1 };

    std::string_view getClassName() const override { return "createmenu"; }
    void notify(::ui::NotifyEvent& event) override;
    void updateShowed() override;
    void updateFocused() override;

    void setMode(Mode mode);
    Mode getMode() const { return mode; }

private:
    void processOk();
    bool playEnabled();

    Mode mode = Play;
};

} // namespace kel::ui
