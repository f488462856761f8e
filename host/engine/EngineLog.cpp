#include "host/engine/EngineLog.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"

#include <cstdio>

debug::Filter& engineLog() {
    static debug::Filter filter("engine", true);
    return filter;
}

void reportEngineError(const std::string& file, int line, const std::string& text) {
    debug::Error error(debug::Context(file, line), text);
    debug::report(engineLog(), error);
}

std::string engineNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}
