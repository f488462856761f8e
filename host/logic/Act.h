#pragma once

#include "host/HostApi.h"

#include <string>

namespace kel::logic {

class Unit;

// Something a unit can do on its turn (strike, shoot, heal), at a cost in act points.
class KEL_HOST_API Act {
public:
    Act(Unit* unit, std::string internalName, int cost, std::string modifier)
        : unit(unit), internalName(std::move(internalName)), cost(cost),
          modifier(std::move(modifier)) {}

    Unit* getActiveUnit() const { return unit; }
    int getCost() const { return cost; }
    const std::string& getInternalName() const { return internalName; }
    // The element the act carries: "" or one of the ACT_*_MODIFIER texts.
    const std::string& getModifier() const { return modifier; }

private:
    Unit* unit; // the unit that owns the act
    std::string internalName;
    int cost;
    std::string modifier;
};

} // namespace kel::logic
