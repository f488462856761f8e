#pragma once

#include "host/HostApi.h"
#include "host/engine/Math.h"
#include "host/engine/RenderDriverListener.h"
#include "host/ui/Component.h"

#include <memory>
#include <set>
#include <string>

class Animator;
class Model;
class View;

namespace ui {

// A 3D model shown in a view of the UI (a menu's scene, the UI's own view). While the component
// is shown its model is registered with the view, so the render driver draws and traces it;
// hidden, it is not in the view (and a model the pointer was on notifies "traceout" as it leaves).
// The component is its model's mesh listener: when the pointer's
// ray comes onto the mesh it notifies "tracein" to its master, when it leaves "traceout".
//
// Layout options: model (a name of the model catalogue), position3d (x y z), yaw (radians about
// the vertical axis): together the initial transformation, applied at once.
class KEL_HOST_API ModelComponent : public Component, public RenderMeshListener {
public:
    // `view` is not owned and must outlive the component; an empty name makes no model until
    // setModel. A null UI means the root UI.
    ModelComponent(UI* ui, View* view, const std::string& modelName);
    ~ModelComponent() override;

    std::string_view getClassName() const override { return "modelcomponent"; }

    // Replaces the model (registered at once when shown).
    void setModel(const std::string& modelName);
    Model* getModel() const { return model.get(); }
    const std::string& getModelName() const { return modelName; }
    View* getView() const { return view; }
    const View* getShownView() const override { return view; }
    // Null without a model.
    Animator* getAnimator() const;

    // Plays the rest pose.
    void setBaseAnimation();
    // Plays a named animation (the walk of menu entries); an animation the model does not have
    // is reported and the rest pose stays.
    void setWalkAnimation(const std::string& animation, bool loop);
    // Makes an animation ready before it is played; reported when the model does not have it.
    void preloadMultiLevelAnimation(const std::string& animation);
    bool isPreloaded(const std::string& animation) const;

    // Puts the model where its layout (or setInitialTransformation(orientation, position))
    // placed it first.
    void setInitialTransformation();
    void setInitialTransformation(const Matrix3& orientation, const Vector& position);
    void setTransformation(const Matrix3& orientation, const Vector& position);

    void updateShowed() override;
    void readConfig(config::Block* block) override;

    void traceIn(void* argument) override;
    void traceOut(void* argument) override;
    bool isTraced() const { return traced; }

private:
    void attach();
    // Takes the model out of the view; `tell` sends "traceout" when the pointer was on it.
    void detach(bool tell);
    void reportMissing(const std::string& animation) const;

    View* view; // not owned
    std::string modelName;
    std::unique_ptr<Model> model;
    std::set<std::string> preloaded;
    Matrix3 initialOrientation;
    Vector initialPosition;
    bool registered = false;
    bool traced = false;
};

} // namespace ui
