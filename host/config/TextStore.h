#pragma once

// Internal to the configuration library: the storage of a parsed document.

#include "host/config/Block.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace config {

struct NameIndex;

// Whether two names of `size` bytes are the same, a word at a time.
inline bool sameBytes(const char* a, const char* b, size_t size) {
    if (size >= 8) {
        uint64_t x, y;
        for (size_t at = 0; at + 8 <= size; at += 8) {
            std::memcpy(&x, a + at, 8);
            std::memcpy(&y, b + at, 8);
            if (x != y)
                return false;
        }
        std::memcpy(&x, a + size - 8, 8);
        std::memcpy(&y, b + size - 8, 8);
        return x == y;
    }
    if (size >= 4) {
        uint32_t x, y, z, w;
        std::memcpy(&x, a, 4);
        std::memcpy(&y, b, 4);
        std::memcpy(&z, a + size - 4, 4);
        std::memcpy(&w, b + size - 4, 4);
        return x == y && z == w;
    }
    for (size_t i = 0; i < size; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// memcpy for the few bytes of a name or value, without a call for them.
inline void copyBytes(char* to, const char* from, size_t size) {
    if (size > 16) {
        std::memcpy(to, from, size);
    } else if (size >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
        for (size_t i = 0; i < size; ++i)
            to[i] = from[i];
    }
}

// Whether the reader looks at sixteen bytes at a time, where the processor can (the default), or
// at one; both read every text alike. Returns what was set before.
KEL_HOST_API bool setVectorScanning(bool on);

// What a read document keeps once its text is gone: its file name, its entries with their values
// (in one arena of big chunks, the values' bytes beside their entries) and its names, each kept
// once however often it repeats. Shared by every block of the document and by their copies, so
// copying a read block copies neither names nor value bytes. The blocks destroy their entries;
// the memory goes with the store.
struct TextStore {
    TextStore() = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;
    ~TextStore();

    std::string file;

    // `size` bytes at a pointer's alignment.
    void* allocate(size_t size) {
        size = (size + alignof(void*) - 1) / alignof(void*) * alignof(void*);
        if (left < size)
            return allocateInNewChunk(size);
        void* result = next;
        next += size;
        left -= size;
        return result;
    }
    // The document's one copy of `name`.
    const std::string* intern(std::string_view name);

private:
    struct NameSlot {
        uint32_t hash;
        uint32_t length;
        const std::string* name;
    };
    void growNames();
    void* allocateInNewChunk(size_t size);

    // A chunk of the arena: from the heap, or mapped by itself (see allocateInNewChunk).
    struct Chunk {
        void* memory;
        size_t size;
        bool mapped;
    };
    std::vector<Chunk> chunks;
    char* next = nullptr;
    size_t left = 0;
    size_t lastCapacity = 0;
    size_t heapBytes = 0; // in the chunks taken from the heap
    std::deque<std::string> names;
    size_t nameCount = 0;
    std::vector<NameSlot> nameSlots; // open addressing, a power of two, at most half full
};

// The reader's way into a block: entries whose values are kept in the document's arena. Also the
// name index of big blocks, kept with the block's storage.
class Reader {
public:
    // Adds an entry just linked into a block that has a few dozen entries of its kind or more.
    static void indexEntry(Block& block, NameEntry* entry);
    // Indexes a block the reader has finished, when it has a few dozen entries of a kind or more.
    static void finishBlock(Block& block);
    // Creates or replaces a property with one value (Block::setProperty's typed forms).
    static void setValue(Block& root, const NamePath& path, std::string_view value);
    // The first entry of that kind and name in a block with an index of that kind.
    static const NameEntry* findIndexed(const Block& block, bool blocks, std::string_view name);
    static void start(Block& root, std::shared_ptr<const TextStore> store);
    static Block& appendBlock(TextStore& store, Block& parent, const std::string* name, int line,
                              uint16_t column);
    // Copies the values' bytes into the store, beside their entry.
    static void appendList(TextStore& store, Block& parent, const std::string* name, int line,
                           uint16_t column, const std::string_view* values, size_t count);

private:
    // The block's index, made when missing.
    static NameIndex& indexOf(Block& block);
};

} // namespace config
