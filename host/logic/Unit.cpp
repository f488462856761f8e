#include "host/logic/Unit.h"
#include "host/logic/Act.h"
#include "host/logic/Unit3d.h"

namespace kel::logic {

Unit::Unit(std::string internalName, Team* team, const std::string& modelName)
    : internalName(std::move(internalName)), team(team),
      proto(std::make_unique<Unit3d>(modelName)) {}

Unit::~Unit() = default;

Act* Unit::addAct(const std::string& name, int cost, const std::string& modifier) {
    acts.push_back(std::make_unique<Act>(this, name, cost, modifier));
    return acts.back().get();
}

Act* Unit::findAct(const std::string& name) const {
    for (const auto& act : acts)
        if (act->getInternalName() == name)
            return act.get();
    return nullptr;
}

} // namespace kel::logic
