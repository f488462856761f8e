#include "host/ui/ImageManager.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Image3D.h"
#include "host/engine/ImageCatalogue.h"
#include "host/ui/DataStorage.h"

namespace ui {

bool ImageManager::lookUpSize(const std::string& name, float* width, float* height) {
    return ImageCatalogue::lookUpSize(name, width, height);
}

bool ImageManager::firstReportOf(const std::string& name) {
    return ImageCatalogue::firstReportOf(name);
}

void ImageManager::forgetCatalogue() {
    ImageCatalogue::forget();
}

void ImageManager::reloadCatalogue() {
    ImageCatalogue::reload();
}

ImageManager::ImageManager(std::string kind) : kind(std::move(kind)) {}

ImageManager::~ImageManager() = default;

int ImageManager::registerImage(const std::string& name, const std::string& directory, int flags) {
    std::string localised = name;
    if (theDataStorage)
        theDataStorage->localizeImage(localised);
    thread::Lock hold(*this);
    const auto found = ids.find(localised);
    if (found != ids.end())
        return found->second;
    Image image;
    image.name = localised;
    image.directory = directory;
    image.flags = flags;
    if (!lookUpSize(localised, &image.width, &image.height) &&
        !lookUpSize(name, &image.width, &image.height)) {
        if (firstReportOf(name)) {
            static debug::Filter filter("ui", true);
            // An image a layout names is reported at the layout's option.
            debug::Error error(
                debug::ContextScope::current(debug::Context("/Configs/UI/images.cfg", 0)),
                "unknown " + kind + " image '" + name + "': drawn as 64 x 64");
            debug::report(filter, error);
        }
    }
    const int id = static_cast<int>(images.size());
    images.push_back(image);
    ids[localised] = id;
    return id;
}

int ImageManager::findImage(const std::string& name) const {
    thread::Lock hold(*this);
    const auto found = ids.find(name);
    return found == ids.end() ? -1 : found->second;
}

void ImageManager::addReference(int id) {
    thread::Lock hold(*this);
    if (id >= 0 && id < getCount())
        ++images[id].references;
}

void ImageManager::release(int id) {
    thread::Lock hold(*this);
    if (id >= 0 && id < getCount() && images[id].references > 0)
        --images[id].references;
}

const ImageManager::Image* ImageManager::getImage(int id) const {
    thread::Lock hold(*this);
    return id >= 0 && id < getCount() ? &images[id] : nullptr;
}

Image3D* ImageManager::getTexture3D(int id) {
    thread::Lock hold(*this);
    if (id < 0 || id >= getCount())
        return nullptr;
    std::unique_ptr<Image3D>& texture = textures3D[id];
    if (!texture)
        // The size the manager gave the image (an unknown one was reported when registered).
        texture = std::make_unique<Image3D>(images[id].name, images[id].width, images[id].height);
    return texture.get();
}

} // namespace ui
