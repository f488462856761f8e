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

namespace config {

// A list property in one of three forms: views (into its document's text, as read, or into its
// block's own chunks, for a value set in code), its own strings (once accessed in place) or its
// own floats (once accessed as floats). The string list is allocated only when needed; `value`
// owns it.
class Block::ListNode final : public BlockEntry<List*> {
public:
    enum class Form : uint8_t { Views, Strings, Floats };

    ListNode(std::string name, int line, uint16_t column = 0)
        : BlockEntry(std::move(name), line, false, column) {}
    ~ListNode() { delete value; }

    size_t count() const {
        switch (form) {
        case Form::Views:
            return viewCount;
        case Form::Strings:
            return value->size();
        case Form::Floats:
            return floats->size();
        }
        return 0;
    }

    std::string_view at(size_t index, std::string& scratch) const {
        switch (form) {
        case Form::Views:
            return views[index];
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
        if (form != Form::Strings) {
            List current = copy();
            if (!value)
                value = new List();
            *value = std::move(current);
            form = Form::Strings;
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

    bool firstNumber(double* out) const {
        if (count() == 0)
            return false;
        if (form == Form::Floats) {
            *out = (*floats)[0];
            return true;
        }
        std::string scratch;
        return parseNumber(at(0, scratch), out);
    }

    std::unique_ptr<FloatList> floats;
    const std::string_view* views = nullptr; // in the owning block's chunks
    uint32_t viewCount = 0;
    Form form = Form::Views;
    bool local = false; // the views point into the owning block's chunks, not a document
};

class Block::BlockNode final : public BlockEntry<Block*> {
public:
    BlockNode(std::string name, int line, uint16_t column = 0)
        : BlockEntry(std::move(name), line, true, column) {
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

namespace {
// The column sits in the padding of an entry: a parsed document costs no more memory for it.
struct EntryWithoutColumn {
    std::string name;
    int line;
    bool block;
    NameEntry* nextEntry;
};
} // namespace
static_assert(sizeof(NameEntry) == sizeof(EntryWithoutColumn), "entries must not grow");

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

const std::string_view* Block::copyViews(const std::string_view* views, size_t count) {
    if (count == 0)
        return nullptr;
    auto* copy = static_cast<std::string_view*>(allocateNode(count * sizeof(std::string_view)));
    for (size_t i = 0; i < count; ++i)
        new (copy + i) std::string_view(views[i]);
    return copy;
}

void Block::destroyEntries() {
    for (NameEntry* entry = firstEntry; entry;) {
        NameEntry* next = entry->nextEntry;
        if (entry->isBlock())
            static_cast<BlockNode*>(entry)->~BlockNode();
        else
            static_cast<ListNode*>(entry)->~ListNode();
        entry = next;
    }
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
    return *this;
}

Block::~Block() {
    destroyEntries();
}

void Block::copyFrom(const Block& other) {
    // The copy shares the document text, so values that are still views stay views.
    store = other.store;
    sourceLine = other.sourceLine;
    sourceColumn = other.sourceColumn;
    for (const NameEntry* entry = other.firstEntry; entry; entry = entry->nextEntry) {
        if (entry->isBlock()) {
            const auto& source = static_cast<const BlockNode&>(*entry);
            newBlock(source.getName(), source.getLine(), allocateNode(sizeof(BlockNode)),
                     source.getColumn())
                .copyFrom(source.block);
            continue;
        }
        const auto& source = static_cast<const ListNode&>(*entry);
        ListNode& node = newList(source.getName(), source.getLine(), nullptr, source.getColumn());
        switch (source.form) {
        case ListNode::Form::Views:
            if (source.local) {
                Reader::keepLocal(*this, node, source.views, source.viewCount);
                break;
            }
            node.views = copyViews(source.views, source.viewCount);
            node.viewCount = source.viewCount;
            break;
        case ListNode::Form::Strings:
            node.strings() = *source.value;
            break;
        case ListNode::Form::Floats:
            node.floats = std::make_unique<FloatList>(*source.floats);
            node.form = ListNode::Form::Floats;
            break;
        }
    }
}

void Block::clear() {
    *this = Block();
}

void Block::link(NameEntry* entry) {
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
    if (blockCount >= kIndexedCount || listCount >= kIndexedCount)
        Reader::indexEntry(*this, entry);
}

const NameEntry* Reader::findIndexed(const Block& block, bool blocks, std::string_view name) {
    const NameIndex* index = block.chunks->index;
    return (blocks ? index->blocks : index->lists).find(name);
}

void Reader::indexEntry(Block& block, NameEntry* entry) {
    if (!block.chunks) {
        auto* header = static_cast<Block::Chunk*>(::operator new(sizeof(Block::Chunk)));
        *header = Block::Chunk{nullptr, 0, 0, nullptr};
        block.chunks = header;
    }
    if (!block.chunks->index)
        block.chunks->index = new NameIndex();
    NameIndex& index = *block.chunks->index;
    const bool isBlock = entry->isBlock();
    NameIndex::Table& table = isBlock ? index.blocks : index.lists;
    const int count = isBlock ? block.blockCount : block.listCount;
    if (count < kIndexedCount)
        return;
    if (count == kIndexedCount) {
        // The kind has just grown big: every entry of it so far goes in, in order.
        if (isBlock)
            for (const BlockEntry<Block*>* node = block.firstBlock; node; node = node->getNext())
                table.insert(node);
        else
            for (const BlockEntry<Block::List*>* node = block.firstList; node;
                 node = node->getNext())
                table.insert(node);
        return;
    }
    table.insert(entry);
}

Block::ListNode& Block::newList(std::string name, int line, void* memory, uint16_t column) {
    if (!memory)
        memory = allocateNode(sizeof(ListNode));
    auto* node = new (memory) ListNode(std::move(name), line, column);
    link(node);
    return *node;
}

Block::List& Block::appendProperty(std::string name, int line) {
    return newList(std::move(name), line).strings();
}

Block& Block::appendBlock(std::string name, int line) {
    return newBlock(std::move(name), line, allocateNode(sizeof(BlockNode)));
}

Block& Block::newBlock(std::string name, int line, void* memory, uint16_t column) {
    auto* node = new (memory) BlockNode(std::move(name), line, column);
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

Block::ListNode* Block::findListPath(const NamePath& path) {
    return const_cast<ListNode*>(static_cast<const Block*>(this)->findListPath(path));
}

Block::ListNode& Block::listForWrite(const NamePath& path) {
    Block* block = descendCreating(path.parents());
    const auto leaf = path.leaf();
    if (const ListNode* node = block->findList(leaf))
        return *const_cast<ListNode*>(node);
    return block->newList(std::string(leaf), 0);
}

bool Block::getProperty(const NamePath& path, int* out) const {
    const ListNode* node = findListPath(path);
    if (!node || node->count() == 0)
        return false;
    std::string scratch;
    if (node->form != ListNode::Form::Floats && parseInt(node->at(0, scratch), out))
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
    if (node->form != ListNode::Form::Floats) {
        FloatList numbers;
        numbers.reserve(node->count());
        std::string scratch;
        for (size_t i = 0; i < node->count(); ++i) {
            float number = 0;
            if (!parseFloat(node->at(i, scratch), &number))
                return false;
            numbers.push_back(number);
        }
        if (!node->floats)
            node->floats = std::make_unique<FloatList>();
        *node->floats = std::move(numbers);
        node->form = ListNode::Form::Floats;
    }
    *out = node->floats.get();
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
    for (auto* node = firstList; node; node = node->next) {
        auto* list = static_cast<ListNode*>(node);
        // A float list handed out earlier stays the property's value: the enumeration shows
        // its numbers as text without taking the property back from it.
        if (list->form == ListNode::Form::Floats)
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

// The reader puts its entries into the document's own chunks: one allocation for many blocks.
Block& Reader::appendBlock(TextStore& store, Block& parent, std::string&& name, int line,
                           uint16_t column) {
    return parent.newBlock(std::move(name), line, store.allocate(sizeof(Block::BlockNode)), column);
}

void Reader::appendList(TextStore& store, Block& parent, std::string&& name, int line,
                        uint16_t column, const std::string_view* values, size_t count) {
    Block::ListNode& node =
        parent.newList(std::move(name), line, store.allocate(sizeof(Block::ListNode)), column);
    if (count) {
        auto* views = static_cast<std::string_view*>(store.allocate(count * sizeof(*values)));
        for (size_t i = 0; i < count; ++i)
            new (views + i) std::string_view(values[i]);
        node.views = views;
    }
    node.viewCount = static_cast<uint32_t>(count);
}

// A property set to one value: a new one keeps its text beside its entry in the block's chunks,
// so a block made in code (a notification, say) costs no heap block per property; an existing
// one takes the value in its own list, as a write to a list accessed in place must.
void Reader::setValue(Block& root, const NamePath& path, std::string_view value) {
    const bool dotted = path.isDotted();
    Block* block = dotted ? root.descendCreating(path.parents()) : &root;
    const auto leaf = dotted ? path.leaf() : path.str();
    if (const Block::ListNode* found = block->findList(leaf)) {
        Block::List& strings = const_cast<Block::ListNode*>(found)->strings();
        strings.assign(1, std::string(value));
        return;
    }
    // The entry, its view and its text in one piece of the block's chunks.
    const size_t nodeBytes = roundUp(sizeof(Block::ListNode));
    char* memory = static_cast<char*>(
        block->allocateNode(nodeBytes + sizeof(std::string_view) + value.size()));
    auto* node = new (memory) Block::ListNode(std::string(leaf), 0);
    auto* view = reinterpret_cast<std::string_view*>(memory + nodeBytes);
    char* text = memory + nodeBytes + sizeof(std::string_view);
    if (!value.empty())
        std::memcpy(text, value.data(), value.size());
    new (view) std::string_view(text, value.size());
    node->views = view;
    node->viewCount = 1;
    node->local = true;
    block->link(node);
}

void Reader::keepLocal(Block& block, NameEntry& entry, const std::string_view* values,
                       size_t count) {
    auto& node = static_cast<Block::ListNode&>(entry);
    size_t bytes = count * sizeof(std::string_view);
    for (size_t i = 0; i < count; ++i)
        bytes += values[i].size();
    char* memory = static_cast<char*>(block.allocateNode(bytes));
    auto* views = reinterpret_cast<std::string_view*>(memory);
    char* text = memory + count * sizeof(std::string_view);
    for (size_t i = 0; i < count; ++i) {
        if (!values[i].empty())
            std::memcpy(text, values[i].data(), values[i].size());
        new (views + i) std::string_view(text, values[i].size());
        text += values[i].size();
    }
    node.views = views;
    node.viewCount = static_cast<uint32_t>(count);
    node.local = true;
}

void* TextStore::allocate(size_t size) {
    size = roundUp(size);
    if (chunks.empty() || capacity - used < size) {
        capacity = std::max<size_t>(size, chunks.empty() ? 65536
                                                         : std::min<size_t>(capacity * 2, 1 << 20));
        chunks.emplace_back(new std::max_align_t[capacity / sizeof(std::max_align_t) + 1]);
        used = 0;
    }
    void* result = reinterpret_cast<char*>(chunks.back().get()) + used;
    used += size;
    return result;
}

} // namespace config
