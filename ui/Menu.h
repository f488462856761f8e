#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The base of every full-screen settings page and dialog: the cancel key (102), the mouse's
// right button (5) and a child's right click become a "cancel" notification; the confirm keys
// (51, 101) become "ok" unless a button has the keyboard focus (it takes the key itself).
// Both go through the menu's own notify, so a subclass sees them before they travel up.
class KEL_UI_API Menu : public ::ui::Container {
public:
    // Covers the screen, through resolution changes, until the layout gives it a size (a
    // dialog centred on the screen).
    Menu();

    std::string_view getClassName() const override { return "menu"; }
    void notify(::ui::NotifyEvent& event) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    // The root focuses a page when it opens it.
    bool isFocusable() const override { return true; }

protected:
    // Sends a notification from the menu with the given action through its own notify.
    void sendAction(const std::string& action);
    // The menu's own part of the input, after the children have had the event: cancel and
    // confirm.
    void processMenuKeys(counting_ptr<::input::Event> event);

private:
    // Whether the focused component (if any) is not a button that takes the confirm key.
    bool enterCatchingComponentAbsent();
};

} // namespace kel::ui
