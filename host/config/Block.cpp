#include "host/config/Block.h"
#include "host/config/Convert.h"
#include "host/config/TextStore.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace config {

// A list property in one of three forms: views (of bytes kept beside the entry, in its document's
// arena when read or in its block's own chunks when set in code), its own strings (once accessed
// in place) or its own floats (once accessed as floats). The views are packed: the first value's
// length is in the entry, the ends of the others follow it, then (unless shared with the entry
// it was copied from) their bytes. The string list is allocated only when needed; `value` owns it.
class Block::ListNode final : public BlockEntry<List*> {
public:
    enum class Form : uint8_t { Views, Strings, Floats };
    // Flags beside NameEntry::kOwnName.
    enum : uint8_t { kFormShift = 1, kFormMask = 3 << kFormShift, kLocal = 8, kHasFloats = 16 };

    ListNode(const std::string* name, int line, uint16_t column)
        : BlockEntry(name, line, false, column) {
        text = nullptr;
    }
    ~ListNode() {
        delete value;
        if (bits & kHasFloats)
            delete floats;
    }

    Form form() const { return static_cast<Form>((bits & kFormMask) >> kFormShift); }
    void setForm(Form form) {
        bits = static_cast<uint8_t>((bits & ~kFormMask) | static_cast<int>(form) << kFormShift);
    }
    // The views' bytes are in the owning block's chunks, not a document's arena.
    bool local() const { return (bits & kLocal) != 0; }
    void markLocal() { bits |= kLocal; }
    void markOwnName() { bits |= kOwnName; }

    // What a list of `count` views takes after its entry: the ends, then `bytes` of values.
    static size_t extraFor(size_t count, size_t bytes) {
        return (count > 1 ? (count - 1) * sizeof(uint32_t) : 0) + bytes;
    }
    static size_t bytesOf(const std::string_view* values, size_t count) {
        size_t bytes = 0;
        for (size_t i = 0; i < count; ++i)
            bytes += values[i].size();
        return bytes;
    }

    // Copies the values into the bytes after the entry (allocated with extraFor).
    void keepViews(const std::string_view* values, size_t count) {
        char* bytes = reinterpret_cast<char*>(ends() + (count > 1 ? count - 1 : 0));
        uint32_t end = 0;
        for (size_t i = 0; i < count; ++i) {
            if (!values[i].empty())
                copyBytes(bytes + end, values[i].data(), values[i].size());
            end += static_cast<uint32_t>(values[i].size());
            if (i == 0)
                firstLength = end;
            else
                ends()[i - 1] = end;
        }
        text = count ? bytes : nullptr;
        viewCount = static_cast<uint32_t>(count);
    }

    // The same for the common single value (allocated with extraFor(1, value.size())).
    void keepView(std::string_view value) {
        char* bytes = reinterpret_cast<char*>(ends());
        copyBytes(bytes, value.data(), value.size());
        text = bytes;
        firstLength = static_cast<uint32_t>(value.size());
        viewCount = 1;
    }

    // Points at the bytes of `source` (allocated with extraFor(count, 0)).
    void shareViews(const ListNode& source) {
        if (source.viewCount > 1)
            std::memcpy(ends(), source.ends(), (source.viewCount - 1) * sizeof(uint32_t));
        text = source.text;
        firstLength = source.firstLength;
        viewCount = source.viewCount;
    }

    size_t count() const {
        switch (form()) {
        case Form::Views:
            return viewCount;
        case Form::Strings:
            return value->size();
        case Form::Floats:
            return floats->size();
        }
        return 0;
    }

    std::string_view view(size_t index) const {
        const uint32_t start = index == 0 ? 0 : index == 1 ? firstLength : ends()[index - 2];
        const uint32_t end = index == 0 ? firstLength : ends()[index - 1];
        return std::string_view(text + start, end - start);
    }

    std::string_view at(size_t index, std::string& scratch) const {
        switch (form()) {
        case Form::Views:
            return view(index);
        case Form::Strings:
            return (*value)[index];
        case Form::Floats:
            scratch = formatFloat((*floats)[index]);
            return scratch;
        }
        return {};
    }

    List copy() const {
        List result;
        const size_t n = count();
        result.reserve(n);
        std::string scratch;
        for (size_t i = 0; i < n; ++i)
            result.emplace_back(at(i, scratch));
        return result;
    }

    List& strings() {
        if (form() != Form::Strings) {
            List current = copy();
            if (!value)
                value = new List();
            *value = std::move(current);
            setForm(Form::Strings);
        }
        return *value;
    }

    // Fills the string list with the floats' text, leaving the floats the value.
    void mirrorFloats() {
        List current = copy();
        if (!value)
            value = new List();
        *value = std::move(current);
    }

