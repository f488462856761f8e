#include "host/ui/CheckBox.h"
#include "host/config/Block.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"

#include <algorithm>

namespace ui {

CheckBox::CheckBox(UI* ui, float x, float y, float width, float height)
    : TextButton(ui, x, y, width, height) {}

void CheckBox::setValue(bool on) {
    value = on;
    repaint();
}

void CheckBox::onClick() {
    setValue(!value);
    if (!getNotify())
        return;
    NotifyEvent event(this);
    event.setSValue("action", "valuechanged");
    event.setBValue("value", value);
    notify(event);
}

void CheckBox::readConfig(config::Block* block) {
    bool on = false;
    if (LayoutOptions::readBool(block, "value", &on))
        setValue(on);
    TextButton::readConfig(block);
}

void CheckBox::paint(Canvas& canvas) const {
    // The box is a square as high as the component, at its left; the text follows it.
    const float side = std::min(getHeight(), 24.0f);
    const Canvas::Rect box{getAbsoluteX(), getAbsoluteY() + (getHeight() - side) / 2, side, side};
    canvas.fillRect(box, Palette::field, 3);
    canvas.strokeRect(box, getFlyby() && getEnabled() ? Palette::frameLight : Palette::frame, 1, 3);
    if (value) {
        const config::Color& ink = getEnabled() ? Palette::tick : Palette::textDisabled;
        canvas.line(box.x + side * 0.22f, box.y + side * 0.55f, box.x + side * 0.42f,
                    box.y + side * 0.75f, ink, 2.5f);
        canvas.line(box.x + side * 0.42f, box.y + side * 0.75f, box.x + side * 0.8f,
                    box.y + side * 0.25f, ink, 2.5f);
    }
    if (!getFont())
        return;
    const config::Color ink = getEnabled() ? getColor() : Palette::textDisabled;
    const float top = getAbsoluteY() + (getHeight() - getFont()->getLineHeight()) / 2;
    TextLayout::paint(canvas, *getFont(), TextLayout::lines(getText()), box.x + side + 8, top,
                      getWidth() - side - 8, TextLayout::Left, ink);
}

} // namespace ui
