#include "host/engine/ImageCatalogue.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"

#include <map>
#include <mutex>

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

bool ImageCatalogue::lookUpSize(const std::string& name, float* width, float* height) {
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

bool ImageCatalogue::firstReportOf(const std::string& name) {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    bool& reported = c.reported[name];
    const bool first = !reported;
    reported = true;
    return first;
}

void ImageCatalogue::forget() {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    c.reported.clear();
    c.sizes.clear();
    c.loaded = false;
}

void ImageCatalogue::reload() {
    Catalogue& c = catalogue();
    std::lock_guard<std::mutex> guard(c.mutex);
    c.reported.clear();
    c.load();
}
