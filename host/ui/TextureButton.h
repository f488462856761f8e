#pragma once

#include "host/HostApi.h"
#include "host/ui/ImageButton.h"

namespace ui {

class Texture;

// A picture button of texture images that also reports the press itself: "down" when the left
// button goes down on it, then "job" when the click completes. Menus that react at once (the
// mission menu's arrows) listen for "down".
//
// Layout options: those of ImageButton.
class KEL_HOST_API TextureButton : public ImageButton {
public:
    // A null UI means the root UI; pictures are drawn in its texture view.
    explicit TextureButton(UI* ui = nullptr);

    std::string_view getClassName() const override { return "texturebutton"; }
    Texture* getTexture() const;

protected:
    void onPress() override;
};

} // namespace ui
