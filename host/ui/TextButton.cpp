#include "host/ui/TextButton.h"
#include "host/config/Block.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

namespace ui {

TextButton::TextButton(UI* ui, float x, float y, float width, float height)
    : Button(ui, x, y, width, height) {
    setFont(fontName);
}

void TextButton::setText(const std::string& newText) {
    text = newText;
    repaint();
}

void TextButton::setFont(const std::string& name) {
    fontName = name;
    font = getUI() ? getUI()->getFont(name) : nullptr;
    repaint();
}

void TextButton::setColor(const config::Color& newColor) {
    color = newColor;
    colored = true;
    repaint();
}

config::Color TextButton::getColor() const {
    return colored ? color : Palette::textFor(fontName);
}

float TextButton::getTextWidth() const {
    return font ? font->getTextWidth(text) : 0.0f;
}

void TextButton::readCaption(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    if (LayoutOptions::readText(block, "text", &value))
        setText(value);
    config::Color configured;
    if (LayoutOptions::readColor(block, "color", &configured))
        setColor(configured);
}

void TextButton::readConfig(config::Block* block) {
    readCaption(block);
    Button::readConfig(block);
}

void TextButton::paintCaption(Canvas& canvas) const {
    if (!font)
        return;
    const auto lines = TextLayout::lines(text);
    const float top = getAbsoluteY() +
                      (getHeight() - font->getLineHeight() * static_cast<float>(lines.size())) / 2;
    const config::Color ink = getEnabled() ? getColor() : Palette::textDisabled;
    TextLayout::paint(canvas, *font, lines, getAbsoluteX(), top, getWidth(), TextLayout::Centre,
                      ink);
}

void TextButton::paint(Canvas& canvas) const {
    paintFace(canvas);
    paintCaption(canvas);
}

} // namespace ui
