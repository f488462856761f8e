#pragma once

#include "ui/UiApi.h"

#include <string>

namespace debug {
class Filter;
}

namespace kel::ui {

// The module's debug filter, named "kel-ui": every error of the module goes through it.
KEL_UI_API debug::Filter& moduleFilter();

// Sends a debug::Error with the given source context and text through the module's filter.
KEL_UI_API void reportError(const char* file, int line, const std::string& text);
// The same for a place in a data file, with its column (1-based, in characters).
KEL_UI_API void reportError(const std::string& file, int line, int column, const std::string& text);

} // namespace kel::ui
