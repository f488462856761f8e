#pragma once

#include "host/HostApi.h"

namespace ui {

class Canvas;

// A component that has a picture of its own. Drawing walks the shown tree in drawing order and
// asks each component that is Paintable to paint itself (children are painted after, in front).
class KEL_HOST_API Paintable {
public:
    virtual ~Paintable() = default;
    // Paints in absolute screen units; called only while the component is shown.
    virtual void paint(Canvas& canvas) const = 0;
};

} // namespace ui
