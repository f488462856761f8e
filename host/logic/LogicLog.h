#pragma once

#include <string>

namespace debug {
class Filter;
}

namespace kel::logic {

// The game logic's messages (bad map files) go to the host log under the filter "logic".
// Internal to the host library.
debug::Filter& logicLog();
void reportLogicError(const std::string& file, int line, int column, const std::string& text);

} // namespace kel::logic
