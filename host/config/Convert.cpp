#include "host/config/Convert.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace config {

bool parseInt(std::string_view text, int* out) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    *out = value;
    return true;
}

bool parseNumber(std::string_view text, double* out) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return false;
    *out = value;
    return true;
}

bool fitsFloat(double value) {
    return std::fabs(value) <= std::numeric_limits<float>::max();
}

bool parseFloat(std::string_view text, float* out) {
    double value = 0;
    if (!parseNumber(text, &value) || !fitsFloat(value))
        return false;
    *out = static_cast<float>(value);
    return true;
}

bool parseBool(std::string_view text, bool* out) {
    std::string lower(text);
    for (auto& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (lower == "true" || lower == "yes" || lower == "on" || lower == "1") {
        *out = true;
        return true;
    }
    if (lower == "false" || lower == "no" || lower == "off" || lower == "0") {
        *out = false;
        return true;
    }
    return false;
}

std::string formatFloat(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace config
