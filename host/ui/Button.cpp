#include "host/ui/Button.h"
#include "host/input/Keys.h"
#include "host/ui/Canvas.h"
#include "host/ui/MousePointer.h"
#include "host/ui/Palette.h"
#include "host/ui/UI.h"

namespace ui {

Button::Button(UI* ui, float x, float y, float width, float height)
    : Container(ui ? ui : theUI, x, y, width, height) {
    setNotify(true);
}

void Button::setEnabled(bool on) {
    if (!on)
        pressed = false;
    Container::setEnabled(on);
}

void Button::updateFlyby() {
    Container::updateFlyby();
    repaint();
}

void Button::updateShowed() {
    if (!isShowed())
        pressed = false;
    Container::updateShowed();
}

void Button::onMouseButton(int code, bool down) {
    if (code != input::mouse::LeftClick)
        return;
    if (down) {
        pressed = true;
        if (isFocusable())
            getUI()->setFocusedComponent(this);
        repaint();
        onPress();
        return;
    }
    const bool wasPressed = pressed;
    pressed = false;
    repaint();
    const MousePointer* pointer = getUI()->getMousePointer();
    if (wasPressed && contains(pointer->getX(), pointer->getY()))
        onClick();
}

void Button::onClick() {
    send("job");
}

void Button::send(const std::string& action) {
    if (getNotify())
        notifyAction(action);
}

void Button::paintFace(Canvas& canvas) const {
    const Canvas::Rect box{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()};
    const config::Color& face = !getEnabled() ? Palette::facePressed
                                : pressed     ? Palette::facePressed
                                : getFlyby()  ? Palette::faceFlyby
                                              : Palette::face;
    canvas.fillRect(box, face, 4);
    const config::Color& edge = !getEnabled() ? Palette::textDisabled
                                : getFlyby()  ? Palette::frameLight
                                              : Palette::frame;
    canvas.strokeRect(box, edge, isFocused() ? 2.0f : 1.0f, 4);
    if (isFocused())
        canvas.strokeRect({box.x - 3, box.y - 3, box.width + 6, box.height + 6}, Palette::focus, 1,
                          6);
}

void Button::paint(Canvas& canvas) const {
    paintFace(canvas);
}

} // namespace ui

namespace ui {

bool Button::actsOnMouseButton(int code) const {
    return code == input::mouse::LeftClick;
}

} // namespace ui
