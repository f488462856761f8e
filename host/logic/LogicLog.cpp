#include "host/logic/LogicLog.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"

namespace kel::logic {

debug::Filter& logicLog() {
    static debug::Filter filter("logic", true);
    return filter;
}

void reportLogicError(const std::string& file, int line, int column, const std::string& text) {
    debug::Error error(debug::Context(file, line, column), text);
    debug::report(logicLog(), error);
}

} // namespace kel::logic
