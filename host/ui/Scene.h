#pragma once

#include "host/HostApi.h"

#include <memory>
#include <string>

class Camera;
class Light;
class View;

namespace ui {

class UI;

// A small 3D world of the UI that is not a component: a camera, a light and a view drawn by the
// render driver while the scene is active. arrange() places camera and light from a named setup
// of "/Configs/UI/scenes.cfg" (position x y z, yaw and pitch in radians, angle, light colour,
// render priority).
class KEL_HOST_API Scene {
public:
    explicit Scene(UI* ui, const std::string& name = "scene");
    ~Scene();

    void activate();
    void deactivate();
    bool isActive() const { return active; }
    // False, with a message naming the file, when the setup is missing.
    bool arrange(const std::string& setup);
    // The camera straight ahead at the origin, for flat UI content.
    void arrangeFor2DUI();
    void setAppearProgress(float progress) { appearProgress = progress; }
    float getAppearProgress() const { return appearProgress; }
    const std::string& getSetup() const { return setup; }

    View* getView() const { return view.get(); }
    Camera* getCamera() const { return camera.get(); }
    Light* getLight() const { return light.get(); }

private:
    std::unique_ptr<Camera> camera;
    std::unique_ptr<Light> light;
    std::unique_ptr<View> view;
    std::string setup;
    bool active = false;
    float appearProgress = 1.0f;
};

} // namespace ui
