#include "ui/Scene.h"

#include "host/engine/RenderDriver.h"
#include "host/ui/UI.h"

#include <cmath>

namespace kel::ui {

namespace {
Viewport viewportOf(float left, float top, float right, float bottom) {
    Viewport v;
    v.x = left;
    v.y = top;
    v.width = right - left;
    v.height = bottom - top;
    v.aspect = 4.0f / 3.0f;
    return v;
}
} // namespace

Scene::Scene(::ui::UI* ui, float left, float top, float right, float bottom)
    : Container(ui, 0, 0, ui->getScreenWidth(), ui->getScreenHeight()), light(0),
      viewport(viewportOf(left, top, right, bottom)), view(&camera, viewport, "scene") {
    light.setColor(1, 1, 1, 1);
    view.registerLight(&light);
    camera.setNear(1.0f);
    camera.setAngle(1.3f);
    view.activate();
    theRenderDriver->addView(&view);
    // A full-screen container stays so when the resolution changes; else the ring's rectangle
    // (where its items are pointed at) would keep the screen size of the moment it was built.
    setFullscreen(true);
}

Scene::~Scene() {
    theRenderDriver->removeView(&view);
    view.deactivate();
    view.unregisterLight(&light);
}

void Scene::projectVector(const Vector& v, float& x, float& y) {
    const float n = camera.getNear();
    const float a = viewport.aspect;
    const float t = std::tan(camera.getAngle() / 2) * n;
    const Vector p = camera.getGlobalOrientation().transposed() * (v - camera.getGlobalPosition());
    const float px = n * (p[0] * 0.44f) / p[2];
    const float py = n * (p[1] * 0.44f) / p[2];
    const float s = std::sqrt(a * a + 1);
    const float w = t * 0.5f * a / s;
    const float h = t * 0.5f / s;
    const float u = py / w;
    const float q = px / h;
    const ::ui::UI* root = getUI();
    x = root->getScreenWidth() * ((1 + u) * viewport.width * 0.5f + viewport.x);
    y = root->getScreenHeight() * ((1 - q) * viewport.height * 0.5f + viewport.y);
}

} // namespace kel::ui
