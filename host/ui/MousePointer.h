#pragma once

#include "host/HostApi.h"
#include "host/input/Listener.h"

namespace ui {

class Component;
class UI;

// The pointer of a UI: a position in screen units moved by the mouse's motion events, a visible
// flag, a hotspot and the component that draws it. With hardware support on, the engine draws the
// cursor instead of the component.
class KEL_HOST_API MousePointer : public input::Listener {
public:
    explicit MousePointer(UI* ui);
    ~MousePointer() override;

    // Motion events move the pointer by getXIncrease/getYIncrease of their deltas.
    void event(const counting_ptr<input::Event>& e) override;

    float getX() const { return x; }
    float getY() const { return y; }
    // Moves the pointer and runs update(); the UI recomputes what the pointer flies over.
    void setPosition(float newX, float newY);
    // To the centre of the screen.
    void center();
    void setScreenSize(float width, float height);
    float getScreenWidth() const { return screenWidth; }
    float getScreenHeight() const { return screenHeight; }

    void setHotspot(float hx, float hy);
    float getHotspotX() const { return hotspotX; }
    float getHotspotY() const { return hotspotY; }

    // The visible flag. Whoever hid the pointer, restoreCountingVisible() shows it again (the
    // host calls it when a battle starts or resumes).
    void setVisible(bool on);
    bool getVisible() const { return visible; }
    void restoreCountingVisible() { setVisible(true); }

    void setHardwareSupport(bool on);
    bool getHardwareSupport() const { return hardware; }

    // The component that draws the pointer (a top-level component of the UI; not owned).
    void setComponent(Component* drawing) { component = drawing; }
    Component* getComponent() const { return component; }

    // Called after the pointer moved: clamps it to the screen and places its component.
    virtual void update();
    virtual float getXIncrease(float delta) { return delta; }
    virtual float getYIncrease(float delta) { return delta; }
    // Called after the visible flag changed.
    virtual void updateVisible();
    // Called after the hardware-support flag changed.
    virtual void updateHardwareMouseSupport();

protected:
    UI* ui; // not owned
    float x = 0.0f;
    float y = 0.0f;
    float hotspotX = 0.0f;
    float hotspotY = 0.0f;
    float screenWidth = 640.0f;
    float screenHeight = 480.0f;
    bool visible = true;
    bool hardware = false;
    Component* component = nullptr;
};

} // namespace ui
