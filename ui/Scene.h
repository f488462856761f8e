#pragma once

#include "host/engine/Camera.h"
#include "host/engine/Math.h"
#include "host/engine/View.h"
#include "host/ui/Container.h"
#include "ui/UiApi.h"

namespace kel::ui {

// A full-screen container with a small 3D world of its own: one white light, a camera and a view
// that renders the camera through a viewport rectangle of the screen. The view is active and
// drawn every frame from construction to destruction. projectVector tells where a world point
// lands on the screen, for labels, contours and mouse hit areas.
class KEL_UI_API Scene : public ::ui::Container {
public:
    // The viewport rectangle in fractions of the screen.
    Scene(::ui::UI* ui, float left, float top, float right, float bottom);
    ~Scene() override;

    std::string_view getClassName() const override { return "scene"; }

    View* getView() { return &view; }
    Light& getLight() { return light; }
    Camera& getCamera() { return camera; }
    Viewport& getViewport() { return viewport; }

    // The screen position, in screen units, of the world point as this scene's camera sees it.
    void projectVector(const Vector& v, float& x, float& y);

private:
    Light light;
    Camera camera;
    Viewport viewport;
    View view;
};

} // namespace kel::ui
