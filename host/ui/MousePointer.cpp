#include "host/ui/MousePointer.h"
#include "host/engine/RenderDriver.h"
#include "host/ui/Component.h"
#include "host/ui/UI.h"

#include <algorithm>

namespace ui {

MousePointer::MousePointer(UI* ui) : ui(ui) {
    if (ui) {
        screenWidth = ui->getScreenWidth();
        screenHeight = ui->getScreenHeight();
    }
}

MousePointer::~MousePointer() = default;

void MousePointer::event(const counting_ptr<input::Event>& e) {
    // Motion comes on the input thread; frames read the position under the UI lock.
    if (auto* motion = e.as<input::events::Motion>()) {
        thread::OptionalLock hold(ui);
        x += getXIncrease(motion->getDX());
        y += getYIncrease(motion->getDY());
        update();
    }
}

void MousePointer::setPosition(float newX, float newY) {
    thread::OptionalLock hold(ui);
    x = newX;
    y = newY;
    update();
    if (ui)
        ui->refreshFlyby();
}

void MousePointer::center() {
    setPosition(screenWidth / 2, screenHeight / 2);
}

void MousePointer::setScreenSize(float width, float height) {
    screenWidth = width;
    screenHeight = height;
    // The engine's normalised position follows the new size.
    update();
}

void MousePointer::setHotspot(float hx, float hy) {
    hotspotX = hx;
    hotspotY = hy;
}

void MousePointer::setVisible(bool on) {
    if (on == visible)
        return;
    visible = on;
    updateVisible();
}

void MousePointer::setHardwareSupport(bool on) {
    if (on == hardware)
        return;
    hardware = on;
    updateHardwareMouseSupport();
}

void MousePointer::update() {
    x = std::clamp(x, 0.0f, std::max(0.0f, screenWidth - 1));
    y = std::clamp(y, 0.0f, std::max(0.0f, screenHeight - 1));
    theRenderDriver->setPointerPosition(x / screenWidth, y / screenHeight);
    if (component)
        component->setPosition(x - hotspotX, y - hotspotY);
}

void MousePointer::updateVisible() {
    if (component)
        component->setVisible(getVisible() && !hardware);
}

void MousePointer::updateHardwareMouseSupport() {
    updateVisible();
}

} // namespace ui
