#include "host/ui/TextureButton.h"
#include "host/ui/Texture.h"
#include "host/ui/UI.h"

namespace ui {

TextureButton::TextureButton(UI* ui)
    : ImageButton(ui ? ui : theUI, std::make_unique<Texture>(ui ? ui : theUI),
                  (ui ? ui : theUI) ? (ui ? ui : theUI)->getTextureView() : nullptr) {}

Texture* TextureButton::getTexture() const {
    return static_cast<Texture*>(getPlane());
}

void TextureButton::onPress() {
    send("down");
}

} // namespace ui
