#include "host/ui/BothTextSprite.h"
#include "host/config/Block.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/Sprite.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

namespace ui {

BothTextSprite::BothTextSprite(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height), sprite(std::make_unique<Sprite>(getUI())) {
    setFont(fontName);
}

BothTextSprite::~BothTextSprite() = default;

void BothTextSprite::setText(const std::string& newText) {
    text = newText;
    repaint();
}

void BothTextSprite::setFont(const std::string& name) {
    fontName = name;
    font = getUI() ? getUI()->getFont(name) : nullptr;
    repaint();
}

void BothTextSprite::setColor(const config::Color& newColor) {
    color = newColor;
    colored = true;
    repaint();
}

float BothTextSprite::getTextWidth() const {
    return font ? font->getTextWidth(text) : 0.0f;
}

void BothTextSprite::setImage(const std::string& imageName) {
    sprite->setImage(imageName);
    repaint();
}

void BothTextSprite::readConfig(config::Block* block) {
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
    if (LayoutOptions::readValue(block, "image", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "image"));
        setImage(value);
        if (!block->hasProperty("size"))
            setSize(sprite->getImageWidth(), sprite->getImageHeight());
    }
    Component::readConfig(block);
}

void BothTextSprite::paint(Canvas& canvas) const {
    sprite->paint(canvas, {getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()});
    if (!font)
        return;
    const auto lines = TextLayout::lines(text);
    const float top = getAbsoluteY() +
                      (getHeight() - font->getLineHeight() * static_cast<float>(lines.size())) / 2;
    const config::Color ink = !getEnabled() ? Palette::textDisabled
                              : colored     ? color
                                            : Palette::textFor(fontName);
    TextLayout::paint(canvas, *font, lines, getAbsoluteX(), top, getWidth(), align, ink);
}

} // namespace ui
