#include "host/ui/RadioContainer.h"
#include "host/config/Block.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/RadioButton.h"
#include "host/ui/UI.h"

namespace ui {

RadioContainer::RadioContainer(UI* ui, float x, float y, float width, float height)
    : Container(ui ? ui : theUI, x, y, width, height) {}

RadioButton* RadioContainer::getRadio(const std::string& radioName) const {
    return dynamic_cast<RadioButton*>(getComponent(radioName));
}

RadioButton* RadioContainer::chosen() const {
    for (Component* child : getChildren())
        if (auto* radio = dynamic_cast<RadioButton*>(child); radio && radio->isSelected())
            return radio;
    return nullptr;
}

std::string RadioContainer::get() const {
    const RadioButton* radio = chosen();
    return radio ? radio->getName() : std::string();
}

std::string RadioContainer::getValue() const {
    const RadioButton* radio = chosen();
    return radio ? radio->getValue() : std::string();
}

bool RadioContainer::set(const std::string& radioName) {
    RadioButton* wanted = getRadio(radioName);
    if (!wanted)
        return false;
    for (Component* child : getChildren())
        if (auto* radio = dynamic_cast<RadioButton*>(child))
            radio->setSelected(radio == wanted);
    return true;
}

bool RadioContainer::setValue(const std::string& text) {
    for (Component* child : getChildren())
        if (auto* radio = dynamic_cast<RadioButton*>(child); radio && radio->getValue() == text)
            return set(radio->getName());
    return false;
}

void RadioContainer::readConfig(config::Block* block) {
    // The radios must exist before one can be chosen, and the choice before the group shows.
    Component::readConfig(block);
    buildChildren(block);
    std::string value;
    if (LayoutOptions::readValue(block, "value", &value) && !set(value))
        LayoutOptions::report(block, "value", "no radio named '" + value + "' in the group");
    bool on = false;
    if (LayoutOptions::readBool(block, "visible", &on))
        setVisible(on);
}

} // namespace ui
