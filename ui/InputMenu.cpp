#include "ui/InputMenu.h"
#include "ui/KELFactory.h"
#include "ui/KELUI.h"
#include "ui/ModuleLog.h"
#include "ui/RedefineMenu.h"

#include "host/config/Block.h"
#include "host/kelinput/KelInput.h"
#include "host/profile/Profile.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/RadioContainer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kel::ui {

namespace {

using profile::InputSettings;

// The four mouse actions: the name in their container's and radios' names, and their setting.
// The first three never share a button.
struct Action {
    const char* name;
    InputSettings::MouseButton InputSettings::*button;
};

const Action kActions[] = {
    {"accept", &InputSettings::acceptButton},
    {"cancel", &InputSettings::cancelButton},
    {"moveact", &InputSettings::moveActButton},
    {"dragcamera", &InputSettings::dragCameraButton},
};
constexpr int kDistinctActions = 3;

const char* const kFlags[] = {"check_edgeautoscrolling", "check_clickoutsideofmzdeselectunit"};
// Container and slider of each speed.
const char* const kSliders[][2] = {{"mousestrafespeed", "scroll_mousestrafespeed"},
                                   {"autoscrollingspeed", "scroll_autoscrollingspeed"}};

constexpr float kSliderEnd = 3.0f;

InputSettings* settings() {
    InputSettings* input = nullptr;
    theProfile->getSettings(&input);
    return input;
}

std::string radioName(const std::string& action, InputSettings::MouseButton button) {
    return "radio_" + action + "_" + InputSettings::fromMouseButtonToString(button);
}

// The action and button a radio's name stands for; false for a name that is no radio.
bool parseRadio(const std::string& name, const Action** action,
                InputSettings::MouseButton* button) {
    const std::string prefix = "radio_";
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string rest = name.substr(prefix.size());
    const size_t split = rest.find('_');
    if (split == std::string::npos)
        return false;
    bool known = false;
    *button = InputSettings::fromStringToMouseButton(rest.substr(split + 1), &known);
    const std::string actionName = rest.substr(0, split);
    for (const Action& candidate : kActions)
        if (actionName == candidate.name) {
            *action = &candidate;
            return known;
        }
    return false;
}

::ui::RadioContainer* radios(::ui::Container* page, const std::string& action) {
    ::ui::Container* group = nullptr;
    ::ui::RadioContainer* radio = nullptr;
    if (theFactory->getComponent("mouse_" + action, &group, page, false))
        theFactory->getComponent("radiocontainer", &radio, group, false);
    return radio;
}

::ui::CheckBox* flag(::ui::Container* page, const char* name) {
    ::ui::Container* flags = nullptr;
    ::ui::CheckBox* box = nullptr;
    if (theFactory->getComponent("flags", &flags, page, false))
        theFactory->getComponent(name, &box, flags, false);
    return box;
}

::ui::HSlider* slider(::ui::Container* page, const char* const names[2]) {
    ::ui::Container* group = nullptr;
    ::ui::HSlider* found = nullptr;
    if (theFactory->getComponent(names[0], &group, page, false))
        theFactory->getComponent(names[1], &found, group, false);
    return found;
}

// Range -3 to 3, then the speed.
void showSpeed(::ui::HSlider* slider, float speed) {
    slider->setRange(-kSliderEnd, kSliderEnd);
    slider->setValue(0);
    slider->setValue(InputMenu::speedToSlider(speed));
}

} // namespace

float InputMenu::speedToSlider(float speed) {
    if (!(speed > 0) || !std::isfinite(speed))
        return 0; // no speed the profile could hold: shown as the normal one
    const float value = speed >= 1 ? speed - 1 : 1 - 1 / speed;
    return std::clamp(value, -kSliderEnd, kSliderEnd);
}

float InputMenu::sliderToSpeed(float value) {
    return value >= 0 ? value + 1 : -1 / (value - 1);
}

void InputMenu::readConfig(config::Block* block) {
    Menu::readConfig(block);
    // What the layout lacks goes without a control; it is reported once, here.
    std::string missing;
    for (const char* name : kFlags)
        if (!flag(this, name))
            missing += std::string(missing.empty() ? "" : ", ") + "flags." + name;
    for (const auto& names : kSliders)
        if (!slider(this, names))
            missing += std::string(missing.empty() ? "" : ", ") + names[0] + "." + names[1];
    for (const Action& action : kActions)
        if (!radios(this, action.name))
            missing += std::string(missing.empty() ? "" : ", ") + "mouse_" + action.name +
                       ".radiocontainer";
    if (!missing.empty())
        reportError(block->getSourceFile(), block->getSourceLine(), block->getSourceColumn(),
                    "the input page '" + getName() + "' has no " + missing +
                        ": those settings cannot be changed on it");
}

