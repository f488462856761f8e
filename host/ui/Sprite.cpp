#include "host/ui/Sprite.h"
#include "host/ui/UI.h"

namespace ui {

Sprite::Sprite(UI* ui)
    : Plane(ui ? ui->getSpriteManager() : nullptr, ui ? ui->getView() : nullptr) {}

} // namespace ui
