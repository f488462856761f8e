#include "ui/RedefineMenu.h"
#include "ui/ModuleLog.h"
#include "ui/RedefineEdit.h"

#include "host/config/Block.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"
#include "host/kelinput/RedefineControls.h"
#include "host/profile/Profile.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/MousePointer.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Text.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace kel::ui {

namespace {

// The rows are as tall as a line of the title font; the columns write in the body font, one
// line per row.
const char* const kRowFont = "efirst_blue";
const char* const kColumnFont = "first_blue";

// The mouse axis an axis control without a binding takes.
std::string defaultAxis(const std::string& control) {
    if (control == "rotateyawaxis" || control == "movehaxis+" || control == "movehaxis-")
        return "MouseX";
    if (control == "rotatepitchaxis" || control == "movevaxis+" || control == "movevaxis-")
        return "MouseY";
    return std::string();
}

std::set<std::string> keySet(const std::list<std::string>& keys) {
    return std::set<std::string>(keys.begin(), keys.end());
}

::ui::MultiTextComponent* column(::ui::UI* ui, float x, float y, float width, float height) {
    auto* made = new ::ui::MultiTextComponent(ui, x, y, width, height, 1.0f);
    made->setFont(kColumnFont);
    return made;
}

} // namespace

RedefineMenu::RedefineMenu(::ui::UI* owner)
    : Menu(), ProtoMenu((owner ? owner : ::ui::theUI)->getView()) {
    ::ui::UI* ui = owner ? owner : ::ui::theUI;
    const float rowHeight = ui->getFontManager()->getSpriteFont(kRowFont)->getLineHeight();
    setMenuXPosition(80);
    setMenuWidth(520);
    setItemHeight(rowHeight);
    setMenuHeight(480);
    setInterval(1.0f);

    namesColumn = column(ui, 80, 170, 240, 300);
    keysColumn = column(ui, 360, 150, 200, 300);
    keysColumn->setAlign(1);
    for (::ui::MultiTextComponent* c : {namesColumn, keysColumn}) {
        // One line a row: the column's lines keep the rows' pitch whatever its font.
        const ::ui::Font* font = ui->getFontManager()->getFont(kColumnFont);
        c->setSpacing(calcCursorHeight() / font->getLineHeight());
        c->setVisible(true);
        addComponent(c);
    }
    translators.push_back(theKelInput->getDeviceToCamera()->getRedefineControls());
    translators.push_back(theKelInput->getDeviceToCS()->getRedefineControls());
}

void RedefineMenu::readConfig(config::Block* block) {
    Menu::readConfig(block);
    float band[2] = {bandTop, bandHeight};
    if (::ui::LayoutOptions::readNumbers(block, "listarea", 2, band, config::Range::atLeast(0))) {
        bandTop = band[0];
        bandHeight = band[1];
    }
    if (::ui::Component* cursor = getComponent("cursor"))
        cursor->toBack();
    entering = dynamic_cast<RedefineEdit*>(getComponent("entering"));
    if (!entering)
        reportError(getLayoutFile(), getLayoutLine(), 0,
                    "the key bindings page '" + getName() +
                        "' has no 'entering' of class redefineedit: no key can be bound");
    getData();
}

void RedefineMenu::term() {
    ProtoMenu::term();
    Progresser::stop();
    Progresser::unregisterSelf();
    Menu::term();
}

void RedefineMenu::clean() {
    Menu::clean();
    stopAutoRepeat();
}

void RedefineMenu::updateShowed() {
    Menu::updateShowed();
    if (isShowed()) {
        getData();
        changed = false;
        return;
    }
    stopAutoRepeat();
    if (changed) {
        theKelInput->save();
        theProfile->save();
    }
}

void RedefineMenu::getData() {
    events.clear();
    for (kelinput::RedefineControls* translator : translators) {
        std::vector<std::string> names;
        translator->enumerateEventsNames(names);
        for (const std::string& name : names) {
            EventData data;
            translator->getEventData(name, data.keys);
            data.sweetName = translator->getEventSweetName(name);
            data.isAxis = translator->eventIsAxis(name);
            events[name] = data;
        }
    }
    addItems();
}

void RedefineMenu::addItems() {
    namesColumn->deleteAllComponents();
    keysColumn->deleteAllComponents();
    removeAllItems();
    for (const auto& [name, data] : events) {
        addItem(name, data.sweetName);
        namesColumn->addText(name, data.sweetName);
        keysColumn->addText(name, getEventString(name));
    }
    placeRows();
}

