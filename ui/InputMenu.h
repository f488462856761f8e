#pragma once

#include "host/profile/InputSettings.h"
#include "ui/Menu.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// The settings page for the mouse: edge scrolling and its speed, the mouse strafe speed, whether
// a click outside the movement zone deselects the unit, and which mouse button accepts, cancels,
// moves or acts, and drags the camera. It edits the profile's input settings in place and pushes
// them to kel-input after every notification, so a change acts at once; the profile is saved
// when the page is hidden if anything changed. "customizecontrols" asks the root for the key
// bindings page; "reset" brings the input settings and key bindings back to the defaults.
//
// Children: containers "flags" (CheckBoxes "check_edgeautoscrolling",
// "check_clickoutsideofmzdeselectunit"), "mousestrafespeed" (HSlider "scroll_mousestrafespeed"),
// "autoscrollingspeed" (HSlider "scroll_autoscrollingspeed"), and "mouse_accept",
// "mouse_cancel", "mouse_moveact", "mouse_dragcamera", each with a RadioContainer
// "radiocontainer" of the radios "radio_<action>_<button>" (button left, middle, right or none);
// the buttons "customizecontrols" and "reset". A missing child is reported once when the layout
// is read; the page works without it.
class KEL_UI_API InputMenu : public Menu {
public:
    std::string_view getClassName() const override { return "inputmenu"; }

    void notify(::ui::NotifyEvent& event) override;
    void readConfig(config::Block* block) override;
    void updateShowed() override;

    // Sets every control from the profile's input settings.
    void update();

    // A speed factor (0.25 to 4, 1 normal) as the sliders show it (-3 to 3, 0 normal), and back.
    static float speedToSlider(float speed);
    static float sliderToSpeed(float value);

private:
    // A new button chosen by the radio `name` for accept, cancel or move/act: an action that
    // used it gets the chooser's former button, so no button does two of these.
    void updateRadios(const std::string& name);
    // Makes the key bindings page read the bindings again.
    void reloadKeyBindings();

    profile::InputSettings shownSettings;
};

} // namespace kel::ui
