#pragma once

// Internal to the configuration library: the storage a parsed document's values point into.

#include "host/config/Block.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// The text of one document and its values. Immutable once the document is read; shared by every
// block of the document and by their copies, so copying a read block copies no value text.
// It also holds the entries the reader made (in big chunks); the blocks only destroy them.
struct TextStore {
    std::string file;
    std::string text;
    std::deque<std::string> decoded; // quoted values with escapes, decoded

    void* allocate(size_t size);
    std::vector<std::unique_ptr<std::max_align_t[]>> chunks;
    size_t used = 0;
    size_t capacity = 0;
};

// The reader's way into a block: entries whose values are views into the store. Also the name
// index of big blocks, kept with the block's storage.
class Reader {
public:
    // Adds an entry just linked into a block that has a few dozen entries of its kind or more.
    static void indexEntry(Block& block, NameEntry* entry);
    // Creates or replaces a property with one value (Block::setProperty's typed forms).
    static void setValue(Block& root, const NamePath& path, std::string_view value);
    // Gives a list entry of `block` a copy of the values, kept in the block's own chunks.
    static void keepLocal(Block& block, NameEntry& entry, const std::string_view* values,
                          size_t count);
    // The first entry of that kind and name in a block with an index of that kind.
    static const NameEntry* findIndexed(const Block& block, bool blocks, std::string_view name);
    static void start(Block& root, std::shared_ptr<const TextStore> store);
    static Block& appendBlock(TextStore& store, Block& parent, std::string&& name, int line,
                              uint16_t column);
    // Copies the views (not the text they point to) into the store.
    static void appendList(TextStore& store, Block& parent, std::string&& name, int line,
                           uint16_t column, const std::string_view* values, size_t count);
};

} // namespace config
