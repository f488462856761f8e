#pragma once

#include <string>
#include <string_view>

namespace config {

// The name of a property or block, possibly descending into sub-blocks with dots:
// "HealthVisualizer.defaultColor" is the property "defaultColor" of the sub-block
// "HealthVisualizer". A NamePath refers to the caller's text and lives only for the call it is
// passed to; it never allocates.
class NamePath {
public:
    NamePath(const char* path) : path(path) {}
    NamePath(const std::string& path) : path(path) {}
    NamePath(std::string_view path) : path(path) {}

    std::string_view str() const { return path; }
    bool isDotted() const { return path.find('.') != std::string_view::npos; }

    // Splits off the last segment: "a.b.c" gives parents "a.b" and leaf "c".
    std::string_view leaf() const {
        const auto dot = path.rfind('.');
        return dot == std::string_view::npos ? path : path.substr(dot + 1);
    }
    std::string_view parents() const {
        const auto dot = path.rfind('.');
        return dot == std::string_view::npos ? std::string_view() : path.substr(0, dot);
    }

private:
    std::string_view path;
};

} // namespace config
