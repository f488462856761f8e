#include "ui/RedefineEdit.h"
#include "ui/RedefineMenu.h"

#include "host/input/Event.h"
#include "host/input/Keys.h"
#include "host/ui/SpriteText.h"
#include "host/ui/UI.h"

#include <cctype>

namespace kel::ui {

namespace {

// A combination holds at most this many keys, then the axis.
constexpr std::size_t kMostKeys = 2;

} // namespace

RedefineEdit::RedefineEdit() : Container(::ui::theUI) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
}

RedefineMenu* RedefineEdit::menu() const {
    return dynamic_cast<RedefineMenu*>(getMaster());
}

void RedefineEdit::showValue() {
    auto* value = dynamic_cast<::ui::SpriteText*>(getComponent("value"));
    if (!value)
        return;
    std::string text;
    for (const std::string& key : keys)
        text += (text.empty() ? "" : "+") + key;
    if (!keys.empty() && !axis.empty())
        text += "+" + axis;
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    value->setText(text);
}

void RedefineEdit::processInputEvent(const counting_ptr<::input::Event>& event) {
    Container::processInputEvent(event);
    RedefineMenu* owner = menu();
    if (!owner || owner->getPhase() == RedefineMenu::Browsing)
        return;
    if (owner->getPhase() == RedefineMenu::WaitingForKey)
        keys.clear();
    auto* button = event.as<::input::events::Button>();
    if (!button)
        return;
    const std::string name = button->getState()->getName();
    if (!button->isPressed()) {
        if (owner->getPhase() != RedefineMenu::Capturing)
            return;
        // The first key up ends the capture with what was pressed.
        std::list<std::string> captured;
        captured.swap(keys);
        showValue();
        owner->setPhase(RedefineMenu::Browsing);
        if (!axis.empty())
            captured.push_back(axis);
        owner->setKeys(captured);
        return;
    }
    if (button->getCode() == ::input::keys::Escape) {
        keys.clear();
        showValue();
        owner->setPhase(RedefineMenu::Browsing);
        return;
    }
    if (name.empty())
        return; // a button without a name cannot be bound
    if (keys.empty())
        owner->setPhase(RedefineMenu::Capturing);
    if (keys.size() < kMostKeys)
        keys.push_back(name);
    showValue();
}

} // namespace kel::ui
