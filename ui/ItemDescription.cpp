#include "ui/ItemDescription.h"

#include "host/engine/View.h"
#include "host/ui/Texture.h"

namespace kel::ui {

ItemDescription::ItemDescription() {
    getTexture()->setResolutionSensitive(false);
    if (View* view = getTexture()->getView())
        view->registerListener(this, 0);
}

ItemDescription::~ItemDescription() {
    if (View* view = getTexture()->getView())
        view->unregisterListener(this);
}

void ItemDescription::term() {
    TextureComponent::term();
    if (View* view = getTexture()->getView())
        view->unregisterListener(this);
}

} // namespace kel::ui
