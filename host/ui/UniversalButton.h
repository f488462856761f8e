#pragma once

#include "host/HostApi.h"
#include "host/ui/TextButton.h"

#include <memory>

namespace ui {

class Sprite;

// A button for keyboard and mouse alike: it takes the keyboard focus (when offered, or when
// clicked) and, while focused, a press of Return (51) or NumpadEnter (101) is a click: it
// notifies "job". Menus leave the confirm key to a focused UniversalButton.
//
// Layout options: those of TextButton, and image (a sprite drawn behind the caption).
class KEL_HOST_API UniversalButton : public TextButton {
public:
    explicit UniversalButton(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                             float height = 0);
    ~UniversalButton() override;

    std::string_view getClassName() const override { return "universalbutton"; }
    bool isFocusable() const override { return true; }
    void updateFocused() override;

    void setImage(const std::string& imageName);
    Sprite* getSprite() const { return sprite.get(); }

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onKey(int code, const std::string& name, bool pressed) override;

private:
    std::unique_ptr<Sprite> sprite;
};

} // namespace ui
