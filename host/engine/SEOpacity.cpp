#include "host/engine/SEOpacity.h"
#include "host/engine/EngineLog.h"

std::string SEOpacity::describe() const {
    return "opacity " + engineNumber(value);
}
