#pragma once

#include <string>

namespace debug {
class Filter;
}

// The engine's own messages (bad images, misuse of draw sessions) go to the host log under the
// filter "engine". Internal to the host library.
debug::Filter& engineLog();

// Reports `text` on the engine log with the file and line it concerns.
void reportEngineError(const std::string& file, int line, const std::string& text);

// A float as short text for descriptions: "0.6", "1", "-0.25".
std::string engineNumber(float value);
