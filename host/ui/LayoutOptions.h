#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

#include <string>
#include <vector>

namespace config {
class Block;
}

namespace ui {

// Reads the options widgets share from a layout block, reporting malformed ones on the host log
// (filter "ui") with the layout file and line. A malformed option is skipped, never fatal.
class KEL_HOST_API LayoutOptions {
public:
    // A text option. "@key" stands for the interface string `key` of theDataStorage; "@@" starts
    // a text with a literal "@". False when the option is absent.
    static bool readText(config::Block* block, const std::string& key, std::string* out);
    // The same for a text that came from code; a missing interface string is reported against
    // `file` and `line` and shown as its key.
    static std::string localise(const std::string& text, const std::string& file = "",
                                int line = 0);
    // A choice written as its number or as one of `names` (the number is the index); the
    // spelling "center" is taken for "centre".
    static bool readChoice(config::Block* block, const std::string& key,
                           const std::vector<std::string>& names, int* out);
    // Exactly `count` numbers.
    static bool readNumbers(config::Block* block, const std::string& key, size_t count, float* out);
    static bool readColor(config::Block* block, const std::string& key, config::Color* out);
    // Reports a problem with an option of the block.
    static void report(config::Block* block, const std::string& key, const std::string& text);
    // The names for TextLayout's alignments: "left", "right", "centre".
    static const std::vector<std::string>& alignNames();
};

} // namespace ui
