#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

class View;

namespace ui {

class Canvas;
class Component;
class UI;

// What a picture of the screen is drawn onto: the SVG inspector and the rendered frame both
// draw through it, so they show the same things in the same order.
class KEL_HOST_API FramePainter {
public:
    virtual ~FramePainter() = default;
    // Where the components and the plain colours are drawn.
    virtual Canvas& canvas() = 0;
    // The 3D content of one active view the render driver draws, through its camera.
    virtual void view(const View& view) = 0;
    // The pointer's own arrow at (x, y) in screen units, when nothing else draws it.
    virtual void arrow(float x, float y) = 0;
    // Brackets around the parts of the picture ("background", "ui"), for painters that group.
    virtual void beginPart(const char* /*part*/) {}
    virtual void endPart() {}
    // Called before a shown component draws itself.
    virtual void beginComponent(const Component& /*component*/) {}
};

// Draws what the player sees now, back to front: the screen's own colour, the render driver's
// background colour when it is on, then (with `include3D`) the active views the driver draws in
// ascending render priority, except those a shown component shows (Component::getShownView);
// then the shown components of the UI, its tree then its top-level components, each drawing
// itself before its children, a view a component shows drawn just before the first one showing
// it; last the pointer's component, or the arrow when neither a component nor the engine's
// hardware cursor draws it. Holds the UI's lock, then the render driver's, while it draws.
// A null `ui` means the root UI.
KEL_HOST_API void walkFrame(UI* ui, bool include3D, FramePainter& painter);

} // namespace ui
