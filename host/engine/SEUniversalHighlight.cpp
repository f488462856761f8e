#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/EngineLog.h"

namespace {
std::string text(const config::Color& c) {
    return engineNumber(c.r) + " " + engineNumber(c.g) + " " + engineNumber(c.b) + " " +
           engineNumber(c.a);
}
} // namespace

std::string SEUniversalHighlight::describe() const {
    return "colours " + text(first) + " / " + text(second);
}
