#include "host/logic/Object.h"
#include "host/engine/Model.h"

namespace kel::logic {

namespace {
const char* const kTypes[] = {"tree", "rock",       "barrel", "fence", "lantern",
                              "well", "lighthouse", "mill",   "statue"};
constexpr int kTypeCount = static_cast<int>(sizeof kTypes / sizeof kTypes[0]);
} // namespace

Object::Object(int type, const std::string& modelName, float degree, int x, int y)
    : type(type), x(x), y(y),
      model(std::make_unique<Model>(std::make_unique<LandscapeObjectAnimator>(modelName, degree))) {
}

Object::~Object() = default;

std::string Object::getNameOfObjectType(int type) {
    return type >= 0 && type < kTypeCount ? kTypes[type] : "";
}

int Object::findObjectType(const std::string& name) {
    for (int i = 0; i < kTypeCount; ++i)
        if (name == kTypes[i])
            return i;
    return -1;
}

} // namespace kel::logic
