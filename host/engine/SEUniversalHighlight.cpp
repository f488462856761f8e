#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/EngineLog.h"

#include <cstdio>

namespace {
std::string text(const config::Color& c) {
    return engineNumber(c.r) + " " + engineNumber(c.g) + " " + engineNumber(c.b) + " " +
           engineNumber(c.a);
}
} // namespace

std::string SEUniversalHighlight::describe() const {
    return "colours " + text(first) + " / " + text(second);
}

void SEUniversalHighlight::describeInto(std::string& out) const {
    char text[128];
    const int length = std::snprintf(text, sizeof text, "colours %g %g %g %g / %g %g %g %g",
                                     static_cast<double>(first.r), static_cast<double>(first.g),
                                     static_cast<double>(first.b), static_cast<double>(first.a),
                                     static_cast<double>(second.r), static_cast<double>(second.g),
                                     static_cast<double>(second.b), static_cast<double>(second.a));
    out.assign(text, static_cast<size_t>(length > 0 ? length : 0));
}
