#include "host/ui/Scene.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Camera.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"

namespace ui {

Scene::Scene(UI* ui, const std::string& name)
    : ui(ui), camera(std::make_unique<Camera>()), light(std::make_unique<Light>(0)),
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
        debug::Error error(debug::Context("/Configs/UI/scenes.cfg", 0),
                           "no scene setup '" + name + "'");
        debug::report(filter, error);
        return false;
    }
    setup = name;
    const std::vector<std::string> position = block->getList("position");
    Vector at;
    for (int i = 0; i < 3 && i < static_cast<int>(position.size()); ++i) {
        double value = 0;
        if (config::parseNumber(position[i], &value))
            at[i] = static_cast<float>(value);
    }
    float yaw = 0, pitch = 0, angle = camera->getAngle();
    block->getProperty("yaw", &yaw);
    block->getProperty("pitch", &pitch);
    block->getProperty("angle", &angle);
    camera->setTransformation(Camera::lookingAt(yaw, pitch), at);
    camera->setAngle(angle);
    config::Color color(1, 1, 1, 1);
    if (block->getProperty("light", &color))
        light->setColor(color.r, color.g, color.b, color.a);
    int priority = view->getRenderPriority();
    if (block->getProperty("priority", &priority))
        view->setRenderPriority(priority);
    return true;
}

void Scene::arrangeFor2DUI() {
    camera->setTransformation(Camera::lookingAt(0, 0), Vector());
    camera->setNear(1.0f);
}

} // namespace ui
