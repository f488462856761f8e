#pragma once

#include "host/HostApi.h"

#include <string>

namespace input {

// A source of input events. Events name their device, so a listener can tell the PC mouse from
// the PC keyboard; the two devices are process-wide objects.
class KEL_HOST_API Device {
public:
    virtual ~Device() = default;
    virtual const char* getName() const = 0;
};

namespace devices {

class KEL_HOST_API PCKeyboard final : public Device {
public:
    const char* getName() const override { return "PCKeyboard"; }
    static PCKeyboard* instance();
};

class KEL_HOST_API PCMouse final : public Device {
public:
    const char* getName() const override { return "PCMouse"; }
    static PCMouse* instance();
};

} // namespace devices
} // namespace input
