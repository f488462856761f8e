#include "host/render/FrameRenderer.h"
#include "host/resource/AtomicFile.h"

#include <mutex>
#include <set>

namespace render {

namespace {

struct Reported {
    std::mutex mutex;
    std::set<std::string> paths;
};

Reported& reported() {
    static Reported instance;
    return instance;
}

} // namespace

bool firstReportOfAsset(const std::string& gamePath) {
    Reported& r = reported();
    std::lock_guard<std::mutex> guard(r.mutex);
    return r.paths.insert(gamePath).second;
}

void forgetReportedAssets() {
    Reported& r = reported();
    std::lock_guard<std::mutex> guard(r.mutex);
    r.paths.clear();
}

unsigned Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    if (i + 3 >= pixels.size())
        return 0;
    return static_cast<unsigned>(pixels[i]) << 24 | static_cast<unsigned>(pixels[i + 1]) << 16 |
           static_cast<unsigned>(pixels[i + 2]) << 8 | pixels[i + 3];
}

bool writePng(const std::string& path, const Picture& picture, std::string* why) {
    std::string png, problem;
    if (encodePng(picture, &png, &problem) && resource::writeFileAtomically(path, png, &problem))
        return true;
    if (why)
        *why = path + ": " + problem;
    return false;
}

} // namespace render
