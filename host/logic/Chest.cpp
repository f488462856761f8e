#include "host/logic/Chest.h"
#include "host/engine/Model.h"

namespace kel::logic {

Chest::Chest(const std::string& modelName, int x, int y, std::vector<std::string> contents)
    : x(x), y(y), model(std::make_unique<Model>(modelName)), contents(std::move(contents)) {}

Chest::~Chest() = default;

std::vector<std::string> Chest::takeContents() {
    open = true;
    std::vector<std::string> taken;
    taken.swap(contents);
    return taken;
}

} // namespace kel::logic
