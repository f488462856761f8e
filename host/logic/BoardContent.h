#pragma once

#include "host/logic/Chest.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"

#include <memory>
#include <string>
#include <vector>

namespace kel::logic {

// Everything a map puts on the board; owned as a whole, so a board can swap a freshly loaded
// map in at once.
struct BoardContent {
    std::string name;
    int width = 0;
    int height = 0;
    float sphereRadius = 0.0f;
    std::vector<std::unique_ptr<Team>> teams;
    std::vector<std::unique_ptr<Landscape>> cells; // row by row: index y * width + x
    std::vector<std::unique_ptr<Object>> objects;
    std::vector<std::unique_ptr<Chest>> chests;
    std::vector<std::unique_ptr<Unit>> units;

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Landscape* cellAt(int x, int y) const {
        return inside(x, y) ? cells[static_cast<size_t>(y * width + x)].get() : nullptr;
    }
    Team* findTeam(const std::string& name) const {
        for (const auto& team : teams)
            if (team->getInternalName() == name)
                return team.get();
        return nullptr;
    }
    Unit* unitAt(int x, int y) const {
        for (const auto& unit : units)
            if (unit->getCellX() == x && unit->getCellY() == y && unit->isAlive())
                return unit.get();
        return nullptr;
    }
    Object* objectAt(int x, int y) const {
        for (const auto& object : objects)
            if (object->getX() == x && object->getY() == y)
                return object.get();
        return nullptr;
    }
    Chest* chestAt(int x, int y) const {
        for (const auto& chest : chests)
            if (chest->getX() == x && chest->getY() == y)
                return chest.get();
        return nullptr;
    }
};

} // namespace kel::logic
