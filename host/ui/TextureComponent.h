#pragma once

#include "host/HostApi.h"
#include "host/ui/PlaneComponent.h"

namespace ui {

class Texture;

// A picture of the UI's texture images, which can fade, turn and flip (mission pictures, balloon
// pictures). Layout options: those of PlaneComponent.
class KEL_HOST_API TextureComponent : public PlaneComponent {
public:
    explicit TextureComponent(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                              float height = 0);

    std::string_view getClassName() const override { return "texturecomponent"; }
    Texture* getTexture() const;
};

} // namespace ui
