#pragma once

#include "host/HostApi.h"
#include "host/input/counting_ptr.h"

#include <string>

namespace input {

class Device;

// What a device reports with an event. For a button it is the button's code (the numbering of
// host/input/Keys.h), its name ("Return", "LeftClick") and whether it is down.
class KEL_HOST_API DeviceState {
public:
    virtual ~DeviceState() = default;
    virtual int getCode() const = 0;
    virtual const std::string& getName() const = 0;
};

class KEL_HOST_API ButtonState final : public DeviceState {
public:
    ButtonState(int code, std::string name, bool down)
        : code(code), name(std::move(name)), down(down) {}
    int getCode() const override { return code; }
    const std::string& getName() const override { return name; }
    bool isDown() const { return down; }

private:
    int code;
    std::string name;
    bool down;
};

// One input event from one device. Events are shared through counting_ptr.
class KEL_HOST_API Event : public Counted {
public:
    // The final classes below, which every component tests each event against: they carry
    // their kind, so counting_ptr::as tells them apart without a run-time type search.
    enum class Kind : unsigned char { Other, Button, Motion, Character };

    explicit Event(Device* source) : source(source) {}
    Device* getDevice() const { return source; }
    // The device's state with this event; null for events without one.
    virtual const DeviceState* getState() const { return nullptr; }
    Kind getKind() const { return kind; }

protected:
    Event(Device* source, Kind kind) : source(source), kind(kind) {}

private:
    Device* source;
    Kind kind = Kind::Other;
};

namespace events {

// A button (key or mouse button) going down or up.
class KEL_HOST_API Button final : public Event {
public:
    static constexpr Kind kKind = Kind::Button;
    Button(Device* source, int code, std::string name, bool pressed)
        : Event(source, kKind), state(code, std::move(name), pressed) {}
    // The press test: true when the button went down, false when it was released.
    bool isPressed() const { return state.isDown(); }
    const ButtonState* getState() const override { return &state; }
    int getCode() const { return state.getCode(); }

private:
    ButtonState state;
};

// The pointer moved by (dx, dy) screen units.
class KEL_HOST_API Motion final : public Event {
public:
    static constexpr Kind kKind = Kind::Motion;
    Motion(Device* source, float dx, float dy) : Event(source, kKind), dx(dx), dy(dy) {}
    float getDX() const { return dx; }
    float getDY() const { return dy; }

private:
    float dx;
    float dy;
};

// A character typed on the keyboard (what an edit box takes while focused).
class KEL_HOST_API Character final : public Event {
public:
    static constexpr Kind kKind = Kind::Character;
    Character(Device* source, std::string text) : Event(source, kKind), text(std::move(text)) {}
    const std::string& getText() const { return text; }

private:
    std::string text;
};

} // namespace events
} // namespace input
