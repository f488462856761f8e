#include "ui/Menu.h"

#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"
#include "host/ui/UniversalButton.h"

namespace kel::ui {

Menu::Menu()
    : Container(::ui::theUI, 0, 0, ::ui::theUI->getScreenWidth(), ::ui::theUI->getScreenHeight()) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
    // Until the layout gives the menu a size of its own it follows the screen's.
    setFullscreen(true);
}

void Menu::sendAction(const std::string& action) {
    ::ui::NotifyEvent event(this);
    event.setSValue("action", action);
    notify(event);
}

void Menu::processInputEvent(const counting_ptr<::input::Event>& event) {
    Container::processInputEvent(event);
    processMenuKeys(event);
}

void Menu::processMenuKeys(counting_ptr<::input::Event> event) {
    auto* button = event.as<::input::events::Button>();
    if (!button || !button->isPressed())
        return;
    const int code = button->getState()->getCode();
    const bool mouse = button->getDevice() == ::input::devices::PCMouse::instance();
    if (code == ::input::keys::Escape || (mouse && code == ::input::mouse::RightClick))
        sendAction("cancel");
    if ((code == ::input::keys::Return || code == ::input::keys::NumpadEnter) &&
        enterCatchingComponentAbsent())
        sendAction("ok");
}

bool Menu::enterCatchingComponentAbsent() {
    return dynamic_cast<::ui::UniversalButton*>(getUI()->getFocusedComponent()) == nullptr;
}

void Menu::notify(::ui::NotifyEvent& event) {
    Component::notify(event);
    std::string action;
    int value = 0;
    event.getProperty("action", &action);
    event.getProperty("value", &value);
    if (action == "mouseclick" && value == ::input::mouse::RightClick)
        sendAction("cancel");
}

} // namespace kel::ui
