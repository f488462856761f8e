#pragma once

#include "host/HostApi.h"
#include "host/config/CheckedRead.h"
#include "host/config/Color.h"
#include "host/debug/Context.h"

#include <string>
#include <vector>

namespace config {
class Block;
}

namespace ui {

// Reads the options widgets share from a layout block, reporting malformed ones on the host log
// (filter "ui") with the layout file, line and column of the option. A malformed option is
// skipped and the component keeps its default, never fatal. The module reads its own options
// with the same readers.
class KEL_HOST_API LayoutOptions {
public:
    // A text option. "@key" stands for the interface string `key` of theDataStorage; "@@" starts
    // a text with a literal "@". False when the option is absent.
    static bool readText(config::Block* block, const std::string& key, std::string* out);
    // The same for a text that came from code; a missing interface string is reported against
    // `file` and `line` and shown as its key.
    static std::string localise(const std::string& text, const std::string& file = "", int line = 0,
                                int column = 0);
    // A choice written as its number or as one of `names` (the number is the index); the
    // spelling "center" is taken for "centre".
    static bool readChoice(config::Block* block, const std::string& key,
                           const std::vector<std::string>& names, int* out);
    // Typed options: true with *out set when the option is there and right; a wrong one (not of
    // the type, not finite, out of range, a wrong count of values) is reported and leaves *out
    // as it was; a missing one returns false quietly.
    static bool readNumber(config::Block* block, const std::string& key, const config::Range& range,
                           float* out);
    // Exactly `count` numbers, each in the range (any finite number by default).
    static bool readNumbers(config::Block* block, const std::string& key, size_t count, float* out,
                            const config::Range& range = config::Range());
    static bool readInt(config::Block* block, const std::string& key, const config::Range& range,
                        int* out);
    static bool readBool(config::Block* block, const std::string& key, bool* out);
    // Three or four numbers from 0 to 1.
    static bool readColor(config::Block* block, const std::string& key, config::Color* out);
    // The place of an option, for a debug::ContextScope around the work it asks for (an image
    // or a font it names that the catalogue lacks is then reported there).
    static debug::Context placeOf(const config::Block* block, const std::string& key);
    // Reports a problem with an option of the block.
    static void report(config::Block* block, const std::string& key, const std::string& text);
    // The names for TextLayout's alignments: "left", "right", "centre".
    static const std::vector<std::string>& alignNames();
};

} // namespace ui
