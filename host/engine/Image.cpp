#include "host/engine/Image.h"
#include "host/engine/EngineLog.h"
#include "host/engine/ImageCatalogue.h"

#include <cmath>
#include <mutex>
#include <set>

namespace {

// Texture sides are powers of two.
int textureSide(float logical) {
    int side = 1;
    const float wanted = std::ceil(logical);
    while (side < wanted && side < (1 << 30))
        side *= 2;
    return side;
}

struct Size {
    float width = 64.0f;
    float height = 64.0f;
};

Size cataloguedSize(const std::string& fileName) {
    Size size;
    if (ImageCatalogue::lookUpSize(fileName, &size.width, &size.height))
        return size;
    if (ImageCatalogue::firstReportOf(fileName))
        reportEngineError("/Configs/UI/images.cfg", 0,
                          "unknown image '" + fileName + "': taken as 64 x 64");
    return Size();
}

} // namespace

Image::Image(const std::string& fileName) : name(fileName) {
    const Size size = cataloguedSize(fileName);
    logicalWidth = size.width;
    logicalHeight = size.height;
    width = textureSide(size.width);
    height = textureSide(size.height);
}

Image::Image(std::string name, float logicalWidth, float logicalHeight)
    : name(std::move(name)), width(textureSide(logicalWidth)), height(textureSide(logicalHeight)),
      logicalWidth(logicalWidth), logicalHeight(logicalHeight) {}

Image::~Image() = default;

bool Image::beginDrawSession() {
    if (drawing) {
        reportEngineError(name.empty() ? "image" : name, 0,
                          "a draw session is already open on this image");
        return false;
    }
    drawing = true;
    pending.clear();
    return true;
}

bool Image::checkSession(const char* operation) const {
    if (drawing)
        return true;
    reportEngineError(name.empty() ? "image" : name, 0,
                      std::string(operation) + " outside a draw session: nothing drawn");
    return false;
}

void Image::drawImage(const Image* source, float x, float y, float w, float h,
                      const ImageRegion& region) {
    drawImage(source ? source->getName() : std::string(), x, y, w, h, region);
}

void Image::drawImage(const std::string& sourceName, float x, float y, float w, float h,
                      const ImageRegion& region) {
    if (!checkSession("drawImage"))
        return;
    ImageDrawOperation op;
    op.kind = ImageDrawOperation::Picture;
    op.source = sourceName;
    op.x = x;
    op.y = y;
    op.width = w;
    op.height = h;
    op.region = region;
    op.color = drawSettings.getColor();
    pending.push_back(op);
}

void Image::drawBar(float x, float y, float w, float h, const config::Color& color) {
    if (!checkSession("drawBar"))
        return;
    ImageDrawOperation op;
    op.kind = ImageDrawOperation::Bar;
    op.x = x;
    op.y = y;
    op.width = w;
    op.height = h;
    op.color = color;
    pending.push_back(op);
}

void Image::endDrawSession() {
    if (!checkSession("endDrawSession"))
        return;
    drawing = false;
    content.swap(pending);
    pending.clear();
    ++revision;
}
