#include "host/ui/TextComponent.h"
#include "host/config/Block.h"
#include "host/ui/Canvas.h"
#include "host/ui/LayoutOptions.h"

namespace ui {

TextComponent::TextComponent(UI* ui, float x, float y, float width, float height)
    : Text(ui, x, y, width, height) {}

void TextComponent::readConfig(config::Block* block) {
    LayoutOptions::readColor(block, "background", &background);
    Text::readConfig(block);
}

void TextComponent::paint(Canvas& canvas) const {
    if (background.a > 0)
        canvas.fillRect({getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()}, background, 3);
    paintLines(canvas, getAbsoluteY() + (getHeight() - getTextHeight()) / 2);
}

} // namespace ui
