#pragma once

#include "host/HostApi.h"

#include <string>
#include <vector>

namespace kel::logic {

class Unit;

// A side of the battle. Teams take turns in the order the map lists them; the first is the
// human player's.
class KEL_HOST_API Team {
public:
    Team(std::string internalName, int index)
        : internalName(std::move(internalName)), index(index) {}

    const std::string& getInternalName() const { return internalName; }
    // Position in the map's team list; 0 plays first.
    int getIndex() const { return index; }

    // The team's units (owned by the board), in map order.
    const std::vector<Unit*>& getUnits() const { return units; }
    void addUnit(Unit* unit) { units.push_back(unit); }
    bool hasLivingUnits() const;

private:
    std::string internalName;
    int index;
    std::vector<Unit*> units; // not owned
};

} // namespace kel::logic
