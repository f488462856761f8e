#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/config/NamePath.h"
#include "host/thread/SynchronizedObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace config {

class Block;
struct TextStore;

// Where an entry was read: the line and column of its name (the column 1-based, in characters,
// a UTF-8 sequence counting once). 0 for entries made in code.
struct Location {
    int line = 0;
    int column = 0;
};

// What an enumerated entry is called; an entry converts to its name.
class KEL_HOST_API NameEntry {
public:
    NameEntry(const NameEntry&) = delete;
    NameEntry& operator=(const NameEntry&) = delete;

    const std::string& getName() const { return *name; }
    operator const std::string&() const { return *name; }
    // Line of the entry in the file it was read from; 0 for entries made in code.
    int getLine() const { return line; }
    // Column of the entry's name on that line (see Location); columns past 65535 read as 65535.
    int getColumn() const { return column; }
    Location getLocation() const { return {line, column}; }
    // A column as entries keep it: past 65535 it reads as 65535.
    static uint16_t clampColumn(int column) {
        return static_cast<uint16_t>(column > 0xFFFF ? 0xFFFF : column);
    }
    bool isBlock() const { return block; }
    // The next entry of the block, of either kind, in order.
    const NameEntry* getNextEntry() const { return nextEntry; }

protected:
    // `name` is either one of its document's names, shared by every entry so called, or a string
    // the block keeps for this entry alone (flagged by kOwnName).
    NameEntry(const std::string* name, int line, bool block, uint16_t column = 0)
        : name(name), line(line), column(column), block(block) {}
    ~NameEntry() = default; // entries are destroyed by their block, which knows their kind

    enum : uint8_t { kOwnName = 1 };

    const std::string* name;
    int line;
    uint16_t column;
    bool block;
    uint8_t bits = 0; // kOwnName, and flags of the entry's kind
    NameEntry* nextEntry = nullptr;
    friend class Block;
};

// One entry of an enumeration (Block::getProperties): its name, its value (a sub-block or a
// list of strings, owned by the block) and the next entry of the same kind, in order.
template <class T> class BlockEntry : public NameEntry {
public:
    T getValue() const { return value; }
    BlockEntry* getNext() const { return next; }

protected:
    BlockEntry(const std::string* name, int line, bool block, uint16_t column = 0)
        : NameEntry(name, line, block, column) {}

    T value = nullptr;
    BlockEntry* next = nullptr;
    friend class Block;
};

// A tree of properties and sub-blocks, both kept in the order they were read or added. A property
// is a name with a list of string values; a typed read converts the first value. Names may
// repeat: lookups by name take the first entry of that name, enumeration gives every entry.
//
// Conversions of the first value: int accepts an integer or a number (truncated toward zero);
// float accepts any number; bool accepts true/yes/on/1 and false/no/off/0; Color takes three or
// four numbers (red green blue [alpha]). A value that does not convert reads as absent.
//
// Blocks read from text keep their names and values in storage of their document (each name
// once, however often it repeats), shared by every block of the document and its copies and
// independent of the text itself, until a caller asks for a list in place.
class KEL_HOST_API Block : public thread::SynchronizedObject {
public:
    using List = std::vector<std::string>;
    using FloatList = std::vector<float>;

    Block();
    Block(const Block& other);
    Block(Block&& other) noexcept;
    Block& operator=(const Block& other);
    Block& operator=(Block&& other) noexcept;
    ~Block() override;

    // Typed reads: true when the property exists and its first value converts; `out` is left
    // untouched otherwise, so callers set their default first.
    bool getProperty(const NamePath& path, int* out) const;
    bool getProperty(const NamePath& path, float* out) const;
    bool getProperty(const NamePath& path, bool* out) const;
    bool getProperty(const NamePath& path, std::string* out) const;
    bool getProperty(const NamePath& path, Color* out) const;

    // In-place access to a sub-block or a property's list. A list accessed as floats stays a
    // float list (written back as numbers) until it is next accessed as strings; its pointer
    // stays valid as long as the property exists. Float access fails when a value is no number.
    bool getPropertyAccess(const NamePath& path, Block** out);
    bool getPropertyAccess(const NamePath& path, FloatList** out);
    bool getPropertyAccess(const NamePath& path, List** out);
    bool getPropertyAccess(const NamePath& path, const Block** out) const;

