#include "host/engine/ScreenPictures.h"

#include <map>
#include <mutex>

namespace {

struct Store {
    std::mutex mutex;
    ScreenPictures::Taker taker;
    std::map<std::string, std::shared_ptr<const ScreenPictures::Picture>> pictures;
    unsigned long versions = 0;
};

Store& store() {
    static Store kept;
    return kept;
}

} // namespace

void ScreenPictures::setTaker(Taker taker) {
    std::lock_guard<std::mutex> hold(store().mutex);
    store().taker = std::move(taker);
}

bool ScreenPictures::take(const std::string& name) {
    Taker taker;
    {
        std::lock_guard<std::mutex> hold(store().mutex);
        taker = store().taker;
    }
    // The taker draws the whole screen, which may look pictures up: it runs unlocked.
    auto picture = std::make_shared<Picture>();
    if (!taker || !taker(picture.get()) || picture->width < 1 || picture->height < 1 ||
        picture->rgba.size() != static_cast<size_t>(picture->width) * picture->height * 4)
        return false;
    std::lock_guard<std::mutex> hold(store().mutex);
    picture->version = ++store().versions;
    store().pictures[name] = std::move(picture);
    return true;
}

std::shared_ptr<const ScreenPictures::Picture> ScreenPictures::find(const std::string& name) {
    std::lock_guard<std::mutex> hold(store().mutex);
    const auto found = store().pictures.find(name);
    return found == store().pictures.end() ? nullptr : found->second;
}

void ScreenPictures::forget(const std::string& name) {
    std::lock_guard<std::mutex> hold(store().mutex);
    store().pictures.erase(name);
}
