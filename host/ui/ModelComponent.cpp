#include "host/ui/ModelComponent.h"
#include "host/config/Block.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/UI.h"

namespace ui {

ModelComponent::ModelComponent(UI* ui, View* view, const std::string& name)
    : Component(ui ? ui : theUI), view(view) {
    setNotify(true);
    setModel(name);
}

ModelComponent::~ModelComponent() {
    detach(false);
}

void ModelComponent::setModel(const std::string& name) {
    detach(true);
    modelName = name;
    model.reset();
    traced = false;
    if (!name.empty()) {
        model = std::make_unique<Model>(name);
        model->setMeshListener(this);
        model->getAnimator()->setTransformation(initialOrientation, initialPosition);
    }
    if (isShowed())
        attach();
}

Animator* ModelComponent::getAnimator() const {
    return model ? model->getAnimator() : nullptr;
}

void ModelComponent::attach() {
    if (registered || !model || !view)
        return;
    view->registerObject(model.get());
    registered = true;
}

void ModelComponent::detach(bool tell) {
    if (!registered)
        return;
    registered = false;
    view->unregisterObject(model.get());
    // The driver must not tell a model that left the view about the pointer any more.
    theRenderDriver->forgetModel(model.get());
    if (traced && tell)
        traceOut(nullptr);
    traced = false;
}

void ModelComponent::updateShowed() {
    Component::updateShowed();
    if (isShowed())
        attach();
    else
        detach(true);
}

void ModelComponent::reportMissing(const std::string& animation) const {
    static debug::Filter filter("ui", true);
    debug::Error error(
        debug::ContextScope::current(debug::Context("/Configs/Engine/models.cfg", 0)),
        "model '" + modelName + "' has no animation '" + animation + "'");
    debug::report(filter, error);
}

void ModelComponent::setBaseAnimation() {
    if (model)
        model->getAnimator()->playBase();
}

void ModelComponent::setWalkAnimation(const std::string& animation, bool loop) {
    if (!model)
        return;
    if (!model->getAnimator()->hasAnimation(animation)) {
        reportMissing(animation);
        return;
    }
    model->getAnimator()->play(animation, loop);
}

void ModelComponent::preloadMultiLevelAnimation(const std::string& animation) {
    if (!model)
        return;
    if (!model->getAnimator()->hasAnimation(animation))
        reportMissing(animation);
    else
        preloaded.insert(animation);
}

bool ModelComponent::isPreloaded(const std::string& animation) const {
    return preloaded.count(animation) > 0;
}

void ModelComponent::setInitialTransformation() {
    if (model)
        model->getAnimator()->setTransformation(initialOrientation, initialPosition);
}

void ModelComponent::setInitialTransformation(const Matrix3& orientation, const Vector& position) {
    initialOrientation = orientation;
    initialPosition = position;
    setInitialTransformation();
}

void ModelComponent::setTransformation(const Matrix3& orientation, const Vector& position) {
    if (model)
        model->getAnimator()->setTransformation(orientation, position);
}

void ModelComponent::readConfig(config::Block* block) {
    std::string name;
    float at[3] = {0, 0, 0};
    const bool placed = LayoutOptions::readNumbers(block, "position3d", 3, at);
    float yaw = 0;
    const bool turned = LayoutOptions::readNumber(block, "yaw", config::Range(), &yaw);
    if (placed || turned) {
        initialOrientation = Matrix3::rotationZ(yaw);
        initialPosition = Vector(at[0], at[1], at[2]);
    }
    if (LayoutOptions::readValue(block, "model", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "model"));
        setModel(name);
    } else
        setInitialTransformation();
    Component::readConfig(block);
}

// The frame tells the traced model outside the driver's lock; the fly-by change is the UI's.
void ModelComponent::traceIn(void*) {
    thread::OptionalLock hold(getUI());
    traced = true;
    if (getNotify())
        notifyAction("tracein");
}

void ModelComponent::traceOut(void*) {
    thread::OptionalLock hold(getUI());
    traced = false;
    if (getNotify())
        notifyAction("traceout");
}

} // namespace ui
