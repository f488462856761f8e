#include "host/ui/SpriteText.h"
#include "host/config/Block.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

namespace ui {

SpriteText::SpriteText(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setFont(fontName);
}

void SpriteText::setText(const std::string& newText) {
    text = newText;
    applyFit();
    repaint();
}

void SpriteText::setFont(const std::string& name) {
    fontName = name;
    font = getUI() ? getUI()->getFont(name) : nullptr;
    applyFit();
    repaint();
}

void SpriteText::setAlign(int newAlign) {
    align = newAlign;
    repaint();
}

void SpriteText::setFit(int mode) {
    fit = mode;
    applyFit();
    repaint();
}

void SpriteText::setColor(const config::Color& newColor) {
    color = newColor;
    colored = true;
    repaint();
}

config::Color SpriteText::getColor() const {
    return colored ? color : Palette::textFor(fontName);
}

float SpriteText::getTextWidth() const {
    return font ? font->getTextWidth(text) : 0.0f;
}

float SpriteText::getTextHeight() const {
    return font && !text.empty() ? font->getHeight(text) : 0.0f;
}

void SpriteText::applyFit() {
    if (fit == FitNone)
        return;
    setSize(getTextWidth(), getTextHeight());
    if (fit == FitText)
        return;
    centerHorizontal();
    if (fit == FitTextCentre)
        centerVertical();
}

void SpriteText::updateShowed() {
    if (isShowed())
        applyFit();
    Component::updateShowed();
}

void SpriteText::updateResolution() {
    Component::updateResolution();
    applyFit();
}

void SpriteText::readConfig(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    if (LayoutOptions::readText(block, "text", &value))
        setText(value);
    int choice = 0;
    if (LayoutOptions::readChoice(block, "align", {"left", "centre", "right"}, &choice))
        setAlign(choice);
    static const LayoutOptions::OptionSet seldom{"fit", "color"};
    if (LayoutOptions::mayHaveAny(block, seldom)) {
        if (LayoutOptions::readChoice(block, "fit", {"none", "text", "horizontal", "both"},
                                      &choice))
            setFit(choice);
        config::Color configured;
        if (LayoutOptions::readColor(block, "color", &configured))
            setColor(configured);
    }
    Component::readConfig(block);
}

void SpriteText::paint(Canvas& canvas) const {
    if (!font)
        return;
    // The sprite font's alignment numbers differ from TextLayout's: centre is 1 here.
    const int layoutAlign = align == AlignCentre  ? TextLayout::Centre
                            : align == AlignRight ? TextLayout::Right
                                                  : TextLayout::Left;
    TextLayout::paint(canvas, *font, TextLayout::lines(text), getAbsoluteX(), getAbsoluteY(),
                      getWidth(), layoutAlign, getEnabled() ? getColor() : Palette::textDisabled);
}

} // namespace ui
