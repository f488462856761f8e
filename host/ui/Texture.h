#pragma once

#include "host/HostApi.h"
#include "host/ui/Plane.h"

namespace ui {

class UI;

// A plane of the UI's texture images, drawn in the UI's texture view (pictures that turn, fade
// and flip: mission pictures, balloons).
class KEL_HOST_API Texture : public Plane {
public:
    explicit Texture(UI* ui);
};

} // namespace ui
