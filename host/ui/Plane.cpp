#include "host/ui/Plane.h"
#include "host/ui/ImageManager.h"

#include <cmath>

namespace ui {

Plane::Plane(ImageManager* manager, View* view) : manager(manager), view(view) {}

Plane::~Plane() {
    clear();
}

int Plane::addImage(int id, const std::string& key) {
    images.push_back(Entry{id, key, false});
    return static_cast<int>(images.size()) - 1;
}

int Plane::addImage(const std::string& imageName, const std::string& key) {
    if (!manager)
        return -1;
    const int id = manager->registerImage(imageName);
    manager->addReference(id);
    images.push_back(Entry{id, key.empty() ? imageName : key, true});
    return static_cast<int>(images.size()) - 1;
}

int Plane::replaceImage(const std::string& key, const std::string& imageName) {
    const int index = findImage(key);
    if (index < 0)
        return addImage(imageName, key);
    if (!manager)
        return index;
    Entry& entry = images[index];
    const int id = manager->registerImage(imageName);
    manager->addReference(id);
    if (entry.referenced)
        manager->release(entry.id);
    entry.id = id;
    entry.referenced = true;
    return index;
}

bool Plane::setImage(int index) {
    if (index < -1 || index >= getImageCount())
        return false;
    current = index;
    return true;
}

bool Plane::setImage(const std::string& key) {
    int index = findImage(key);
    if (index < 0)
        index = addImage(key, key);
    return index >= 0 && setImage(index);
}

int Plane::findImage(const std::string& key) const {
    for (size_t i = 0; i < images.size(); ++i)
        if (!images[i].key.empty() && images[i].key == key)
            return static_cast<int>(i);
    return -1;
}

const std::string& Plane::getKey(int index) const {
    static const std::string none;
    return index >= 0 && index < getImageCount() ? images[index].key : none;
}

int Plane::getImageId() const {
    return current >= 0 ? images[current].id : -1;
}

std::string Plane::getImageName() const {
    const ImageManager::Image* image = manager ? manager->getImage(getImageId()) : nullptr;
    return image ? image->name : std::string();
}

void Plane::clear() {
    for (const Entry& entry : images)
        if (entry.referenced && manager)
            manager->release(entry.id);
    images.clear();
    current = -1;
}

float Plane::getImageWidth() const {
    const ImageManager::Image* image = manager ? manager->getImage(getImageId()) : nullptr;
    return image ? image->width : 0.0f;
}

float Plane::getImageHeight() const {
    const ImageManager::Image* image = manager ? manager->getImage(getImageId()) : nullptr;
    return image ? image->height : 0.0f;
}

void Plane::setRegion(float x, float y, float width, float height) {
    region[0] = x;
    region[1] = y;
    region[2] = width;
    region[3] = height;
    regionSet = true;
}

void Plane::paint(Canvas& canvas, const Canvas::Rect& rect, int index) const {
    if (index < 0 || index >= getImageCount())
        return;
    const ImageManager::Image* image = manager ? manager->getImage(images[index].id) : nullptr;
    Canvas::ImageRun run;
    run.rect = rect;
    // A picture turned a quarter is drawn across the other way, so that once turned it covers
    // the rectangle it is drawn in (a balloon turned on its side).
    const int quarter = static_cast<int>(std::lround(angle / 90.0f));
    if (static_cast<float>(quarter * 90) == angle && quarter % 2 != 0)
        run.rect = {rect.x + (rect.width - rect.height) / 2,
                    rect.y + (rect.height - rect.width) / 2, rect.height, rect.width};
    run.name = image ? image->name : "#" + std::to_string(images[index].id);
    run.kind = manager ? manager->getKind() : "";
    run.clipped = regionSet;
    run.clip = {rect.x + region[0], rect.y + region[1], region[2], region[3]};
    run.opacity = opacity;
    run.angle = angle;
    run.flip = flip;
    canvas.image(run);
}

void Plane::setColorKey(const config::Color& color) {
    colorKey = color;
    keyed = true;
}

} // namespace ui
