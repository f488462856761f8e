#include "host/ui/EditBox.h"
#include "host/config/Block.h"
#include "host/input/Keys.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

namespace ui {

namespace {
constexpr float kInset = 5.0f;
} // namespace

EditBox::EditBox(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setNotify(true);
    setFont("default");
}

void EditBox::setText(const std::string& newText) {
    text = newText;
    repaint();
}

void EditBox::setFont(const std::string& fontName) {
    font = getUI() ? getUI()->getFont(fontName) : nullptr;
    repaint();
}

void EditBox::changed() {
    repaint();
    if (!getNotify())
        return;
    NotifyEvent event(this);
    event.setSValue("action", "changed");
    event.setSValue("value", text);
    notify(event);
}

void EditBox::onMouseButton(int code, bool pressed) {
    if (code == input::mouse::LeftClick && pressed)
        getUI()->setFocusedComponent(this);
}

void EditBox::onKey(int, const std::string& name, bool pressed) {
    if (pressed && name == "Backspace" && !text.empty()) {
        text = TextLayout::dropLast(text);
        changed();
    }
}

void EditBox::onCharacter(const std::string& typed) {
    // Control characters (a tab, a newline from a paste) have no place in a one-line field.
    std::string accepted;
    for (char c : typed)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            accepted += c;
    if (accepted.empty())
        return;
    if (maxLength > 0) {
        const size_t room =
            static_cast<size_t>(maxLength) -
            std::min<size_t>(TextLayout::length(text), static_cast<size_t>(maxLength));
        accepted = TextLayout::prefix(accepted, room);
        if (accepted.empty())
            return;
    }
    text += accepted;
    changed();
}

void EditBox::updateFocused() {
    Component::updateFocused();
    repaint();
}

void EditBox::readConfig(config::Block* block) {
    std::string value;
    if (LayoutOptions::readValue(block, "font", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(value);
    }
    if (LayoutOptions::readText(block, "text", &value))
        setText(value);
    int length = 0;
    if (LayoutOptions::readInt(block, "maxLength", config::Range::atLeast(0), &length))
        setMaxLength(length);
    Component::readConfig(block);
}

void EditBox::paint(Canvas& canvas) const {
    const Canvas::Rect box{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()};
    canvas.fillRect(box, Palette::field, 3);
    canvas.strokeRect(box, isFocused() ? Palette::focus : Palette::frame, isFocused() ? 1.5f : 1,
                      3);
    if (!font)
        return;
    // A text wider than the field shows its end, where the player types.
    std::string shown = text;
    const float room = box.width - 2 * kInset - 2;
    while (!shown.empty() && font->getTextWidth(shown) > room)
        shown = shown.substr(TextLayout::prefix(shown, 1).size());
    const float top = box.y + (box.height - font->getLineHeight()) / 2;
    TextLayout::paint(canvas, *font, {shown}, box.x + kInset, top, room, TextLayout::Left,
                      getEnabled() ? Palette::text : Palette::textDisabled);
    if (isFocused()) {
        const float caret = box.x + kInset + font->getTextWidth(shown) + 1;
        canvas.line(caret, top + 2, caret, top + font->getLineHeight() - 2, Palette::focus, 1.5f);
    }
}

} // namespace ui
