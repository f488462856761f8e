#include "host/engine/SEOpacity.h"
#include "host/engine/EngineLog.h"

std::string SEOpacity::describe() const {
    return "opacity " + engineNumber(value);
}

std::string SEOpacity::describe(const Values& captured) const {
    return "opacity " + engineNumber(captured.numbers[0]);
}
