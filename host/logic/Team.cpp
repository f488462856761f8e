#include "host/logic/Team.h"
#include "host/logic/Unit.h"

namespace kel::logic {

bool Team::hasLivingUnits() const {
    for (const Unit* unit : units)
        if (unit->isAlive())
            return true;
    return false;
}

} // namespace kel::logic