    // The float list, made once and kept while the entry lives, so pointers to it stay valid.
    FloatList& floatList() {
        if (!(bits & kHasFloats)) {
            floats = new FloatList();
            bits |= kHasFloats;
        }
        return *floats;
    }

    bool firstNumber(double* out) const {
        if (count() == 0)
            return false;
        if (form() == Form::Floats) {
            *out = (*floats)[0];
            return true;
        }
        std::string scratch;
        return parseNumber(at(0, scratch), out);
    }

    // Views while none was made as floats; the floats from then on (whatever the form).
    union {
        const char* text;
        FloatList* floats;
    };
    uint32_t viewCount = 0;
    uint32_t firstLength = 0;

private:
    uint32_t* ends() { return reinterpret_cast<uint32_t*>(this + 1); }
    const uint32_t* ends() const { return reinterpret_cast<const uint32_t*>(this + 1); }
};

class Block::BlockNode final : public BlockEntry<Block*> {
public:
    BlockNode(const std::string* name, int line, uint16_t column = 0)
        : BlockEntry(name, line, true, column) {
        value = &block;
    }

    Block block;
};

// Open addressing with linear probing over a power-of-two table, at most half full. A slot holds
// the first entry of its name; later entries of the same name are never indexed, so a lookup
// finds what a scan in order would.
struct NameIndex {
    struct Table {
        // Each slot keeps its name's hash, so probing and growing touch no entry but on a match.
        struct Slot {
            size_t hash;
            const NameEntry* entry;
        };
        std::vector<Slot> slots;
        size_t used = 0;

        static size_t hash(std::string_view name) { return std::hash<std::string_view>()(name); }

        const NameEntry* find(std::string_view name) const {
            const size_t mask = slots.size() - 1;
            const size_t h = hash(name);
            for (size_t i = h & mask;; i = (i + 1) & mask) {
                const Slot& slot = slots[i];
                if (!slot.entry || (slot.hash == h && slot.entry->getName() == name))
                    return slot.entry;
            }
        }

        void insert(const NameEntry* entry) {
            if (2 * (used + 1) > slots.size()) {
                std::vector<Slot> old(slots.size() < 64 ? 128 : slots.size() * 2, Slot{0, nullptr});
                old.swap(slots);
                used = 0;
                for (const Slot& kept : old)
                    if (kept.entry)
                        place(kept.hash, kept.entry, false);
            }
            place(hash(entry->getName()), entry, true);
        }

        // `repeatable`: the name may already be in the table (never when re-placing).
        void place(size_t h, const NameEntry* entry, bool repeatable) {
            const size_t mask = slots.size() - 1;
            for (size_t i = h & mask;; i = (i + 1) & mask) {
                Slot& slot = slots[i];
                if (!slot.entry) {
                    slot = Slot{h, entry};
                    ++used;
                    return;
                }
                if (repeatable && slot.hash == h && slot.entry->getName() == entry->getName())
                    return;
            }
        }
    };

    Table lists;
    Table blocks;
};

namespace {
// Below this many entries of a kind a scan is as quick as a hash and costs no memory.
constexpr int kIndexedCount = 32;
} // namespace

// The block's own storage: a list of chunks, the newest first. The newest chunk's header also
// carries the block's name index, when it has one: big blocks read from a document get a
// header-only chunk for it, so the index moves and dies with the block's storage.
struct Block::Chunk {
    Chunk* previous;
    size_t capacity;
    size_t used;
    NameIndex* index;
};

// A list entry stays seven words: the name is a pointer, the values are packed after it.
static_assert(sizeof(NameEntry) <= 2 * sizeof(void*) + 8, "entries must stay small");

namespace {
// Entries and value views need no more than a pointer's alignment; packing them to it rather than
// to max_align_t keeps a parsed document's entries a few bytes smaller each.
constexpr size_t kAlign = alignof(void*);
constexpr size_t roundUp(size_t n) {
    return (n + kAlign - 1) / kAlign * kAlign;
}
} // namespace

namespace {
// Every block's first chunk is this big.
constexpr size_t kFirstChunk = 1024;

// Blocks made and dropped again and again (a notification for every click) take their first
// chunk from a few kept per thread rather than from the heap. The cache itself is plain data, so
// reaching it costs no construction check; the first chunk kept registers the thread's releaser,
// which gives the kept chunks back when the thread ends and closes the cache for blocks that
// die after it.
struct ChunkCache {
    static constexpr int kKept = 4;
    void* kept[kKept];
    int count;
    bool registered;
    bool closed;
};
thread_local ChunkCache chunkCache = {};

struct ChunkCacheReleaser {
    ~ChunkCacheReleaser() {
        while (chunkCache.count > 0)
            ::operator delete(chunkCache.kept[--chunkCache.count]);
        chunkCache.closed = true;
    }
};

// `first`: a first chunk, of the same size as every other first chunk.
void* newChunk(size_t bytes, bool first) {
    ChunkCache& cache = chunkCache;
    if (first && cache.count > 0)
        return cache.kept[--cache.count];
    return ::operator new(bytes);
}

void deleteChunk(void* chunk, bool first) {
    ChunkCache& cache = chunkCache;
    if (first && !cache.closed && cache.count < ChunkCache::kKept) {
        if (!cache.registered) {
            thread_local ChunkCacheReleaser releaser;
            (void)releaser;
            cache.registered = true;
        }
        cache.kept[cache.count++] = chunk;
        return;
    }
    ::operator delete(chunk);
}
} // namespace

