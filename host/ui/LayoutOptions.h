#pragma once

#include "host/HostApi.h"
#include "host/config/CheckedRead.h"
#include "host/config/Color.h"
#include "host/debug/Context.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace config {
class Block;
class NameEntry;
} // namespace config

namespace ui {

// Reads the options widgets share from a layout block, reporting malformed ones on the host log
// (filter "ui") with the layout file, line and column of the option. A malformed option is
// skipped and the component keeps its default, never fatal. The module reads its own options
// with the same readers.
class KEL_HOST_API LayoutOptions {
public:
    // While a component reads its options from a block, the block's properties are listed once
    // (name and entry, the first of each name), so that each option read, of an option the
    // block has or not, looks at that short list instead of searching the block. Scopes nest:
    // the innermost one of a block answers for it. A block with many properties, and a dotted
    // key, are searched in the block as without a scope. The block must not change while its
    // scope lasts.
    class KEL_HOST_API BlockScope {
    public:
        explicit BlockScope(const config::Block* block);
        ~BlockScope();
        BlockScope(const BlockScope&) = delete;
        BlockScope& operator=(const BlockScope&) = delete;

    private:
        friend class LayoutOptions;
        struct Option { // uninitialised until listed
            const char* name;
            size_t size;
            const config::NameEntry* entry;
        };
        static constexpr int kMaxOptions = 24;
        const config::Block* block = nullptr; // null when the block is not listed
        // What the block was like when listed: a block that changed is searched instead.
        const config::NameEntry* firstEntry = nullptr;
        int listCount = 0;
        int blockCount = 0;
        // A bit for each listed name, chosen by its length and its first and last characters
        // (see nameBit): a name whose bit is clear is not listed.
        uint64_t names = 0;
        int count = 0;
        Option options[kMaxOptions];
        BlockScope* previous;
    };

    // The first property of that name (for Block::valueCount, Block::valueAt and its
    // location), or null when it is missing.
    static const config::NameEntry* findOption(const config::Block* block, std::string_view key);
    // A few option names (without a dot), summed up once for mayHaveAny: a component that
    // reads several options its layouts seldom give keeps one as a static.
    class KEL_HOST_API OptionSet {
    public:
        OptionSet(std::initializer_list<std::string_view> names);

    private:
        friend class LayoutOptions;
        uint64_t bits = 0;
    };
    // False only when the block has none of the options of the set, so that reading them one by
    // one can be skipped. Answered from the block's scope; without one it is always true.
    static bool mayHaveAny(const config::Block* block, const OptionSet& options);
    // The first value of a property as text; false when it is missing or has no value.
    static bool readValue(const config::Block* block, std::string_view key, std::string* out);
    // A text option. "@key" stands for the interface string `key` of theDataStorage; "@@" starts
    // a text with a literal "@". False when the option is absent.
    static bool readText(config::Block* block, std::string_view key, std::string* out);
    // The same for a text that came from code; a missing interface string is reported against
    // `file` and `line` and shown as its key.
    static std::string localise(const std::string& text, const std::string& file = "", int line = 0,
                                int column = 0);
    // A choice written as its number or as one of `names` (the number is the index); the
    // spelling "center" is taken for "centre".
    static bool readChoice(config::Block* block, std::string_view key,
                           const std::vector<std::string>& names, int* out);
    static bool readChoice(config::Block* block, std::string_view key,
                           std::initializer_list<const char*> names, int* out);
    // Typed options: true with *out set when the option is there and right; a wrong one (not of
    // the type, not finite, out of range, a wrong count of values) is reported and leaves *out
    // as it was; a missing one returns false quietly.
    static bool readNumber(config::Block* block, std::string_view key, const config::Range& range,
                           float* out);
    // Exactly `count` numbers, each in the range (any finite number by default).
    static bool readNumbers(config::Block* block, std::string_view key, size_t count, float* out,
                            const config::Range& range = config::Range());
    static bool readInt(config::Block* block, std::string_view key, const config::Range& range,
                        int* out);
    static bool readBool(config::Block* block, std::string_view key, bool* out);
    // Whether a value is a bool as the readers take it (true/yes/on/1, false/no/off/0), and
    // which.
    static bool isBool(std::string_view text, bool* out);
    // Three or four numbers from 0 to 1.
    static bool readColor(config::Block* block, std::string_view key, config::Color* out);
    // The place of an option, for a debug::ContextScope around the work it asks for (an image
    // or a font it names that the catalogue lacks is then reported there).
    static debug::Context placeOf(const config::Block* block, std::string_view key);
    // Reports a problem with an option of the block.
    static void report(config::Block* block, std::string_view key, const std::string& text);
    // The names for TextLayout's alignments: "left", "right", "centre".
    static const std::vector<std::string>& alignNames();

private:
    // The innermost scope of the block on this thread, or null when there is none or the block
    // changed since it was listed.
    static const BlockScope* listedScope(const config::Block* block);
};

} // namespace ui
