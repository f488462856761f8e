#include "ui/Sky.h"

#include "host/engine/SEFading.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/ui/UI.h"

#include <algorithm>

namespace kel::ui {

Sky::Sky()
    : Component(::ui::theUI, 0, 0, 0, 0), environment(std::make_unique<Environment>()),
      scene(::ui::theUI, "uisky"), fading(std::make_unique<SEFading>(0.0f)) {
    scene.arrange("uisky");
}

Sky::~Sky() {
    if (fadingRegistered)
        currentView()->unregisterObject(fading.get());
    if (isShowed())
        deactivateDrawing();
    if (customView)
        customView->removeObserver(this);
}

View* Sky::currentView() const {
    return customView ? customView : scene.getView();
}

void Sky::readConfig(config::Block* block) {
    Component::readConfig(block);
    config::Block* configuration = nullptr;
    if (block->getPropertyAccess("configuration", &configuration)) {
        environment->loadConfiguration(configuration);
        uiConfiguration = *configuration;
    }
}

void Sky::setUIConfiguration() {
    environment->loadConfiguration(&uiConfiguration);
}

void Sky::loadConfiguration(config::Block* block) {
    mapConfiguration = *block;
    config::Color fog(0, 0, 0, 1);
    block->getProperty("fogColor", &fog);
    theSphereVertexFogManager->setFogColor(fog);
    environment->loadConfiguration(block);
}

void Sky::saveConfiguration(config::Block* block) {
    *block = mapConfiguration;
}

void Sky::activateDrawing() {
    if (!customView)
        scene.activate();
    if (environmentVisible)
        environment->activate(currentView());
}

void Sky::deactivateDrawing() {
    if (!customView)
        scene.deactivate();
    if (environmentVisible)
        environment->deactivate(currentView());
}

void Sky::updateShowed() {
    Component::updateShowed();
    if (isShowed())
        activateDrawing();
    else
        deactivateDrawing();
}

void Sky::setCustomView(View* view) {
    if (fadingRegistered) {
        currentView()->unregisterObject(fading.get());
        fadingRegistered = false;
    }
    if (customView)
        customView->removeObserver(this);
    if (view)
        view->addObserver(this);
    if (isShowed()) {
        deactivateDrawing();
        customView = view;
        activateDrawing();
    } else {
        customView = view;
    }
}

void Sky::viewDestroyed(View* view) {
    // Told from the view's destructor: the view still answers, and this is the last time.
    if (view != customView)
        return;
    view->removeObserver(this);
    setCustomView(nullptr);
}

void Sky::setEnvironmentVisible(bool visible) {
    if (visible == environmentVisible)
        return;
    environmentVisible = visible;
    if (!isShowed())
        return;
    if (visible)
        environment->activate(currentView());
    else
        environment->deactivate(currentView());
}

void Sky::startFading(FadingType type) {
    fadingType = type;
    const float level = fadeLevel;
    switch (type) {
    case 1:
        setOpacity(0);
        break;
    case 2:
        setOpacity(level);
        break;
    case 3:
        setOpacity(level);
        break;
    case 4:
        setOpacity(1);
        break;
    case 5:
        setOpacity(0);
        break;
    default:
        break;
    }
}

void Sky::doFading(float progress) {
    if (fadingType == 0)
        return;
    const float p = std::min(progress, 1.0f);
    const float level = fadeLevel;
    switch (fadingType) {
    case 1:
        setOpacity(level * p);
        break;
    case 2:
        setOpacity((1 - level) * p + level);
        break;
    case 3:
        setOpacity((1 - p) * level);
        break;
    case 4:
        setOpacity(1 - p);
        break;
    case 5:
        setOpacity(p);
        break;
    default:
        break;
    }
    if (p >= 1)
        fadingType = 0;
}

void Sky::setOpacity(float opacity) {
    if (opacity > 0) {
        fading->setValue(opacity);
        if (!fadingRegistered) {
            currentView()->registerObject(fading.get());
            fadingRegistered = true;
        }
    } else if (fadingRegistered) {
        currentView()->unregisterObject(fading.get());
        fadingRegistered = false;
    }
}

} // namespace kel::ui