void* Block::allocateNode(size_t size) {
    static_assert(alignof(ListNode) <= kAlign && alignof(BlockNode) <= kAlign &&
                      alignof(std::string_view) <= kAlign,
                  "entries are packed at a pointer's alignment");
    size = roundUp(size);
    if (!chunks || chunks->capacity - chunks->used < size) {
        // Chunks grow with the block: small blocks stay small, big ones need few chunks.
        size_t capacity = chunks && chunks->capacity ? chunks->capacity * 2 : kFirstChunk;
        if (capacity > 65536)
            capacity = 65536;
        if (capacity < size)
            capacity = size;
        void* memory = newChunk(roundUp(sizeof(Chunk)) + capacity, capacity == kFirstChunk);
        auto* chunk = static_cast<Chunk*>(memory);
        chunk->previous = chunks;
        chunk->capacity = capacity;
        chunk->used = 0;
        chunk->index = chunks ? std::exchange(chunks->index, nullptr) : nullptr;
        chunks = chunk;
    }
    void* result = reinterpret_cast<char*>(chunks) + roundUp(sizeof(Chunk)) + chunks->used;
    chunks->used += size;
    return result;
}

const std::string* Block::keepName(std::string name) {
    return new (allocateNode(sizeof(std::string))) std::string(std::move(name));
}

void Block::destroyEntries() {
    const auto destroyName = [](NameEntry* entry) {
        if (entry->bits & NameEntry::kOwnName) {
            using std::string;
            const_cast<string*>(entry->name)->~string();
        }
    };
    // The memory of the entries is the chunks' (or the document's); what they own is freed here.
    for (BlockEntry<Block*>* entry = firstBlock; entry;) {
        BlockEntry<Block*>* next = entry->next;
        destroyName(entry);
        static_cast<BlockNode*>(entry)->~BlockNode();
        entry = next;
    }
    if (listsOwnMemory)
        for (BlockEntry<List*>* entry = firstList; entry;) {
            BlockEntry<List*>* next = entry->next;
            destroyName(entry);
            static_cast<ListNode*>(entry)->~ListNode();
            entry = next;
        }
    listsOwnMemory = false;
    while (chunks) {
        delete chunks->index;
        Chunk* previous = chunks->previous;
        deleteChunk(chunks, chunks->capacity == kFirstChunk);
        chunks = previous;
    }
    firstEntry = lastEntry = nullptr;
    firstBlock = lastBlock = nullptr;
    firstList = lastList = nullptr;
    blockCount = listCount = 0;
}

Block::Block() = default;

Block::Block(const Block& other) : thread::SynchronizedObject() {
    copyFrom(other);
}

Block::Block(Block&& other) noexcept {
    *this = std::move(other);
}

