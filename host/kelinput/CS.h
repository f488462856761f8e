#pragma once

// Inside namespace kel, "input" names kel::input; the input library is ::input.

#include "host/HostApi.h"
#include "host/input/Device.h"
#include "host/input/Event.h"

#include <string>

namespace kel::input {

namespace devices {

// The source of control-source events: kel-input's control-source translator. A listener can
// tell these events from raw device input by it.
class KEL_HOST_API ControlSource final : public ::input::Device {
public:
    const char* getName() const override { return "ControlSource"; }
    static ControlSource* instance();
};

} // namespace devices

namespace events {

// The state a control-source event carries: the state number of the control that fired (0 to
// 36, the numbering the battle's redirector dispatches on) and the control's name.
class KEL_HOST_API CSState final : public ::input::DeviceState {
public:
    CSState(int number, std::string control) : number(number), control(std::move(control)) {}
    int getNumber() const { return number; }
    // The state number again, for code that reads every device state by code.
    int getCode() const override { return number; }
    // The control's name ("endturn").
    const std::string& getName() const override { return control; }

private:
    int number;
    std::string control;
};

// A control of the battle fired: the player pressed a combination bound to it. Sent by
// DeviceToCS to its output broadcaster, once per firing; there is no release event.
class KEL_HOST_API CS final : public ::input::Event {
public:
    CS(int number, std::string control)
        : Event(devices::ControlSource::instance()), state(number, std::move(control)) {}
    const CSState* getState() const override { return &state; }
    int getNumber() const { return state.getNumber(); }

private:
    CSState state;
};

} // namespace events
} // namespace kel::input
