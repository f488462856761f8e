#include "ui/ProtoMenu.h"

#include "host/input/Event.h"

namespace kel::ui {

ProtoMenu::ProtoMenu(View* view)
    : Progresser(view),
      autoRepeater(std::make_unique<::ui::AutoRepeater<std::string>>(view, this)) {
    // The double-click window.
    Progresser::setInterval(0.4f);
}

ProtoMenu::~ProtoMenu() = default;

void ProtoMenu::term() {
    autoRepeater->unregisterSelf();
}

void ProtoMenu::addItem(const std::string& name, const std::string& text) {
    items.emplace_back(name, text);
    cursorPosition(calcCursorYPosition());
    cursorHeight(calcCursorHeight());
    itemsContainerPosition(calcItemsContainerYPosition());
}

void ProtoMenu::setItem(int index, const std::string& name, const std::string& text) {
    if (index >= 0 && index < getItemCount())
        items[index] = {name, text};
}

void ProtoMenu::removeAllItems() {
    current = 0;
    items.clear();
    cursorPosition(calcCursorYPosition());
}

std::string ProtoMenu::getCurrentItemName() const {
    return current < getItemCount() ? items[current].first : std::string();
}

void ProtoMenu::moveTo(int index) {
    current = index;
    change(current);
    cursorPosition(calcCursorYPosition());
}

void ProtoMenu::processPageUp() {
    moveTo(0);
}

void ProtoMenu::processPageDown() {
    if (!items.empty())
        moveTo(getItemCount() - 1);
}

void ProtoMenu::processUp() {
    if (current > 0)
        moveTo(current - 1);
}

void ProtoMenu::processDown() {
    if (current < getItemCount() - 1)
        moveTo(current + 1);
}

float ProtoMenu::calcItemsContainerHeight() const {
    const int n = getItemCount();
    return n * itemHeight + (n - 1) * interval;
}

float ProtoMenu::calcItemsContainerYPosition() const {
    return (menuHeight - calcItemsContainerHeight()) / 2;
}

float ProtoMenu::calcItemYPosition(int index) const {
    return calcItemsContainerYPosition() + index * (itemHeight + interval);
}

float ProtoMenu::calcCursorYPosition() const {
    return calcItemYPosition(current);
}

float ProtoMenu::calcCursorHeight() const {
    return itemHeight + interval;
}

float ProtoMenu::calcItemsContainerXPosition(float outer, float inner) {
    return (outer - inner) / 2;
}

int ProtoMenu::calcItemByPoint(float x, float y) {
    const float top = calcItemsContainerYPosition();
    if (x < menuXPosition || x > menuXPosition + menuWidth || y < top ||
        y > top + calcItemsContainerHeight())
        return -1;
    const float pitch = itemHeight + interval;
    const float d = y - top;
    const int index = static_cast<int>(d / pitch);
    const float itemTop = index * pitch;
    if (itemTop < d && d < itemTop + itemHeight && index < getItemCount())
        moveTo(index);
    return -1;
}

void ProtoMenu::processInputEvent(const counting_ptr<::input::Event>& event) {
    auto* button = event.as<::input::events::Button>();
    if (!button)
        return;
    const ::input::DeviceState* state = event->getState();
    const std::string name = state ? state->getName() : std::string();
    if (name == "Down" || name == "Up")
        autoRepeater->setKey(button->isPressed(), name);
    if (button->isPressed())
        processKey(name);
}

void ProtoMenu::processAutoRepeation(std::string keyName) {
    processKey(keyName);
}

void ProtoMenu::stopAutoRepeat() {
    autoRepeater->setKey(false, autoRepeater->getValue());
}

void ProtoMenu::end() {
    clickPending = false;
}

void ProtoMenu::processKey(const std::string& keyName) {
    if (keyName == "PgUp" || keyName == "Home" || keyName == "NumpadSeven") {
        processPageUp();
    } else if (keyName == "PgDown" || keyName == "End" || keyName == "NumpadOne") {
        processPageDown();
    } else if (keyName == "Up") {
        processUp();
    } else if (keyName == "Down") {
        processDown();
    } else if (keyName == "Return") {
        if (!items.empty())
            select(current, items[current].first);
        setControl(false);
    } else if (keyName == "Escape" || keyName == "RightClick") {
        cancel();
    } else if (keyName == "LeftClick") {
        if (!clickPending) {
            clickPending = true;
            reset();
            start();
        } else if (!items.empty()) {
            select(current, items[current].first);
        }
    }
}

void ProtoMenu::change(int) {}
void ProtoMenu::select(int, const std::string&) {}
void ProtoMenu::cancel() {}
void ProtoMenu::cursorPosition(float) {}
void ProtoMenu::cursorHeight(float) {}
void ProtoMenu::itemsContainerPosition(float) {}

} // namespace kel::ui
