#pragma once

#include "host/HostApi.h"
#include "host/ui/PlaneComponent.h"

namespace ui {

class Sprite;

// A picture of the UI's sprite images (icons, bars, pointer parts). Layout options: those of
// PlaneComponent.
class KEL_HOST_API SpriteComponent : public PlaneComponent {
public:
    explicit SpriteComponent(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                             float height = 0);

    std::string_view getClassName() const override { return "spritecomponent"; }
    Sprite* getSprite() const;
};

} // namespace ui
