#include "ui/RoundMenuContainer.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenu.h"

#include "host/config/Block.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {
RoundMenu* roundMenu(RoundMenuContainer* container, const std::string& name) {
    RoundMenu* menu = nullptr;
    if (theFactory)
        theFactory->getComponent(name, &menu, container, false);
    else
        menu = dynamic_cast<RoundMenu*>(container->getComponent(name));
    return menu;
}
} // namespace

RoundMenuContainer::RoundMenuContainer() : Container(::ui::theUI, 0, 0, 640, 480) {
    setNotify(true);
}

void RoundMenuContainer::readConfig(config::Block* block) {
    Container::readConfig(block);
    std::string firstMenu;
    if (block->getProperty("firstMenu", &firstMenu))
        setCurrentMenu(firstMenu);
}

void RoundMenuContainer::setCurrentMenu(const std::string& name) {
    RoundMenu* current = roundMenu(this, currentMenu);
    // Asking for the menu that is up already must not fly it out for good.
    if (name == currentMenu && current && current->isShowed()) {
        focus(current);
        return;
    }
    if (current)
        current->flyOut();
    currentMenu = name;
    if (name.empty())
        return;
    RoundMenu* next = roundMenu(this, name);
    if (next) {
        next->setVisible(true);
        ::ui::NotifyEvent event(this);
        event.setSValue("action", "currentmenuchanged");
        notify(event);
    }
    focus(next);
}

void RoundMenuContainer::focus(::ui::Component* component) {
    if (::ui::UI* ui = getUI())
        ui->setFocusedComponent(component);
}

void RoundMenuContainer::notify(::ui::NotifyEvent& event) {
    Container::notify(event);
    if (!event.is("action", "changemenu"))
        return;
    std::string menu;
    event.getProperty("menu", &menu);
    setCurrentMenu(menu);
}

void RoundMenuContainer::updateShowed() {
    Container::updateShowed();
    if (!isShowed())
        return;
    mouseLastUsed = false;
    // Only the current ring comes back; one that was still flying out when the screen went
    // stays gone.
    RoundMenu* current = roundMenu(this, currentMenu);
    for (::ui::Component* child : snapshot())
        if (child != current && dynamic_cast<RoundMenu*>(child))
            child->setVisible(false);
    if (current) {
        // Shown first: a hidden ring cannot take the focus.
        current->setVisible(true);
        focus(current);
    }
}

} // namespace kel::ui
