#include "host/ui/UniversalButton.h"
#include "host/config/Block.h"
#include "host/input/Keys.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Sprite.h"

namespace ui {

UniversalButton::UniversalButton(UI* ui, float x, float y, float width, float height)
    : TextButton(ui, x, y, width, height), sprite(std::make_unique<Sprite>(getUI())) {}

UniversalButton::~UniversalButton() = default;

void UniversalButton::updateFocused() {
    TextButton::updateFocused();
    repaint();
}

void UniversalButton::setImage(const std::string& imageName) {
    sprite->replaceImage("normal", imageName);
    sprite->setImage(0);
    repaint();
}

void UniversalButton::onKey(int code, const std::string& name, bool pressed) {
    TextButton::onKey(code, name, pressed);
    if (pressed && (code == input::keys::Return || code == input::keys::NumpadEnter))
        onClick();
}

void UniversalButton::readConfig(config::Block* block) {
    std::string name;
    if (LayoutOptions::readValue(block, "image", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "image"));
        setImage(name);
    }
    TextButton::readConfig(block);
}

void UniversalButton::paint(Canvas& canvas) const {
    paintFace(canvas);
    sprite->paint(canvas, {getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()});
    paintCaption(canvas);
}

} // namespace ui