std::string RedefineMenu::getEventString(const std::string& name) const {
    const auto found = events.find(name);
    if (found == events.end())
        return std::string();
    std::string text;
    for (const Binding& binding : found->second.keys) {
        if (!text.empty())
            text += ',';
        bool first = true;
        for (const std::string& key : binding) {
            text += (first ? "" : "+") + key;
            first = false;
        }
    }
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void RedefineMenu::setPhase(Phase newPhase) {
    if (newPhase == phase)
        return;
    phase = newPhase;
    if (entering && phase == Browsing)
        entering->setVisible(false);
    else if (entering && phase == WaitingForKey)
        entering->setVisible(true);
    repaint();
}

void RedefineMenu::select(int, const std::string& name) {
    if (phase != Browsing)
        return;
    replaceMode = getControled() ? 1 : 0;
    editedEvent = name;
    std::string axis;
    const auto found = events.find(name);
    if (found != events.end() && found->second.isAxis && !found->second.keys.empty() &&
        !found->second.keys.front().empty())
        axis = found->second.keys.front().back();
    if (axis.empty())
        axis = defaultAxis(name);
    if (entering)
        entering->setAxis(axis);
    setPhase(WaitingForKey);
}

void RedefineMenu::cancel() {}

void RedefineMenu::setKeys(std::list<std::string>& keys) {
    const std::set<std::string> wanted = keySet(keys);
    std::vector<std::string> touched;
    // The combination leaves the first binding of each control that has it.
    for (auto& [name, data] : events)
        for (auto binding = data.keys.begin(); binding != data.keys.end(); ++binding)
            if (keySet(*binding) == wanted) {
                data.keys.erase(binding);
                touched.push_back(name);
                break;
            }
    EventData& edited = events[editedEvent];
    if (replaceMode == 0)
        edited.keys.clear();
    edited.keys.push_back(keys);
    if (std::find(touched.begin(), touched.end(), editedEvent) == touched.end())
        touched.push_back(editedEvent);
    for (const std::string& name : touched)
        writeBack(name);
    changed = true;
}

void RedefineMenu::writeBack(const std::string& name) {
    const Bindings& keys = events[name].keys;
    for (kelinput::RedefineControls* translator : translators)
        translator->setEventData(name, keys);
    keysColumn->setText(name, getEventString(name));
}

void RedefineMenu::notify(::ui::NotifyEvent& event) {
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    if (name == getName()) {
        // Return chooses in the list; Escape during a capture ends only the capture.
        if (action == "ok")
            return;
        if (action == "cancel" && (phase != Browsing || inputDuringCapture))
            return;
    }
    Menu::notify(event);
}

void RedefineMenu::processInputEvent(const counting_ptr<::input::Event>& event) {
    // The children that take this event are those shown when it came: "entering", which the
    // key choosing a row shows, must not capture that key.
    const std::vector<::ui::Component*> arrivedTo = shownChildren();
    inputDuringCapture = phase != Browsing;
    ProtoMenu::processInputEvent(event);
    deliver(event, arrivedTo);
    Component::processInputEvent(event);
    processMenuKeys(event);

    auto* button = event.as<::input::events::Button>();
    if (button && button->isPressed()) {
        const int code = button->getState()->getCode();
        const bool mouse = button->getDevice() == ::input::devices::PCMouse::instance();
        if (mouse && code == ::input::mouse::LeftClick) {
            const ::ui::MousePointer* pointer = getUI()->getMousePointer();
            const float y = pointer->getY() - getAbsoluteY();
            if (y >= bandTop && y <= bandTop + bandHeight)
                calcItemByPoint(pointer->getX() - getAbsoluteX(), y - scroll);
        }
        if (code == ::input::keys::Delete && !getCurrentItemName().empty()) {
            const std::string control = getCurrentItemName();
            events[control].keys.clear();
            writeBack(control);
            changed = true;
        }
    }
    inputDuringCapture = false;
}

void RedefineMenu::cursorPosition(float) {
    placeRows();
}

void RedefineMenu::cursorHeight(float height) {
    if (::ui::Component* cursor = getComponent("cursor"))
        cursor->setSize(cursor->getWidth(), height);
}

void RedefineMenu::itemsContainerPosition(float) {
    placeRows();
}

void RedefineMenu::placeRows() {
    const float top = bandTop, bottom = bandTop + bandHeight;
    const float row = calcCursorHeight();
    // Every row with the gap below it, as the cursor covers it.
    const float listY = calcItemsContainerYPosition(), span = getItemCount() * row;
    const float cursorY = calcCursorYPosition();
    if (span <= bandHeight) {
        // The whole list in the band, as near its own place as the band allows.
        scroll = std::max(top - listY, std::min(0.0f, bottom - listY - span));
    } else {
        // The band full of rows, the current one inside it; otherwise the rows stay put.
        const float low = std::max(bottom - listY - span, top - cursorY);
        const float high = std::min(top - listY, bottom - row - cursorY);
        scroll = std::max(low, std::min(scroll, high));
    }
    if (::ui::Component* cursor = getComponent("cursor"))
        cursor->setPosition(cursor->getXPosition(), cursorY + scroll);
    for (::ui::MultiTextComponent* c : {namesColumn, keysColumn})
        c->setPosition(c->getXPosition(), listY + scroll);
    int index = 0;
    for (const auto& entry : events) {
        const float y = listY + scroll + index++ * row;
        const bool inside = y >= top - 0.5f && y + row <= bottom + 0.5f;
        for (::ui::MultiTextComponent* c : {namesColumn, keysColumn})
            if (::ui::Text* line = c->getLine(entry.first))
                line->setVisible(inside);
    }
}

} // namespace kel::ui
