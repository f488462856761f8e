#pragma once

#include "host/HostApi.h"
#include "host/ui/Container.h"
#include "host/ui/Paintable.h"

namespace ui {

// The base of every button: a press and a release of the left mouse button (code 3) on it is a
// click, which notifies "job". The release must come while the pointer is still on the button;
// releasing elsewhere cancels the click, as players expect. Buttons notify from the start
// (setNotify(true)); switching notify off silences every action they send, "mouseclick"
// included.
//
// It is a container so that game buttons can hold parts of their own; its own picture is a face
// and a frame. Layout options: the component's.
class KEL_HOST_API Button : public Container, public Paintable {
public:
    // A null UI means the root UI (theUI).
    explicit Button(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "button"; }
    bool acceptsMouse() const override { return true; }
    // The left button went down on it and is not yet released.
    bool isPressed() const { return pressed; }

    void setEnabled(bool enabled) override;
    // The face lights up under the pointer.
    void updateFlyby() override;
    void updateShowed() override;
    void paint(Canvas& canvas) const override;

protected:
    void onMouseButton(int code, bool down) override;
    bool actsOnMouseButton(int code) const override;
    // The left button went down on the button (after it took the focus, when focusable).
    virtual void onPress() {}
    // A whole click; notifies "job".
    virtual void onClick();
    // Sends an action to the master, when notify is on.
    void send(const std::string& action);
    // The face and frame every button draws, lit by its state.
    void paintFace(Canvas& canvas) const;

private:
    bool pressed = false;
};

} // namespace ui
