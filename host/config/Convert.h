#pragma once

// Text <-> value conversions shared by the configuration reader, writer and typed reads.
// Locale-independent: a configuration file reads the same on every machine.

#include <string>
#include <string_view>

namespace config {

bool parseInt(std::string_view text, int* out);
bool parseNumber(std::string_view text, double* out);
// A number a float holds: finite and no bigger than the largest float (1e300 is refused, never
// read as infinity).
bool parseFloat(std::string_view text, float* out);
bool fitsFloat(double value);
bool parseBool(std::string_view text, bool* out);
// The shortest text that reads back as the same float.
std::string formatFloat(float value);

} // namespace config
