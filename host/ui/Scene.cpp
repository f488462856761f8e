#include "host/ui/Scene.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Camera.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"

namespace ui {

// The reference host draws every scene the same way, whatever UI it belongs to.
Scene::Scene(UI* /*ui*/, const std::string& name)
    : camera(std::make_unique<Camera>()), light(std::make_unique<Light>(0)),
      view(std::make_unique<View>(camera.get(), Viewport(), name)) {
    view->registerLight(light.get());
    arrangeFor2DUI();
}

Scene::~Scene() {
    deactivate();
    view->unregisterLight(light.get());
}

void Scene::activate() {
    active = true;
    view->activate();
    theRenderDriver->addView(view.get());
}

void Scene::deactivate() {
    active = false;
    view->deactivate();
    theRenderDriver->removeView(view.get());
}

bool Scene::arrange(const std::string& name) {
    static debug::Filter filter("ui", true);
    config::Config file;
    const config::Block* block = nullptr;
    if (!file.readFile("/Configs/UI/scenes.cfg") || !file.getPropertyAccess(name, &block)) {
        debug::Error error(
            debug::ContextScope::current(debug::Context("/Configs/UI/scenes.cfg", 0)),
            "no scene setup '" + name + "'");
        debug::report(filter, error);
        return false;
    }
    setup = name;
    const config::CheckedReader reader(filter, *block, "scene '" + name + "': ");
    float position[3] = {0, 0, 0};
    reader.readNumbers("position", 3, config::Range(), position);
    float yaw = 0, pitch = 0, angle = camera->getAngle();
    reader.readNumber("yaw", config::Range(), &yaw);
    reader.readNumber("pitch", config::Range(), &pitch);
    // The view angle in radians: wider than a half turn is no perspective.
    config::Range angles(0, 3.14159);
    angles.openMin = true;
    reader.readNumber("angle", angles, &angle);
    camera->setTransformation(Camera::lookingAt(yaw, pitch),
                              Vector(position[0], position[1], position[2]));
    camera->setAngle(angle);
    float color[4] = {1, 1, 1, 1};
    const size_t channels = block->getList("light").size() == 4 ? 4 : 3; // alpha may be left out
    if (reader.readNumbers("light", channels, config::Range(0, 1), color))
        light->setColor(color[0], color[1], color[2], color[3]);
    int priority = view->getRenderPriority();
    if (reader.readInt("priority", config::Range(), &priority))
        view->setRenderPriority(priority);
    return true;
}

void Scene::arrangeFor2DUI() {
    camera->setTransformation(Camera::lookingAt(0, 0), Vector());
    camera->setNear(1.0f);
}

} // namespace ui
