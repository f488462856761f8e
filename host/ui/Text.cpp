#include "host/ui/Text.h"
#include "host/config/Block.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

namespace ui {

Text::Text(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setFont(fontName);
}

void Text::setText(const std::string& newText) {
    if (newText == text)
        return;
    text = newText;
    repaint();
}

void Text::setFont(const std::string& name) {
    fontName = name;
    font = getUI() ? getUI()->getFont(name) : nullptr;
    repaint();
}

void Text::setAlign(int newAlign) {
    align = newAlign;
    repaint();
}

void Text::setColor(const config::Color& newColor) {
    color = newColor;
    colored = true;
    repaint();
}

config::Color Text::getColor() const {
    return colored ? color : Palette::textFor(fontName);
}

float Text::getTextWidth() const {
    return font ? font->getTextWidth(text) : 0.0f;
}

float Text::getTextHeight() const {
    return font && !text.empty() ? font->getHeight(text) : 0.0f;
}

void Text::readTextOptions(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    if (LayoutOptions::readText(block, "text", &value))
        setText(value);
    int choice = 0;
    if (LayoutOptions::readChoice(block, "align", LayoutOptions::alignNames(), &choice))
        setAlign(choice);
    config::Color configured;
    if (LayoutOptions::readColor(block, "color", &configured))
        setColor(configured);
}

void Text::readConfig(config::Block* block) {
    readTextOptions(block);
    Component::readConfig(block);
}

void Text::paintLines(Canvas& canvas, float top) const {
    if (!font)
        return;
    const config::Color ink = getEnabled() ? getColor() : Palette::textDisabled;
    TextLayout::paint(canvas, *font, TextLayout::lines(text), getAbsoluteX(), top, getWidth(),
                      align, ink);
}

void Text::paint(Canvas& canvas) const {
    paintLines(canvas, getAbsoluteY());
}

} // namespace ui
