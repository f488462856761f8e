#include "host/ui/SpriteComponent.h"
#include "host/ui/Sprite.h"
#include "host/ui/UI.h"

namespace ui {

SpriteComponent::SpriteComponent(UI* ui, float x, float y, float width, float height)
    : PlaneComponent(ui, std::make_unique<Sprite>(ui ? ui : theUI)) {
    setPosition(x, y);
    setSize(width, height);
}

Sprite* SpriteComponent::getSprite() const {
    return static_cast<Sprite*>(getPlane());
}

} // namespace ui
