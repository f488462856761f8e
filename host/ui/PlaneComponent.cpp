#include "host/ui/PlaneComponent.h"
#include "host/config/Block.h"
#include "host/config/Convert.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Sprite.h"
#include "host/ui/UI.h"

namespace ui {

PlaneComponent::PlaneComponent(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height), plane(std::make_unique<Sprite>(getUI())) {}

PlaneComponent::PlaneComponent(UI* ui, std::unique_ptr<Plane> plane)
    : Component(ui ? ui : theUI), plane(std::move(plane)) {}

PlaneComponent::~PlaneComponent() = default;

bool PlaneComponent::setImage(const std::string& key) {
    repaint();
    return plane->setImage(key);
}

bool PlaneComponent::setImage(int index) {
    repaint();
    return plane->setImage(index);
}

void PlaneComponent::setRegion(float x, float y, float width, float height) {
    plane->setRegion(x, y, width, height);
    repaint();
}

void PlaneComponent::readConfig(config::Block* block) {
    config::Block* images = nullptr;
    if (block->getPropertyAccess("images", &images)) {
        config::BlockEntry<config::Block::List*>* entry = nullptr;
        for (images->getProperties(&entry); entry; entry = entry->getNext()) {
            // An image the catalogue lacks is reported at the line that names it.
            debug::ContextScope at(LayoutOptions::placeOf(images, entry->getName()));
            std::string file;
            if (!images->getProperty(entry->getName(), &file) || file.empty())
                LayoutOptions::report(block, "images",
                                      "image '" + entry->getName() + "' needs a file name");
            else
                plane->addImage(file, entry->getName());
        }
    } else if (block->hasProperty("images")) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "images"));
        for (const std::string& name : block->getList("images"))
            plane->addImage(name, name);
    }
    if (plane->getImageCount() > 0)
        plane->setImage(0);
    std::string value;
    if (LayoutOptions::readValue(block, "image", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "image"));
        plane->setImage(value);
    }
    if (LayoutOptions::readValue(block, "current", &value)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "current"));
        double index = 0;
        const bool numbered = config::parseNumber(value, &index);
        if (!(numbered ? plane->setImage(static_cast<int>(index)) : plane->setImage(value)))
            LayoutOptions::report(block, "current", "no image '" + value + "'");
    }
    float region[4];
    if (LayoutOptions::readNumbers(block, "region", 4, region))
        plane->setRegion(region[0], region[1], region[2], region[3]);
    float number = 0;
    if (LayoutOptions::readNumber(block, "opacity", config::Range(0, 1), &number))
        plane->setOpacity(number);
    if (LayoutOptions::readNumber(block, "angle", config::Range(), &number))
        plane->setAngle(number);
    bool flag = false;
    if (LayoutOptions::readBool(block, "flip", &flag))
        plane->setFlip(flag);
    if (LayoutOptions::readBool(block, "resolutionSensitive", &flag))
        plane->setResolutionSensitive(flag);
    config::Color key;
    if (LayoutOptions::readColor(block, "colorKey", &key))
        plane->setColorKey(key);
    if (!block->hasProperty("size") && plane->getImage() >= 0)
        setSize(plane->getImageWidth(), plane->getImageHeight());
    Component::readConfig(block);
}

void PlaneComponent::paint(Canvas& canvas) const {
    plane->paint(canvas, {getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()});
}

} // namespace ui