Block& Block::operator=(const Block& other) {
    if (this != &other) {
        Block copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Block& Block::operator=(Block&& other) noexcept {
    if (this == &other)
        return *this;
    destroyEntries();
    chunks = other.chunks;
    firstEntry = other.firstEntry;
    lastEntry = other.lastEntry;
    firstBlock = other.firstBlock;
    lastBlock = other.lastBlock;
    firstList = other.firstList;
    lastList = other.lastList;
    blockCount = other.blockCount;
    listCount = other.listCount;
    store = std::move(other.store);
    sourceLine = other.sourceLine;
    sourceColumn = other.sourceColumn;
    other.chunks = nullptr;
    other.firstEntry = other.lastEntry = nullptr;
    other.firstBlock = other.lastBlock = nullptr;
    other.firstList = other.lastList = nullptr;
    other.blockCount = other.listCount = 0;
    other.sourceLine = 0;
    other.sourceColumn = 0;
    listsOwnMemory = other.listsOwnMemory;
    other.listsOwnMemory = false;
    return *this;
}

Block::~Block() {
    destroyEntries();
}

void Block::copyFrom(const Block& other) {
    // The copy shares the document's store, so its names and the values still in its arena are
    // shared too; only what the source's block kept itself is copied.
    store = other.store;
    sourceLine = other.sourceLine;
    sourceColumn = other.sourceColumn;
    for (const NameEntry* entry = other.firstEntry; entry; entry = entry->nextEntry) {
        const bool ownName = (entry->bits & NameEntry::kOwnName) != 0;
        const std::string* name = ownName ? keepName(*entry->name) : entry->name;
        if (entry->isBlock()) {
            const auto& source = static_cast<const BlockNode&>(*entry);
            newBlock(name, ownName, source.getLine(), allocateNode(sizeof(BlockNode)),
                     source.getColumn())
                .copyFrom(source.block);
            continue;
        }
        const auto& source = static_cast<const ListNode&>(*entry);
        switch (source.form()) {
        case ListNode::Form::Views: {
            const size_t count = source.viewCount;
            if (source.local()) {
                std::vector<std::string_view> views(count);
                for (size_t i = 0; i < count; ++i)
                    views[i] = source.view(i);
                ListNode& node =
                    newList(name, ownName, source.getLine(), source.getColumn(),
                            ListNode::extraFor(count, ListNode::bytesOf(views.data(), count)));
                node.keepViews(views.data(), count);
                node.markLocal();
                break;
            }
            newList(name, ownName, source.getLine(), source.getColumn(),
                    ListNode::extraFor(count, 0))
                .shareViews(source);
            break;
        }
        case ListNode::Form::Strings:
            newList(name, ownName, source.getLine(), source.getColumn()).strings() = *source.value;
            break;
        case ListNode::Form::Floats: {
            ListNode& node = newList(name, ownName, source.getLine(), source.getColumn());
            node.floatList() = *source.floats;
            node.setForm(ListNode::Form::Floats);
            break;
        }
        }
    }
}

void Block::clear() {
    *this = Block();
}

void Block::linkUnindexed(NameEntry* entry) {
    if (lastEntry)
        lastEntry->nextEntry = entry;
    else
        firstEntry = entry;
    lastEntry = entry;
    if (entry->isBlock()) {
        auto* node = static_cast<BlockNode*>(entry);
        if (lastBlock)
            lastBlock->next = node;
        else
            firstBlock = node;
        lastBlock = node;
        ++blockCount;
    } else {
        auto* node = static_cast<ListNode*>(entry);
        if (lastList)
            lastList->next = node;
        else
            firstList = node;
        lastList = node;
        ++listCount;
    }
}

void Block::link(NameEntry* entry) {
    linkUnindexed(entry);
    if (blockCount >= kIndexedCount || listCount >= kIndexedCount)
        Reader::indexEntry(*this, entry);
}

const NameEntry* Reader::findIndexed(const Block& block, bool blocks, std::string_view name) {
    const NameIndex* index = block.chunks ? block.chunks->index : nullptr;
    const NameIndex::Table* table = index ? (blocks ? &index->blocks : &index->lists) : nullptr;
    if (table && table->used > 0)
        return table->find(name);
    // Not indexed (yet): a scan in order finds what the index would.
    const NameEntry* entry = blocks ? static_cast<const NameEntry*>(block.firstBlock)
                                    : static_cast<const NameEntry*>(block.firstList);
    while (entry && entry->getName() != name)
        entry = blocks ? static_cast<const NameEntry*>(
                             static_cast<const BlockEntry<Block*>*>(entry)->getNext())
                       : static_cast<const NameEntry*>(
                             static_cast<const BlockEntry<Block::List*>*>(entry)->getNext());
    return entry;
}

namespace {
// Every entry of a kind, in order, into an empty table sized for them.
template <class Entry> void indexAll(NameIndex::Table& table, const Entry* first, int count) {
    size_t size = 128;
    while (size < 2 * static_cast<size_t>(count) + 2)
        size *= 2;
    table.slots.assign(size, NameIndex::Table::Slot{0, nullptr});
    table.used = 0;
    for (const Entry* node = first; node; node = node->getNext())
        table.place(NameIndex::Table::hash(node->getName()), node, true);
}
} // namespace

NameIndex& Reader::indexOf(Block& block) {
    Block::Chunk*& chunks = block.chunks;
    if (!chunks) {
        auto* header = static_cast<Block::Chunk*>(::operator new(sizeof(Block::Chunk)));
        *header = Block::Chunk{nullptr, 0, 0, nullptr};
        chunks = header;
    }
    if (!chunks->index)
        chunks->index = new NameIndex();
    return *chunks->index;
}

void Reader::indexEntry(Block& block, NameEntry* entry) {
    const bool isBlock = entry->isBlock();
    const int count = isBlock ? block.blockCount : block.listCount;
    if (count < kIndexedCount)
        return;
    NameIndex& index = indexOf(block);
    NameIndex::Table& table = isBlock ? index.blocks : index.lists;
    if (table.used > 0) {
        table.insert(entry);
        return;
    }
    // The kind has just grown big: every entry of it so far goes in, in order.
    if (isBlock)
        indexAll(table, block.firstBlock, count);
    else
        indexAll(table, block.firstList, count);
}

void Reader::finishBlock(Block& block) {
    if (block.blockCount < kIndexedCount && block.listCount < kIndexedCount)
        return;
    NameIndex& index = indexOf(block);
    if (block.blockCount >= kIndexedCount && index.blocks.used == 0)
        indexAll(index.blocks, block.firstBlock, block.blockCount);
    if (block.listCount >= kIndexedCount && index.lists.used == 0)
        indexAll(index.lists, block.firstList, block.listCount);
}

Block::ListNode& Block::newList(const std::string* name, bool ownName, int line, uint16_t column,
                                size_t extra) {
    auto* node = new (allocateNode(sizeof(ListNode) + extra)) ListNode(name, line, column);
    listsOwnMemory = true;
    if (ownName)
        node->bits |= NameEntry::kOwnName;
    link(node);
    return *node;
}

Block::List& Block::appendProperty(std::string name, int line) {
    return newList(keepName(std::move(name)), true, line).strings();
}

Block& Block::appendBlock(std::string name, int line) {
    const std::string* kept = keepName(std::move(name));
    return newBlock(kept, true, line, allocateNode(sizeof(BlockNode)));
}

Block& Block::newBlock(const std::string* name, bool ownName, int line, void* memory,
                       uint16_t column) {
    auto* node = new (memory) BlockNode(name, line, column);
    if (ownName)
        node->bits |= NameEntry::kOwnName;
    link(node);
    // A sub-block made in code still tells which file its parent came from.
    node->block.store = store;
    node->block.sourceLine = line;
    node->block.sourceColumn = column;
    return node->block;
}

const Block::ListNode* Block::findList(std::string_view name) const {
    if (listCount >= kIndexedCount)
        return static_cast<const ListNode*>(Reader::findIndexed(*this, false, name));
    for (auto* node = firstList; node; node = node->next)
        if (node->getName() == name)
            return static_cast<const ListNode*>(node);
    return nullptr;
}

const Block::BlockNode* Block::findBlock(std::string_view name) const {
    if (blockCount >= kIndexedCount)
        return static_cast<const BlockNode*>(Reader::findIndexed(*this, true, name));
    for (auto* node = firstBlock; node; node = node->next)
        if (node->getName() == name)
            return static_cast<const BlockNode*>(node);
    return nullptr;
}

const Block* Block::descend(std::string_view parents) const {
    const Block* block = this;
    while (!parents.empty()) {
        const auto dot = parents.find('.');
        const BlockNode* node = block->findBlock(parents.substr(0, dot));
        if (!node)
            return nullptr;
        block = &node->block;
        parents = dot == std::string_view::npos ? std::string_view() : parents.substr(dot + 1);
    }
    return block;
}

Block* Block::descendCreating(std::string_view parents) {
    Block* block = this;
    while (!parents.empty()) {
        const auto dot = parents.find('.');
        const auto segment = parents.substr(0, dot);
        const BlockNode* node = block->findBlock(segment);
        block = node ? const_cast<Block*>(&node->block) : &block->appendBlock(std::string(segment));
        parents = dot == std::string_view::npos ? std::string_view() : parents.substr(dot + 1);
    }
    return block;
}

const Block::ListNode* Block::findListPath(const NamePath& path) const {
    const Block* block = path.isDotted() ? descend(path.parents()) : this;
    return block ? block->findList(path.leaf()) : nullptr;
}

// For a change or an access in place: the list's block knows from then on that it owns memory.
Block::ListNode* Block::findListPath(const NamePath& path) {
    Block* block = path.isDotted() ? const_cast<Block*>(descend(path.parents())) : this;
    if (!block)
        return nullptr;
    auto* node = const_cast<ListNode*>(block->findList(path.leaf()));
    if (node)
        block->listsOwnMemory = true;
    return node;
}

Block::ListNode& Block::listForWrite(const NamePath& path) {
    Block* block = descendCreating(path.parents());
    const auto leaf = path.leaf();
    if (const ListNode* node = block->findList(leaf)) {
        block->listsOwnMemory = true;
        return *const_cast<ListNode*>(node);
    }
    return block->newList(block->keepName(std::string(leaf)), true, 0);
}

bool Block::getProperty(const NamePath& path, int* out) const {
    const ListNode* node = findListPath(path);
    if (!node || node->count() == 0)
        return false;
    std::string scratch;
    if (node->form() != ListNode::Form::Floats && parseInt(node->at(0, scratch), out))
        return true;
    double number = 0;
    if (!node->firstNumber(&number) || number >= 2147483648.0 || number <= -2147483649.0)
        return false;
    *out = static_cast<int>(number);
    return true;
}

bool Block::getProperty(const NamePath& path, float* out) const {
    const ListNode* node = findListPath(path);
    double number = 0;
    if (!node || !node->firstNumber(&number) || !fitsFloat(number))
        return false;
    *out = static_cast<float>(number);
    return true;
}

bool Block::getProperty(const NamePath& path, bool* out) const {
    const ListNode* node = findListPath(path);
    if (!node || node->count() == 0)
        return false;
    std::string scratch;
    return parseBool(node->at(0, scratch), out);
}

bool Block::getProperty(const NamePath& path, std::string* out) const {
    const ListNode* node = findListPath(path);
    if (!node || node->count() == 0)
        return false;
    std::string scratch;
    out->assign(node->at(0, scratch));
    return true;
}

bool Block::getProperty(const NamePath& path, Color* out) const {
    const ListNode* node = findListPath(path);
    if (!node || node->count() < 3)
        return false;
    double channel[4] = {0, 0, 0, 1};
    std::string scratch;
    for (size_t i = 0; i < node->count() && i < 4; ++i)
        if (!parseNumber(node->at(i, scratch), &channel[i]) || !fitsFloat(channel[i]))
            return false;
    *out = Color(static_cast<float>(channel[0]), static_cast<float>(channel[1]),
                 static_cast<float>(channel[2]), static_cast<float>(channel[3]));
    return true;
}

bool Block::getPropertyAccess(const NamePath& path, Block** out) {
    const Block* parent = descend(path.parents());
    const BlockNode* node = parent ? parent->findBlock(path.leaf()) : nullptr;
    if (!node)
        return false;
    *out = const_cast<Block*>(&node->block);
    return true;
}

bool Block::getPropertyAccess(const NamePath& path, const Block** out) const {
    const Block* parent = descend(path.parents());
    const BlockNode* node = parent ? parent->findBlock(path.leaf()) : nullptr;
    if (!node)
        return false;
    *out = &node->block;
    return true;
}

bool Block::getPropertyAccess(const NamePath& path, FloatList** out) {
    ListNode* node = findListPath(path);
    if (!node)
        return false;
    if (node->form() != ListNode::Form::Floats) {
        FloatList numbers;
        numbers.reserve(node->count());
        std::string scratch;
        for (size_t i = 0; i < node->count(); ++i) {
            float number = 0;
            if (!parseFloat(node->at(i, scratch), &number))
                return false;
            numbers.push_back(number);
        }
        node->floatList() = std::move(numbers);
        node->setForm(ListNode::Form::Floats);
    }
    *out = node->floats;
    return true;
}

bool Block::getPropertyAccess(const NamePath& path, List** out) {
    ListNode* node = findListPath(path);
    if (!node)
        return false;
    *out = &node->strings();
    return true;
}

void Block::getProperties(BlockEntry<Block*>** out) {
    *out = firstBlock;
}

void Block::getProperties(BlockEntry<List*>** out) {
    if (firstList)
        listsOwnMemory = true;
    for (auto* node = firstList; node; node = node->next) {
        auto* list = static_cast<ListNode*>(node);
        // A float list handed out earlier stays the property's value: the enumeration shows
        // its numbers as text without taking the property back from it.
        if (list->form() == ListNode::Form::Floats)
            list->mirrorFloats();
        else
            list->strings();
    }
    *out = firstList;
}

void Block::setProperty(const NamePath& path, const int* value) {
    const std::string text = std::to_string(*value);
    Reader::setValue(*this, path, text);
}

void Block::setProperty(const NamePath& path, const float* value) {
    const std::string text = formatFloat(*value);
    Reader::setValue(*this, path, text);
}

void Block::setProperty(const NamePath& path, const bool* value) {
    Reader::setValue(*this, path, *value ? "true" : "false");
}

void Block::setProperty(const NamePath& path, const std::string* value) {
    Reader::setValue(*this, path, *value);
}

void Block::setProperty(const NamePath& path, const List* values) {
    ListNode& node = listForWrite(path);
    node.strings() = *values;
}

void Block::setProperty(const NamePath& path, const Block* value) {
    Block copy(*value);
    Block* parent = descendCreating(path.parents());
    const auto leaf = path.leaf();
    if (const BlockNode* node = parent->findBlock(leaf)) {
        Block& target = const_cast<BlockNode*>(node)->block;
        const int line = target.sourceLine;
        const uint16_t column = target.sourceColumn;
        target = std::move(copy);
        target.sourceLine = line;
        target.sourceColumn = column;
        return;
    }
    parent->appendBlock(std::string(leaf)) = std::move(copy);
}

bool Block::hasProperty(const NamePath& path) const {
    return findListPath(path) != nullptr;
}

bool Block::hasBlock(const NamePath& path) const {
    const Block* parent = descend(path.parents());
    return parent && parent->findBlock(path.leaf());
}

int Block::getPropertyLine(const NamePath& path) const {
    const ListNode* node = findListPath(path);
    return node ? node->getLine() : 0;
}

const NameEntry* Block::getPropertyEntry(const NamePath& path) const {
    return findListPath(path);
}

Location Block::getPropertyLocation(const NamePath& path) const {
    const ListNode* node = findListPath(path);
    return node ? node->getLocation() : Location();
}

Block::List Block::getList(const NamePath& path) const {
    const ListNode* node = findListPath(path);
    return node ? node->copy() : List();
}

const std::string& Block::getSourceFile() const {
    static const std::string none;
    return store ? store->file : none;
}

size_t Block::valueCount(const NameEntry& listEntry) {
    return static_cast<const ListNode&>(listEntry).count();
}

std::string_view Block::valueAt(const NameEntry& listEntry, size_t index, std::string& scratch) {
    return static_cast<const ListNode&>(listEntry).at(index, scratch);
}

Block::List Block::valuesOf(const NameEntry& listEntry) {
    return static_cast<const ListNode&>(listEntry).copy();
}

const Block& Block::blockOf(const NameEntry& blockEntry) {
    return static_cast<const BlockNode&>(blockEntry).block;
}

void Reader::start(Block& root, std::shared_ptr<const TextStore> store) {
    root = Block();
    root.store = std::move(store);
    root.sourceLine = 1;
}

// The reader puts its entries into the document's arena: one allocation for many blocks. They
// are indexed when their block is finished.
Block& Reader::appendBlock(TextStore& store, Block& parent, const std::string* name, int line,
                           uint16_t column) {
    auto* node =
        new (store.allocate(sizeof(Block::BlockNode))) Block::BlockNode(name, line, column);
    parent.linkUnindexed(node);
    node->block.store = parent.store;
    node->block.sourceLine = line;
    node->block.sourceColumn = column;
    return node->block;
}

void Reader::appendList(TextStore& store, Block& parent, const std::string* name, int line,
                        uint16_t column, const std::string_view* values, size_t count) {
    if (count == 1) {
        // Most properties have one value.
        auto* node = new (store.allocate(sizeof(Block::ListNode) + values[0].size()))
            Block::ListNode(name, line, column);
        node->keepView(values[0]);
        parent.linkUnindexed(node);
        return;
    }
    const size_t extra = Block::ListNode::extraFor(count, Block::ListNode::bytesOf(values, count));
    auto* node =
        new (store.allocate(sizeof(Block::ListNode) + extra)) Block::ListNode(name, line, column);
    node->keepViews(values, count);
    parent.linkUnindexed(node);
}

namespace {
// Names that blocks made in code (notifications above all) use again and again: an entry so
// called points at one of these, kept for the whole process, instead of a copy of its own.
const std::string* commonName(std::string_view name) {
    static const std::string names[] = {"name", "class",    "value",   "action",
                                        "menu", "menuName", "itemName"};
    // Compared at a length known here, the bytes are compared as a word or two.
    const char* at = name.data();
    switch (name.size()) {
    case 4:
        return std::memcmp(at, "name", 4) == 0   ? &names[0]
               : std::memcmp(at, "menu", 4) == 0 ? &names[4]
                                                 : nullptr;
    case 5:
        return std::memcmp(at, "class", 5) == 0   ? &names[1]
               : std::memcmp(at, "value", 5) == 0 ? &names[2]
                                                  : nullptr;
    case 6:
        return std::memcmp(at, "action", 6) == 0 ? &names[3] : nullptr;
    case 8:
        return std::memcmp(at, "menuName", 8) == 0   ? &names[5]
               : std::memcmp(at, "itemName", 8) == 0 ? &names[6]
                                                     : nullptr;
    default:
        return nullptr;
    }
}
} // namespace

// A property set to one value: a new one keeps its text beside its entry in the block's chunks,
// so a block made in code (a notification, say) costs no heap block per property, and a common
// name costs no copy, so such an entry owns nothing its block must free; an existing one takes
// the value in its own list, as a write to a list accessed in place must.
void Reader::setValue(Block& root, const NamePath& path, std::string_view value) {
    const bool dotted = path.isDotted();
    Block* block = dotted ? root.descendCreating(path.parents()) : &root;
    const auto leaf = dotted ? path.leaf() : path.str();
    if (const Block::ListNode* found = block->firstList ? block->findList(leaf) : nullptr) {
        block->listsOwnMemory = true;
        Block::List& strings = const_cast<Block::ListNode*>(found)->strings();
        strings.assign(1, std::string(value));
        return;
    }
    if (value.size() > UINT32_MAX) {
        block->newList(block->keepName(std::string(leaf)), true, 0)
            .strings()
            .assign(1, std::string(value));
        return;
    }
    const std::string* common = commonName(leaf);
    const std::string* name = common ? common : block->keepName(std::string(leaf));
    auto* node = new (block->allocateNode(sizeof(Block::ListNode) + value.size()))
        Block::ListNode(name, 0, 0);
    if (!common) {
        node->markOwnName();
        block->listsOwnMemory = true;
    }
    block->link(node);
    node->keepView(value);
    node->markLocal();
}

namespace {
// Chunks grow with the document from this size.
constexpr size_t kFirstStoreChunk = 65536;
// Heap chunks grow to this size.
constexpr size_t kLastHeapChunk = size_t{1} << 20;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
// A document that has taken a few megabytes from the heap takes the rest of its memory in
// mappings of whole huge pages, aligned to them and marked for the kernel to back with huge
// pages: a big tree then costs a page fault every two megabytes instead of every four kilobytes.
// A huge page is zeroed whole on its first touch, which only a big document repays: smaller ones
// stay on the heap.
constexpr size_t kHeapBeforeHugePages = size_t{4} << 20;
constexpr size_t kHugePage = size_t{2} << 20;

// `bytes` (a multiple of kHugePage) at a huge page's alignment; null when nothing was mapped.
void* mapHugePages(size_t bytes) {
    const size_t span = bytes + kHugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    // The span has a huge page to spare: what lies before and after the aligned part goes back.
    if (aligned != start)
        munmap(raw, aligned - start);
    if (start + span != aligned + bytes)
        munmap(reinterpret_cast<void*>(aligned + bytes), start + span - aligned - bytes);
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}
#endif
} // namespace

TextStore::~TextStore() {
    for (const Chunk& chunk : chunks) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (chunk.mapped) {
            munmap(chunk.memory, chunk.size);
            continue;
        }
#endif
        delete[] static_cast<std::max_align_t*>(chunk.memory);
    }
}

void* TextStore::allocateInNewChunk(size_t size) {
    // Chunks grow with the document, to a megabyte: few allocations, little left unused.
    lastCapacity = std::max<size_t>(
        size, lastCapacity == 0 ? kFirstStoreChunk : std::min(lastCapacity * 2, kLastHeapChunk));
    void* memory = nullptr;
    bool mapped = false;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (heapBytes >= kHeapBeforeHugePages) {
        lastCapacity = (lastCapacity + kHugePage - 1) / kHugePage * kHugePage;
        memory = mapHugePages(lastCapacity);
        mapped = memory != nullptr;
    }
#endif
    if (!memory) {
        memory = new std::max_align_t[lastCapacity / sizeof(std::max_align_t) + 1];
        heapBytes += lastCapacity;
    }
    chunks.push_back(Chunk{memory, lastCapacity, mapped});
    next = static_cast<char*>(memory);
    left = lastCapacity;
    void* result = next;
    next += size;
    left -= size;
    return result;
}

namespace {
// Eight bytes at a time, the last few read without a copy: names are short, and hashing them is
// most of what interning costs.
uint32_t hashName(std::string_view name) {
    const char* at = name.data();
    const size_t size = name.size();
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ size;
    const auto mix = [&hash](uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 33;
    };
    size_t left = size;
    for (; left >= 8; at += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        mix(word);
    }
    if (left >= 4) {
        uint32_t low, high;
        std::memcpy(&low, at, 4);
        std::memcpy(&high, at + left - 4, 4);
        mix(low | uint64_t{high} << 32);
    } else if (left > 0) {
        const auto byte = [](char c) { return uint64_t{static_cast<unsigned char>(c)}; };
        mix(byte(at[0]) | byte(at[left / 2]) << 8 | byte(at[left - 1]) << 16);
    }
    // Every byte reaches the low bits, which pick the slot.
    hash *= 0xC4CEB9FE1A85EC53ull;
    return static_cast<uint32_t>(hash >> 32);
}

} // namespace

const std::string* TextStore::intern(std::string_view name) {
    if (2 * (nameCount + 1) > nameSlots.size())
        growNames();
    const uint32_t hash = hashName(name);
    const size_t mask = nameSlots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        NameSlot& slot = nameSlots[i];
        if (!slot.name) {
            names.emplace_back(name);
            ++nameCount;
            slot = NameSlot{hash, static_cast<uint32_t>(name.size()), &names.back()};
            return slot.name;
        }
        if (slot.hash == hash && slot.length == name.size() &&
            sameBytes(slot.name->data(), name.data(), name.size()))
            return slot.name;
    }
}

void TextStore::growNames() {
    std::vector<NameSlot> old(nameSlots.empty() ? 256 : nameSlots.size() * 2,
                              NameSlot{0, 0, nullptr});
    old.swap(nameSlots);
    const size_t mask = nameSlots.size() - 1;
    for (const NameSlot& kept : old) {
        if (!kept.name)
            continue;
        size_t i = kept.hash & mask;
        while (nameSlots[i].name)
            i = (i + 1) & mask;
        nameSlots[i] = kept;
    }
}

} // namespace config