void InputMenu::update() {
    const InputSettings* input = settings();
    if (::ui::CheckBox* box = flag(this, kFlags[0]))
        box->setValue(input->edgeAutoScrolling);
    if (::ui::CheckBox* box = flag(this, kFlags[1]))
        box->setValue(input->clickOutsideDeselects);
    if (::ui::HSlider* strafe = slider(this, kSliders[0]))
        showSpeed(strafe, input->mouseStrafeSpeed);
    if (::ui::HSlider* scrolling = slider(this, kSliders[1])) {
        scrolling->setRange(-kSliderEnd, kSliderEnd);
        scrolling->setValue(0);
        scrolling->setEnabled(input->edgeAutoScrolling);
        scrolling->setValue(speedToSlider(input->autoScrollingSpeed));
    }
    for (const Action& action : kActions)
        if (::ui::RadioContainer* group = radios(this, action.name))
            group->set(radioName(action.name, input->*action.button));
}

void InputMenu::updateRadios(const std::string& name) {
    const Action* chosen = nullptr;
    InputSettings::MouseButton button = InputSettings::NoButton;
    if (!parseRadio(name, &chosen, &button) || button == InputSettings::NoButton ||
        chosen - kActions >= kDistinctActions)
        return;
    InputSettings* input = settings();
    const InputSettings::MouseButton old = input->*chosen->button;
    for (int i = 0; i < kDistinctActions; ++i) {
        const Action& other = kActions[i];
        if (&other == chosen)
            continue;
        ::ui::RadioContainer* group = radios(this, other.name);
        if (group && group->get() == radioName(other.name, button)) {
            group->set(radioName(other.name, old));
            input->*other.button = old;
        }
    }
}

void InputMenu::notify(::ui::NotifyEvent& event) {
    Menu::notify(event);
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    updateRadios(name);

    InputSettings* input = settings();
    const Action* radioAction = nullptr;
    InputSettings::MouseButton button = InputSettings::NoButton;
    if (name == kFlags[0]) {
        event.getProperty("value", &input->edgeAutoScrolling);
        ::ui::HSlider* scrolling = nullptr;
        if (theFactory->getComponent(kSliders[1][1], &scrolling, this, true))
            scrolling->setEnabled(input->edgeAutoScrolling);
    } else if (name == kFlags[1]) {
        event.getProperty("value", &input->clickOutsideDeselects);
    } else if (name == kSliders[0][1] && action == "valuechanged") {
        float value = speedToSlider(input->mouseStrafeSpeed);
        event.getProperty("value", &value);
        input->mouseStrafeSpeed = sliderToSpeed(value);
    } else if (name == kSliders[1][1] && action == "valuechanged") {
        float value = speedToSlider(input->autoScrollingSpeed);
        event.getProperty("value", &value);
        input->autoScrollingSpeed = sliderToSpeed(value);
    } else if (parseRadio(name, &radioAction, &button)) {
        input->*radioAction->button = button;
    } else if (name == "customizecontrols" && action == "job") {
        ::ui::NotifyEvent request(this);
        request.setSValue("action", "customizecontrols");
        Menu::notify(request);
    } else if (name == "reset" && action == "job") {
        theProfile->resetInputSettings();
        theKelInput->resetToDefault();
        if (::ui::MousePointer* pointer = getUI()->getMousePointer())
            pointer->setHardwareSupport(false);
        reloadKeyBindings();
        update();
    }
    theKelInput->updateProfileSettings();
}

void InputMenu::reloadKeyBindings() {
    // Wherever the layout puts it: the page is found below the whole root.
    if (auto* page = dynamic_cast<RedefineMenu*>(getUI()->getDescendant("redefinemenu")))
        page->getData();
}

void InputMenu::updateShowed() {
    Menu::updateShowed();
    if (isShowed()) {
        shownSettings = *settings();
        update();
    } else if (*settings() != shownSettings) {
        theProfile->save();
    }
}

} // namespace kel::ui
