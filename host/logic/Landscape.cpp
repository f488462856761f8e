#include "host/logic/Landscape.h"
#include "host/engine/Model.h"

#include <iterator>

namespace kel::logic {

namespace {

const char* const kTypes[] = {"empty", "ground", "chasm", "wall", "water", "cliff", "bridge"};
const char* const kSubtypes[] = {"none", "grass",  "sand", "stone", "moss", "shallow",
                                 "deep", "planks", "rock", "abyss", "snow", "mud"};

template <size_t N> std::string nameAt(const char* const (&names)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? names[index] : "";
}

template <size_t N> int indexOf(const char* const (&names)[N], const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (name == names[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace

Landscape::Landscape(int type, int subtype, int x, int y)
    : type(type), subtype(subtype), x(x), y(y) {
    // Cells are landscape objects: the engine bends them with the world's sphere.
    if (type != EMPTY)
        model = std::make_unique<Model>(std::make_unique<LandscapeObjectAnimator>(
            "cell_" + getNameOfLandscapeType(type), 1.0f));
}

Landscape::~Landscape() = default;

std::string Landscape::getNameOfLandscapeType(int type) {
    return nameAt(kTypes, type);
}

int Landscape::findLandscapeType(const std::string& name) {
    return indexOf(kTypes, name);
}

std::string Landscape::getNameOfLandscapeSubtype(int subtype) {
    return nameAt(kSubtypes, subtype);
}

int Landscape::findLandscapeSubtype(const std::string& name) {
    return indexOf(kSubtypes, name);
}

} // namespace kel::logic
