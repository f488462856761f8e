#include "host/logic/Target.h"
#include "host/logic/Chest.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/Unit.h"

namespace kel::logic {

Target::Target(Unit* unit) : kind(unit ? UNIT : NOTHING), pointer(unit) {}
Target::Target(Landscape* landscape) : kind(landscape ? LANDSCAPE : NOTHING), pointer(landscape) {}
Target::Target(Object* object) : kind(object ? OBJECT : NOTHING), pointer(object) {}
Target::Target(Chest* chest) : kind(chest ? CHEST : NOTHING), pointer(chest) {}

Unit* Target::getUnit() const {
    return kind == UNIT ? static_cast<Unit*>(pointer) : nullptr;
}

Landscape* Target::getLandscape() const {
    return kind == LANDSCAPE ? static_cast<Landscape*>(pointer) : nullptr;
}

Object* Target::getObject() const {
    return kind == OBJECT ? static_cast<Object*>(pointer) : nullptr;
}

Chest* Target::getChest() const {
    return kind == CHEST ? static_cast<Chest*>(pointer) : nullptr;
}

std::string Target::describe() const {
    switch (kind) {
    case UNIT:
        return "unit:" + getUnit()->getInternalName();
    case LANDSCAPE:
        return "landscape:" + std::to_string(getLandscape()->getX()) + "," +
               std::to_string(getLandscape()->getY());
    case OBJECT:
        return "object:" + Object::getNameOfObjectType(getObject()->getObjectType());
    case CHEST:
        return "chest:" + std::to_string(getChest()->getX()) + "," +
               std::to_string(getChest()->getY());
    case NOTHING:
        break;
    }
    return "none";
}

} // namespace kel::logic
