#include "ui/CreateMenu.h"
#include "ui/KELFactory.h"
#include "ui/Saves.h"

#include "host/ui/EditBox.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/TextButton.h"
#include "host/ui/UI.h"

namespace kel::ui {

void CreateMenu::setMode(Mode value) {
    mode = value;
    ::ui::TextButton* play = nullptr;
    if (theFactory->getComponent("button_play", &play, this, true))
        play->setText(mode == Play ? "Play" : "Create");
}

bool CreateMenu::playEnabled() {
    ::ui::Component* play = getDescendant("button_play");
    return play && play->getEnabled();
}

void CreateMenu::notify(::ui::NotifyEvent& event) {
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    if (name == getName()) {
        // The confirm key adds the player when the name allows it; otherwise it travels up.
        if (action == "ok" && playEnabled())
            processOk();
        else
            Menu::notify(event);
    } else if (name == "button_play" && action == "job") {
        processOk();
    } else if (name == "editname") {
        ::ui::EditBox* edit = nullptr;
        ::ui::Component* play = getDescendant("button_play");
        if (play && theFactory->getComponent("editname", &edit, this, true))
            play->setEnabled(!edit->getText().empty());
    } else if ((name == "gamealreadyexists_button_ok" && action == "job") ||
               (name == "gamealreadyexists" && (action == "ok" || action == "cancel"))) {
        if (::ui::Component* notice = getDescendant("gamealreadyexists"))
            notice->setVisible(false);
    }
    // Other children's notifications end here.
}

void CreateMenu::processOk() {
    ::ui::RadioContainer* levels = nullptr;
    ::ui::EditBox* edit = nullptr;
    theFactory->getComponent("radiocontainer", &levels, this, true);
    if (!theFactory->getComponent("editname", &edit, this, true))
        return;
    const std::string name = edit->getText();
    if (theSaves.userExists(name)) {
        if (::ui::Component* notice = getDescendant("gamealreadyexists"))
            notice->setVisible(true);
        return;
    }
    theSaves.addUser(name, levels ? levels->get() : Saves::NORMAL);
    sendAction(mode == Play ? "play" : "create");
}

void CreateMenu::updateShowed() {
    Menu::updateShowed();
    if (!isShowed())
        return;
    // A notice left open when the menu went must not greet the player next time.
    if (::ui::Component* notice = getDescendant("gamealreadyexists"))
        notice->setVisible(false);
    ::ui::EditBox* edit = nullptr;
    ::ui::RadioContainer* levels = nullptr;
    if (theFactory->getComponent("editname", &edit, this, true))
        edit->setText("");
    if (theFactory->getComponent("radiocontainer", &levels, this, true))
        levels->set(Saves::NORMAL);
    // The name field is empty again, and so the play button cannot add a nameless player.
    if (::ui::Component* play = getDescendant("button_play"))
        play->setEnabled(false);
}

void CreateMenu::updateFocused() {
    Menu::updateFocused();
    if (isFocused())
        if (::ui::Component* edit = getDescendant("editname"))
            getUI()->setFocusedComponent(edit);
}

} // namespace kel::ui
