#include "host/engine/SEDirectHighlight.h"
#include "host/engine/EngineLog.h"

std::string SEDirectHighlight::describe() const {
    return "highlight " + engineNumber(color.r) + " " + engineNumber(color.g) + " " +
           engineNumber(color.b) + " " + engineNumber(color.a);
}
