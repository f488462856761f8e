#include "host/ui/MultiTextComponent.h"
#include "host/config/Block.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Text.h"
#include "host/ui/UI.h"

namespace ui {

MultiTextComponent::MultiTextComponent(UI* ui, float x, float y, float width, float height,
                                       float spacing)
    : Container(ui ? ui : theUI, x, y, width, height), spacing(spacing) {}

Text* MultiTextComponent::getLine(const std::string& key) const {
    return dynamic_cast<Text*>(getComponent(key));
}

int MultiTextComponent::getLineCount() const {
    int count = 0;
    for (Component* child : getChildren())
        count += dynamic_cast<Text*>(child) != nullptr;
    return count;
}

void MultiTextComponent::addText(const std::string& key, const std::string& text) {
    if (setText(key, text))
        return;
    auto* line = new Text(getUI());
    line->setName(key);
    line->setFont(fontName);
    line->setAlign(align);
    line->setText(text);
    addComponent(line);
    line->setVisible(true);
    arrange();
}

bool MultiTextComponent::setText(const std::string& key, const std::string& text) {
    Text* line = getLine(key);
    if (!line)
        return false;
    line->setText(text);
    return true;
}

std::string MultiTextComponent::getText(const std::string& key) const {
    const Text* line = getLine(key);
    return line ? line->getText() : std::string();
}

void MultiTextComponent::setAlign(int newAlign) {
    align = newAlign;
    for (Component* child : getChildren())
        if (auto* line = dynamic_cast<Text*>(child))
            line->setAlign(align);
}

void MultiTextComponent::setFont(const std::string& name) {
    fontName = name;
    for (Component* child : getChildren())
        if (auto* line = dynamic_cast<Text*>(child))
            line->setFont(fontName);
    arrange();
}

void MultiTextComponent::setSpacing(float newSpacing) {
    spacing = newSpacing;
    arrange();
}

void MultiTextComponent::arrange() {
    float y = 0;
    for (Component* child : getChildren()) {
        auto* line = dynamic_cast<Text*>(child);
        if (!line)
            continue;
        const float height = line->getFont() ? line->getFont()->getLineHeight() : 0.0f;
        line->setPosition(0, y);
        line->setSize(getWidth(), height);
        y += height * spacing;
    }
}

void MultiTextComponent::updateSize() {
    Container::updateSize();
    arrange();
}

void MultiTextComponent::readConfig(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    int choice = 0;
    if (LayoutOptions::readChoice(block, "align", LayoutOptions::alignNames(), &choice))
        setAlign(choice);
    float number = 0;
    if (LayoutOptions::readNumber(block, "spacing", config::Range::atLeast(0), &number))
        setSpacing(number);
    config::Block* lines = nullptr;
    if (block->getPropertyAccess("lines", &lines)) {
        config::BlockEntry<config::Block::List*>* entry = nullptr;
        for (lines->getProperties(&entry); entry; entry = entry->getNext()) {
            std::string text;
            LayoutOptions::readText(lines, entry->getName(), &text);
            addText(entry->getName(), text);
        }
    }
    Container::readConfig(block);
}

} // namespace ui
