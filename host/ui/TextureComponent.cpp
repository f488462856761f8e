#include "host/ui/TextureComponent.h"
#include "host/ui/Texture.h"
#include "host/ui/UI.h"

namespace ui {

TextureComponent::TextureComponent(UI* ui, float x, float y, float width, float height)
    : PlaneComponent(ui, std::make_unique<Texture>(ui ? ui : theUI)) {
    setPosition(x, y);
    setSize(width, height);
}

Texture* TextureComponent::getTexture() const {
    return static_cast<Texture*>(getPlane());
}

} // namespace ui
