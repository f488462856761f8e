#include "ui/ModuleLog.h"

#include "host/debug/Error.h"
#include "host/debug/Filter.h"

namespace kel::ui {

void reportError(const char* file, int line, const std::string& text) {
    debug::Error error(debug::Context(file, line), text);
    debug::report(moduleFilter(), error);
}

void reportError(const std::string& file, int line, int column, const std::string& text) {
    debug::Error error(debug::Context(file, line, column), text);
    debug::report(moduleFilter(), error);
}

} // namespace kel::ui
