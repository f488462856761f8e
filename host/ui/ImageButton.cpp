#include "host/ui/ImageButton.h"
#include "host/config/Block.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Sprite.h"
#include "host/ui/UI.h"

#include <vector>

namespace ui {

ImageButton::ImageButton(View* view, UI* ui)
    : Button(ui), plane(std::make_unique<Sprite>(getUI())), view(view) {}

ImageButton::ImageButton(UI* ui, std::unique_ptr<Plane> plane, View* view)
    : Button(ui), plane(std::move(plane)), view(view) {}

ImageButton::~ImageButton() = default;

void ImageButton::setImage(const std::string& imageName) {
    plane->replaceImage("normal", imageName);
    plane->setImage(plane->findImage("normal"));
    repaint();
}

void ImageButton::setFlybyImage(const std::string& imageName) {
    plane->replaceImage("flyby", imageName);
    plane->setImage(plane->findImage("normal"));
    repaint();
}

void ImageButton::setPressedImage(const std::string& imageName) {
    plane->replaceImage("pressed", imageName);
    plane->setImage(plane->findImage("normal"));
    repaint();
}

void ImageButton::setDisabledImage(const std::string& imageName) {
    plane->replaceImage("disabled", imageName);
    plane->setImage(plane->findImage("normal"));
    repaint();
}

std::string ImageButton::getShownImage() const {
    // A missing picture falls back along pressed -> flyby -> normal.
    std::vector<const char*> wanted;
    if (!getEnabled())
        wanted = {"disabled"};
    else if (isPressed())
        wanted = {"pressed", "flyby"};
    else if (getFlyby())
        wanted = {"flyby"};
    for (const char* key : wanted)
        if (plane->findImage(key) >= 0)
            return key;
    return "normal";
}

void ImageButton::readConfig(config::Block* block) {
    std::string name;
    if (LayoutOptions::readValue(block, "image", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "image"));
        setImage(name);
    }
    if (LayoutOptions::readValue(block, "flybyImage", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "flybyImage"));
        setFlybyImage(name);
    }
    if (LayoutOptions::readValue(block, "pressedImage", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "pressedImage"));
        setPressedImage(name);
    }
    if (LayoutOptions::readValue(block, "disabledImage", &name)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "disabledImage"));
        setDisabledImage(name);
    }
    if (!block->hasProperty("size") && plane->getImage() >= 0)
        setSize(plane->getImageWidth(), plane->getImageHeight());
    Button::readConfig(block);
}

void ImageButton::paint(Canvas& canvas) const {
    const int shown = plane->findImage(getShownImage());
    if (shown < 0) {
        paintFace(canvas);
        return;
    }
    plane->paint(canvas, {getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()}, shown);
}

} // namespace ui
