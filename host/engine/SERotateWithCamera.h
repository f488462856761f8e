#pragma once

#include "host/HostApi.h"
#include "host/engine/ScreenEffect.h"

// Turns what it is drawn with to face the camera (billboarding): the plane keeps its position
// and takes the camera's orientation, so it is always seen from the front. It has no settings.
class KEL_HOST_API SERotateWithCamera : public ScreenEffect {
public:
    // Defined in the library, so that the table of virtual functions is exported with it.
    std::string describe() const override;
};
