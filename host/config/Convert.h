#pragma once

// Text <-> value conversions shared by the configuration reader, writer and typed reads.
// Locale-independent: a configuration file reads the same on every machine.

#include <string>
#include <string_view>
#include <vector>

namespace config {

bool parseInt(std::string_view text, int* out);
bool parseNumber(std::string_view text, double* out);
bool parseBool(std::string_view text, bool* out);
// The shortest text that reads back as the same float.
std::string formatFloat(float value);
std::vector<std::string> formatFloats(const std::vector<float>& values);

} // namespace config
