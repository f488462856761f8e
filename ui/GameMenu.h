#pragma once

#include "ui/Menu.h"
#include "ui/UiApi.h"

namespace ui {
class BothTextSprite;
class ListBox;
class RadioContainer;
} // namespace ui

namespace kel::ui {

// The player menu: lists the players, selects the current one, changes its difficulty, deletes
// a player after the "suretodelete" confirmation and opens player creation ("create"). It writes
// the player list when it is hidden.
//
// Children: "list" (ListBox), "currentplayervalue" (BothTextSprite), "radiocontainer" with the
// radios "trivial", "easy" and "normal", "button_create", "button_delete", "button_ok", and the
// confirmation "suretodelete" (reporting "ok"/"cancel" itself, or holding the buttons
// "suretodelete_button_ok" and "suretodelete_button_cancel").
class KEL_UI_API GameMenu : public Menu {
public:
    std::string_view getClassName() const override { return "gamemenu"; }
    void notify(::ui::NotifyEvent& event) override;
    void updateShowed() override;

private:
    void updateControls();
    void deleteUser();
    void setChildVisible(const char* name, bool visible);

    ::ui::BothTextSprite* currentPlayerText = nullptr; // child "currentplayervalue"
    ::ui::RadioContainer* levelRadio = nullptr;        // child "radiocontainer"
    ::ui::ListBox* userList = nullptr;                 // child "list"
};

} // namespace kel::ui
