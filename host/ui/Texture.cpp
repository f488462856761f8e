#include "host/ui/Texture.h"
#include "host/ui/UI.h"

namespace ui {

Texture::Texture(UI* ui)
    : Plane(ui ? ui->getTextureManager() : nullptr, ui ? ui->getTextureView() : nullptr) {}

} // namespace ui
