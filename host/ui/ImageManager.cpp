#include "host/ui/ImageManager.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Image3D.h"
#include "host/ui/DataStorage.h"

#include <mutex>

namespace ui {

namespace {

struct Catalogue {
    std::mutex mutex;
    bool loaded = false;
    std::map<std::string, std::pair<float, float>> sizes;
    std::map<std::string, bool> reported;

    void load() {
        loaded = true;
        sizes.clear();
        config::Config file;
        if (!file.readFile("/Configs/UI/images.cfg"))
            return;
        config::BlockEntry<config::Block::List*>* entry = nullptr;
        for (file.getProperties(&entry); entry; entry = entry->getNext()) {
            const config::Block::List& values = *entry->getValue();
            double w = 0, h = 0;
            // Sizes are screen units: a picture bigger than a few screens is a typing slip.
            config::Range within(0, 4096);
            within.openMin = true;
            std::string problem = values.size() == 2 ? config::checkNumber(values[0], within, &w)
                                                     : "needs a width and a height";
            if (problem.empty())
                problem = config::checkNumber(values[1], within, &h);
            if (problem.empty()) {
                sizes[entry->getName()] = {static_cast<float>(w), static_cast<float>(h)};
            } else {
                static debug::Filter filter("ui", true);
                debug::Error error(
                    debug::Context(file.getSourceFile(), entry->getLine(), entry->getColumn()),
                    "image '" + entry->getName() + "': " + problem + "; drawn as 64 x 64");
                debug::report(filter, error);
            }
        }
    }
};

Catalogue& catalogue() {
    static Catalogue instance;
    return instance;
}

} // namespace

bool ImageManager::lookUpSize(const std::string& name, float* width, float* height) {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    if (!c.loaded)
        c.load();
    const auto found = c.sizes.find(name);
    if (found == c.sizes.end())
        return false;
    *width = found->second.first;
    *height = found->second.second;
    return true;
}

bool ImageManager::firstReportOf(const std::string& name) {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    bool& reported = c.reported[name];
    const bool first = !reported;
    reported = true;
    return first;
}

void ImageManager::forgetCatalogue() {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    c.reported.clear();
    c.sizes.clear();
    c.loaded = false;
}

void ImageManager::reloadCatalogue() {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    c.reported.clear();
    c.load();
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
