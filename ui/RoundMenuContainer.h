#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// Holds the round menus of one screen (the first menu and its sub-menus) and switches between
// them: the current one flies out while the next one appears and takes the keyboard focus. It
// also remembers whether the mouse or the keyboard was used last, for its round menus.
class KEL_UI_API RoundMenuContainer : public ::ui::Container {
public:
    RoundMenuContainer();

    std::string_view getClassName() const override { return "roundmenucontainer"; }
    // The round menus, then "firstMenu".
    void readConfig(config::Block* block) override;
    // A "changemenu" from a round menu switches to the menu it names.
    void notify(::ui::NotifyEvent& event) override;
    void updateShowed() override;

    // Flies the current round menu out and shows the one called `name`; an empty name only
    // flies out, a name no child has leaves none shown and the focus on nothing.
    void setCurrentMenu(const std::string& name);
    const std::string& getCurrentMenu() const { return currentMenu; }

    void setMouseLastUsed(bool on) { mouseLastUsed = on; }
    bool isMouseLastUsed() const { return mouseLastUsed; }

private:
    void focus(::ui::Component* component);

    std::string currentMenu;
    bool mouseLastUsed = false;
};

} // namespace kel::ui
