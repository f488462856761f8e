#include "ui/EntireMenuItem.h"
#include "ui/Scene.h"

#include "host/config/Block.h"
#include "host/engine/Model.h"
#include "host/engine/SEContour.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <string_view>
#include <vector>

namespace kel::ui {

EntireMenuItem::ItemModel::ItemModel(::ui::UI* ui, View* view, const std::string& modelName)
    : ModelComponent(ui, view, modelName) {}

void EntireMenuItem::ItemModel::refocus(::ui::Component**) {}

void EntireMenuItem::ItemModel::updateShowed() {
    ModelComponent::updateShowed();
}

EntireMenuItem::EntireMenuItem(::ui::UI* ui) : Container(ui, 0, 0, 0, 0) {
    // Its fly-by follows its projected area, not its rectangle.
    setOwnFlyby(true);
}

void EntireMenuItem::readConfig(config::Block* block) {
    Container::readConfig(block);
    std::string modelName;
    block->getProperty("model", &modelName);
    {
        // A model the catalogue lacks is reported at the option that names it.
        debug::ContextScope at(::ui::LayoutOptions::placeOf(block, "model"));
        create(modelName);
    }
    block->getProperty("changeEvent", &changeEvent);
    ::ui::LayoutOptions::readNumber(block, "projectionWidth", config::Range::above(0),
                                    &projectionWidth);
    ::ui::LayoutOptions::readNumber(block, "projectionHeight", config::Range::above(0),
                                    &projectionHeight);
    if (block->hasProperty("initialTransformation") && model)
        model->setInitialTransformation();
}

void EntireMenuItem::create(const std::string& modelName) {
    if (model) {
        ItemModel* old = model;
        model = nullptr;
        highlighted = false;
        traced = false;
        // A contour must not stay attached to an animator that goes away with its model.
        if (Animator* animator = old->getAnimator())
            for (ScreenEffect* effect : std::vector<ScreenEffect*>(animator->getEffects()))
                if (auto* contour = dynamic_cast<SEContour*>(effect))
                    contour->detach(animator);
        deleteComponent(old);
    }
    auto* scene = dynamic_cast<Scene*>(getMaster());
    auto* created = new ItemModel(getUI(), scene ? scene->getView() : nullptr, modelName);
    created->preloadMultiLevelAnimation("Walk");
    created->setVisible(true);
    created->setName(getName());
    model = created;
    addComponent(created);
    setVisible(true);
}

void EntireMenuItem::setName(const std::string& name) {
    Container::setName(name);
    if (model)
        model->setName(name);
}

void EntireMenuItem::setProjection(float x, float y, float size) {
    projectedX = x;
    projectedY = y;
    projectedSize = size;
    reFlyby();
}

void EntireMenuItem::reFlyby() {
    const ::ui::MousePointer* pointer = getUI() ? getUI()->getMousePointer() : nullptr;
    bool over = false;
    if (pointer) {
        const float mx = pointer->getX();
        const float my = pointer->getY();
        const float halfWidth = projectedSize * projectionWidth;
        const float halfHeight = projectedSize * projectionHeight;
        over = projectedX - halfWidth < mx && mx < projectedX + halfWidth &&
               projectedY - halfHeight < my && my < projectedY + halfHeight;
    }
    // A hidden entry is under nothing: hiding cleared its fly-by and it must stay clear.
    setFlyby(isShowed() && (over || traced));
}

void EntireMenuItem::refocus(::ui::Component**) {}

void EntireMenuItem::updateFlyby() {
    notifyAction("updatecontour");
}

void EntireMenuItem::notify(::ui::NotifyEvent& event) {
    Container::notify(event);
    std::string scratch;
    const std::string_view action = event.text("action", scratch); // compared by length first
    // What the engine traces under the pointer changes the fly-by at once: a click right after
    // the pointer left the entry must not choose it.
    if (action == "tracein" || action == "traceout") {
        traced = action == "tracein";
        reFlyby();
    }
}

void EntireMenuItem::addHighlight(SEDirectHighlight* effect) {
    Animator* animator = model ? model->getAnimator() : nullptr;
    if (highlighted || !animator || !effect)
        return;
    animator->addEffect(effect);
    highlighted = true;
}

void EntireMenuItem::delHighlight(SEDirectHighlight* effect) {
    Animator* animator = model ? model->getAnimator() : nullptr;
    if (!highlighted || !animator)
        return;
    animator->removeEffect(effect);
    highlighted = false;
}

void EntireMenuItem::setContour(SEContour* effect) {
    if (effect && model)
        effect->attach(model->getAnimator());
}

void EntireMenuItem::removeContour(SEContour* effect) {
    if (effect && model)
        effect->detach(model->getAnimator());
}

void EntireMenuItem::setWalkAnimation() {
    if (model)
        model->setWalkAnimation("Walk", true);
}

void EntireMenuItem::setBaseAnimation() {
    if (model)
        model->setBaseAnimation();
}

} // namespace kel::ui
