#pragma once

#include "host/HostApi.h"
#include "host/ui/Plane.h"

namespace ui {

class UI;

// A plane of the UI's sprite images, drawn in the UI's view.
class KEL_HOST_API Sprite : public Plane {
public:
    explicit Sprite(UI* ui);
};

} // namespace ui
