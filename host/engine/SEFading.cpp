#include "host/engine/SEFading.h"
#include "host/engine/EngineLog.h"

std::string SEFading::describe() const {
    return "fade " + engineNumber(value);
}