    // Enumerates sub-blocks or list properties in order; *out is null when there are none.
    // A list already accessed as floats keeps them as its value: its enumerated strings are a
    // picture of the numbers, and changes go through the float list.
    void getProperties(BlockEntry<Block*>** out);
    void getProperties(BlockEntry<List*>** out);

    // Create or replace. A dotted path creates the sub-blocks it names when they are missing.
    void setProperty(const NamePath& path, const int* value);
    void setProperty(const NamePath& path, const float* value);
    void setProperty(const NamePath& path, const bool* value);
    void setProperty(const NamePath& path, const std::string* value);
    void setProperty(const NamePath& path, const List* values);
    void setProperty(const NamePath& path, const Block* value);

    // Appends without looking for an entry of the same name.
    List& appendProperty(std::string name, int line = 0);
    Block& appendBlock(std::string name, int line = 0);

    bool hasProperty(const NamePath& path) const;
    bool hasBlock(const NamePath& path) const;
    int getBlockCount() const { return blockCount; }
    int getListCount() const { return listCount; }
    bool isEmpty() const { return firstEntry == nullptr; }
    void clear();
    // Line of the first property of that name, 0 when unknown.
    int getPropertyLine(const NamePath& path) const;
    // Line and column of the first property of that name; zeros when it is missing or was made
    // in code.
    Location getPropertyLocation(const NamePath& path) const;
    // The first property of that name as an entry (for Block::valueAt and its location), or
    // null when it is missing.
    const NameEntry* getPropertyEntry(const NamePath& path) const;
    // The values of the first property of that name as strings (empty when missing).
    List getList(const NamePath& path) const;

    // Where the block was read from: the file's name (empty for blocks made in code) and the
    // line of its name (1 for a whole file).
    const std::string& getSourceFile() const;
    int getSourceLine() const { return sourceLine; }
    // Column of the block's name on its line (0 for a whole file and for blocks made in code).
    int getSourceColumn() const { return sourceColumn; }

    // Every entry in order, for writers and walkers.
    const NameEntry* getFirstEntry() const { return firstEntry; }
    static size_t valueCount(const NameEntry& listEntry);
    // A value of a list entry; `scratch` holds it when it has to be formatted.
    static std::string_view valueAt(const NameEntry& listEntry, size_t index, std::string& scratch);
    static List valuesOf(const NameEntry& listEntry);
    static const Block& blockOf(const NameEntry& blockEntry);

private:
    class ListNode;
    class BlockNode;
    struct Chunk;
    friend class Reader;

    const ListNode* findList(std::string_view name) const;
    const BlockNode* findBlock(std::string_view name) const;
    const Block* descend(std::string_view parents) const;
    Block* descendCreating(std::string_view parents);
    const ListNode* findListPath(const NamePath& path) const;
    ListNode* findListPath(const NamePath& path);
    ListNode& listForWrite(const NamePath& path);
    // A name kept by the block for one entry of its own.
    const std::string* keepName(std::string name);
    // New entries in the block's own chunks; a list gets `extra` bytes after it for its values.
    ListNode& newList(const std::string* name, bool ownName, int line, uint16_t column = 0,
                      size_t extra = 0);
    Block& newBlock(const std::string* name, bool ownName, int line, void* memory,
                    uint16_t column = 0);
    void copyFrom(const Block& other);
    void link(NameEntry* entry);
    void linkUnindexed(NameEntry* entry);
    void* allocateNode(size_t size);
    void destroyEntries();

    // Entries live in chunks owned by the block, so a block of n entries costs about log2(n)
    // allocations; entries are destroyed together with the block (or by clear/assignment).
    Chunk* chunks = nullptr;
    NameEntry* firstEntry = nullptr;
    NameEntry* lastEntry = nullptr;
    BlockEntry<Block*>* firstBlock = nullptr;
    BlockEntry<Block*>* lastBlock = nullptr;
    BlockEntry<List*>* firstList = nullptr;
    BlockEntry<List*>* lastList = nullptr;
    int blockCount = 0;
    int listCount = 0;
    // The document this block was read from: the storage its names, entries and unmaterialised
    // values are in, and its file name. Null for blocks made in code.
    std::shared_ptr<const TextStore> store;
    int sourceLine = 0;
    uint16_t sourceColumn = 0;
    // Some list entry of the block may own memory (a name or values of its own): the block's
    // destruction visits its lists only then. Lists read from a document own none until they
    // are changed or accessed in place.
    bool listsOwnMemory = false;
};

} // namespace config
