#include "host/ui/RadioButton.h"
#include "host/config/Block.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Palette.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/TextLayout.h"

#include <algorithm>

namespace ui {

RadioButton::RadioButton(UI* ui, float x, float y, float width, float height)
    : TextButton(ui, x, y, width, height) {}

void RadioButton::setSelected(bool on) {
    selected = on;
    repaint();
}

const std::string& RadioButton::getValue() const {
    return value.empty() ? getName() : value;
}

void RadioButton::onClick() {
    if (auto* group = dynamic_cast<RadioContainer*>(getMaster()))
        group->set(getName());
    else
        setSelected(true);
    if (!getNotify())
        return;
    NotifyEvent event(this);
    event.setSValue("action", "job");
    event.setSValue("value", getValue());
    notify(event);
}

void RadioButton::readConfig(config::Block* block) {
    LayoutOptions::readText(block, "value", &value);
    TextButton::readConfig(block);
}

void RadioButton::paint(Canvas& canvas) const {
    const float side = std::min(getHeight(), 20.0f);
    const Canvas::Rect dot{getAbsoluteX(), getAbsoluteY() + (getHeight() - side) / 2, side, side};
    canvas.fillRect(dot, Palette::field, side / 2);
    canvas.strokeRect(dot, getFlyby() && getEnabled() ? Palette::frameLight : Palette::frame, 1,
                      side / 2);
    if (selected) {
        const float inset = side * 0.28f;
        canvas.fillRect({dot.x + inset, dot.y + inset, side - 2 * inset, side - 2 * inset},
                        getEnabled() ? Palette::thumb : Palette::textDisabled,
                        (side - 2 * inset) / 2);
    }
    if (!getFont())
        return;
    const float top = getAbsoluteY() + (getHeight() - getFont()->getLineHeight()) / 2;
    TextLayout::paint(canvas, *getFont(), TextLayout::lines(getText()), dot.x + side + 6, top,
                      getWidth() - side - 6, TextLayout::Left,
                      getEnabled() ? getColor() : Palette::textDisabled);
}

} // namespace ui
