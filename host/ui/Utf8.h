#pragma once

#include <string>

namespace ui {

// Calls `f` with each code point of a UTF-8 text; a malformed or cut byte counts as one
// character of its own value, so measuring or drawing any text never stops early.
template <class F> void forEachCodepoint(const std::string& text, F&& f) {
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size() + (extra ? 0 : 1))
            extra = 0;
        unsigned code = extra ? byte & (0x3F >> extra) : byte;
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        f(code);
        i += 1 + static_cast<size_t>(extra);
    }
}

} // namespace ui
