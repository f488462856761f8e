#include "ui/GameMenu.h"
#include "ui/KELFactory.h"
#include "ui/Saves.h"

#include "host/ui/BothTextSprite.h"
#include "host/ui/ListBox.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/RadioContainer.h"

#include <list>

namespace kel::ui {

void GameMenu::setChildVisible(const char* name, bool visible) {
    if (::ui::Component* child = getDescendant(name))
        child->setVisible(visible);
}

void GameMenu::notify(::ui::NotifyEvent& event) {
    Menu::notify(event);
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    const bool players = theSaves.getUserCount() > 0;
    if (name == "button_create" && action == "job") {
        sendAction("create");
    } else if (name == "button_delete" && action == "job") {
        if (players)
            setChildVisible("suretodelete", true);
    } else if (name == "trivial" || name == "easy" || name == "normal") {
        if (players && levelRadio)
            theSaves.setLevel(Saves::levelFromText(levelRadio->get()));
    } else if (name == "list" && action == "selchanged") {
        if (players && userList) {
            const std::string selected = userList->getSelectedString();
            theSaves.setCurrentUser(selected);
            if (currentPlayerText)
                currentPlayerText->setText(theSaves.getCurrentUser());
            if (levelRadio)
                levelRadio->set(Saves::textFromLevel(theSaves.getUserLevel(selected)));
        }
    } else if (name == "button_ok" && action == "job") {
        sendAction("ok");
    } else if ((name == "suretodelete" && action == "ok") ||
               (name == "suretodelete_button_ok" && action == "job")) {
        deleteUser();
    } else if ((name == "suretodelete" && action == "cancel") ||
               (name == "suretodelete_button_cancel" && action == "job")) {
        setChildVisible("suretodelete", false);
    }
}

void GameMenu::updateShowed() {
    Menu::updateShowed();
    if (!isShowed()) {
        theSaves.save();
        return;
    }
    // A question left open when the menu went must not greet the player next time.
    setChildVisible("suretodelete", false);
    theFactory->getComponent("list", &userList, this, true);
    theFactory->getComponent("currentplayervalue", &currentPlayerText, this, true);
    theFactory->getComponent("radiocontainer", &levelRadio, this, true);
    if (userList) {
        userList->resetContent();
        std::list<UserInfo> users;
        theSaves.getUserList(users);
        for (const UserInfo& user : users)
            userList->addString(user.name);
    }
    updateControls();
}

void GameMenu::updateControls() {
    if (theSaves.getUserCount() > 0) {
        if (userList)
            userList->selectString(theSaves.getCurrentUser());
        if (levelRadio)
            levelRadio->set(Saves::textFromLevel(theSaves.getLevel()));
        if (currentPlayerText)
            currentPlayerText->setText(theSaves.getCurrentUser());
    } else if (currentPlayerText) {
        currentPlayerText->setText("No game");
    }
}

void GameMenu::deleteUser() {
    if (userList) {
        const std::string name = userList->getSelectedString();
        theSaves.removeUser(name);
        userList->removeString(name);
    }
    updateControls();
    setChildVisible("suretodelete", false);
}

} // namespace kel::ui
