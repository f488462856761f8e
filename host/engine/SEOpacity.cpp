#include "host/engine/SEOpacity.h"
#include "host/engine/EngineLog.h"

#include <cstdio>

std::string SEOpacity::describe() const {
    return "opacity " + engineNumber(value);
}

void SEOpacity::describeInto(std::string& out) const {
    char text[48];
    const int length = std::snprintf(text, sizeof text, "opacity %g", static_cast<double>(value));
    out.assign(text, static_cast<size_t>(length > 0 ? length : 0));
}
