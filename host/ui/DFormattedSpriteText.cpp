#include "host/ui/DFormattedSpriteText.h"
#include "host/config/Block.h"
#include "host/engine/Timer.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

DFormattedSpriteText::DFormattedSpriteText(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setFont(fontName);
}

void DFormattedSpriteText::setText(const std::string& newText, float newTiming) {
    text = newText;
    timing = newTiming;
    typingStart = theTimer->getTime();
    revealed = 0;
    applyLayout();
    repaint();
}

std::string DFormattedSpriteText::getVisibleText() const {
    return isTyping() ? TextLayout::prefix(text, revealed) : text;
}

bool DFormattedSpriteText::isTyping() const {
    return timing > 0 && revealed < TextLayout::length(text);
}

void DFormattedSpriteText::finishTyping() {
    revealed = TextLayout::length(text);
    repaint();
}

void DFormattedSpriteText::initView() {
    thread::OptionalLock hold(getUI());
    if (!isTyping())
        return;
    const double elapsed = theTimer->getTime() - typingStart;
    const auto steps = static_cast<size_t>(std::floor(elapsed / timing + 1e-9));
    revealed = std::min(TextLayout::length(text), steps);
    repaint();
}

void DFormattedSpriteText::setFont(const std::string& name) {
    fontName = name;
    font = getUI() ? getUI()->getFont(name) : nullptr;
    applyLayout();
    repaint();
}

void DFormattedSpriteText::setAlign(int newAlign) {
    align = newAlign;
    repaint();
}

void DFormattedSpriteText::setFit(int mode) {
    fit = mode;
    applyLayout();
    repaint();
}

void DFormattedSpriteText::setCenter(int mode) {
    center = mode;
    applyLayout();
    repaint();
}

void DFormattedSpriteText::setInterline(float gap) {
    interline = gap;
    applyLayout();
    repaint();
}

void DFormattedSpriteText::setColor(const config::Color& newColor) {
    color = newColor;
    colored = true;
    repaint();
}

float DFormattedSpriteText::getLineHeight() const {
    return (font ? font->getLineHeight() : 0.0f) + interline;
}

float DFormattedSpriteText::calcHeight(const std::string& someText, float width) const {
    if (!font)
        return 0.0f;
    const auto count = static_cast<float>(TextLayout::wrap(*font, someText, width).size());
    return count > 0 ? count * font->getLineHeight() + (count - 1) * interline : 0.0f;
}

float DFormattedSpriteText::getMinimumTextWidth(const std::string& someText) const {
    return font ? TextLayout::widestWord(*font, someText) : 0.0f;
}

std::vector<std::string> DFormattedSpriteText::getLines() const {
    if (!font)
        return {};
    if (fit == FitText)
        return TextLayout::lines(text);
    return TextLayout::wrap(*font, text, getWidth());
}

void DFormattedSpriteText::applyLayout() {
    if (!font)
        return;
    const float outerWidth = getOuterWidth();
    if (fit == FitMasterWidth)
        setSize(outerWidth, calcHeight(text, outerWidth));
    else if (fit == FitHeight)
        setSize(getWidth(), calcHeight(text, getWidth()));
    else if (fit == FitText)
        setSize(font->getTextWidth(text), calcHeight(text, std::numeric_limits<float>::infinity()));
    if (center == CenterHorizontal || center == CenterBoth)
        centerHorizontal();
    if (center == CenterVertical || center == CenterBoth)
        centerVertical();
}

void DFormattedSpriteText::updateShowed() {
    if (isShowed())
        applyLayout();
    Component::updateShowed();
}

void DFormattedSpriteText::updateResolution() {
    Component::updateResolution();
    applyLayout();
}

void DFormattedSpriteText::readConfig(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    float number = 0;
    if (LayoutOptions::readNumber(block, "interline", config::Range::atLeast(0), &number))
        setInterline(number);
    if (LayoutOptions::readNumber(block, "timing", config::Range::atLeast(0), &number))
        timing = number;
    int choice = 0;
    if (LayoutOptions::readChoice(block, "align", LayoutOptions::alignNames(), &choice))
        setAlign(choice);
    // The size comes before fitting and centring, which depend on it.
    float size[2];
    if (LayoutOptions::readNumbers(block, "size", 2, size, config::Range::atLeast(0)))
        setSize(size[0], size[1]);
    if (LayoutOptions::readChoice(block, "fit", {"none", "master", "height", "text"}, &choice))
        fit = choice;
    if (LayoutOptions::readChoice(block, "center", {"none", "horizontal", "both", "vertical"},
                                  &choice))
        center = choice;
    config::Color configured;
    if (LayoutOptions::readColor(block, "color", &configured))
        setColor(configured);
    if (LayoutOptions::readText(block, "text", &value))
        setText(value, timing);
    Component::readConfig(block);
    applyLayout();
}

void DFormattedSpriteText::paint(Canvas& canvas) const {
    if (!font)
        return;
    // Lines are broken as for the whole text, so words do not jump lines while typing.
    std::vector<std::string> lines = getLines();
    if (isTyping()) {
        size_t left = revealed;
        for (std::string& line : lines) {
            const size_t length = TextLayout::length(line);
            line = TextLayout::prefix(line, left);
            left -= std::min(left, length);
        }
    }
    TextLayout::paint(canvas, *font, lines, getAbsoluteX(), getAbsoluteY(), getWidth(), align,
                      getEnabled() ? (colored ? color : Palette::textFor(fontName))
                                   : Palette::textDisabled,
                      getLineHeight() / font->getLineHeight());
}

} // namespace ui
