#include "host/ui/LayoutOptions.h"
#include "host/config/Block.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/ui/DataStorage.h"

#include <algorithm>

namespace ui {

namespace {

debug::Filter& layoutFilter() {
    static debug::Filter filter("ui", true);
    return filter;
}

// The innermost scope of this thread. The library may be loaded after the program started (a
// game loads its interface module), so the thread-local keeps the general model.
thread_local LayoutOptions::BlockScope* innermost = nullptr;

// Whatever a block gives for a value of `count` numbers at most: read without a heap block.
constexpr size_t kMaxNumbers = 16;

config::CheckedReader checkedReader(config::Block* block) {
    return config::CheckedReader(layoutFilter(), *block, "option ");
}

// The bit of a name in a scope's summary of the names it lists.
uint64_t nameBit(std::string_view name) {
    if (name.empty())
        return 1;
    const auto first = static_cast<unsigned char>(name.front());
    const auto last = static_cast<unsigned char>(name.back());
    return uint64_t(1) << ((name.size() * 7 + first * 3 + last) % 64);
}

// Whether a listed name of the key's length is the key. Option names are short: compared in
// place rather than by a call.
bool sameName(const char* name, std::string_view key) {
    for (size_t i = 0; i < key.size(); ++i)
        if (name[i] != key[i])
            return false;
    return true;
}

// A value written as a few decimal digits, perhaps signed: what most layout numbers are. Read
// here as the library reads it (a "-0" is minus zero); false for anything else.
bool shortDecimal(std::string_view text, double* out) {
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    *out = negative ? -static_cast<double>(value) : static_cast<double>(value);
    return true;
}

template <class Names>
bool choose(config::Block* block, std::string_view key, const Names& names, int* out) {
    std::string value;
    if (!LayoutOptions::readValue(block, key, &value))
        return false;
    if (value == "center")
        value = "centre";
    int index = 0;
    for (const auto& name : names) {
        if (value == name) {
            *out = index;
            return true;
        }
        ++index;
    }
    double number = 0;
    if (config::parseNumber(value, &number) && number >= 0 &&
        number < static_cast<double>(names.size()) && number == static_cast<int>(number)) {
        *out = static_cast<int>(number);
        return true;
    }
    std::string expected;
    index = 0;
    for (const auto& name : names) {
        expected += (index ? ", " : "") + std::string(name) + " (" + std::to_string(index) + ")";
        ++index;
    }
    LayoutOptions::report(block, key, "'" + value + "' is not one of " + expected);
    return false;
}

} // namespace

LayoutOptions::BlockScope::BlockScope(const config::Block* block) : previous(innermost) {
    innermost = this;
    if (!block || block->getListCount() > kMaxOptions)
        return;
    for (const config::NameEntry* entry = block->getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        if (entry->isBlock())
            continue;
        const std::string_view name = entry->getName();
        // A name with a dot would be taken for a path: such a block is searched.
        for (const char c : name)
            if (c == '.')
                return;
        const uint64_t bit = nameBit(name);
        bool seen = false;
        if (names & bit)
            for (int i = 0; i < count && !seen; ++i)
                seen = std::string_view(options[i].name, options[i].size) == name;
        if (!seen) {
            options[count++] = {name.data(), name.size(), entry};
            names |= bit;
        }
    }
    this->block = block;
    firstEntry = block->getFirstEntry();
    listCount = block->getListCount();
    blockCount = block->getBlockCount();
}

LayoutOptions::BlockScope::~BlockScope() {
    innermost = previous;
}

const config::NameEntry* LayoutOptions::findOption(const config::Block* block,
                                                   std::string_view key) {
    if (const BlockScope* scope = listedScope(block)) {
        if (scope->names & nameBit(key))
            for (int i = 0; i < scope->count; ++i) {
                const BlockScope::Option& option = scope->options[i];
                if (option.size == key.size() && sameName(option.name, key))
                    return option.entry;
            }
        // Not listed: missing, unless it is a path into a sub-block.
        if (scope->blockCount == 0 || key.find('.') == std::string_view::npos)
            return nullptr;
    }
    return block->getPropertyEntry(key);
}

const LayoutOptions::BlockScope* LayoutOptions::listedScope(const config::Block* block) {
    for (const BlockScope* scope = innermost; scope; scope = scope->previous) {
        if (scope->block != block)
            continue;
        if (scope->firstEntry != block->getFirstEntry() ||
            scope->listCount != block->getListCount() ||
            scope->blockCount != block->getBlockCount())
            return nullptr; // changed since it was listed
        return scope;
    }
    return nullptr;
}

LayoutOptions::OptionSet::OptionSet(std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names)
        bits |= nameBit(name);
}

bool LayoutOptions::mayHaveAny(const config::Block* block, const OptionSet& options) {
    const BlockScope* scope = listedScope(block);
    return !scope || (scope->names & options.bits) != 0;
}

bool LayoutOptions::readValue(const config::Block* block, std::string_view key, std::string* out) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry || config::Block::valueCount(*entry) == 0)
        return false;
    std::string scratch;
    out->assign(config::Block::valueAt(*entry, 0, scratch));
    return true;
}

void LayoutOptions::report(config::Block* block, std::string_view key, const std::string& text) {
    debug::Error error(placeOf(block, key), "option '" + std::string(key) + "': " + text);
    debug::report(layoutFilter(), error);
}

debug::Context LayoutOptions::placeOf(const config::Block* block, std::string_view key) {
    const config::NameEntry* entry = findOption(block, key);
    config::Location where = entry ? entry->getLocation() : config::Location();
    if (where.line == 0)
        where = {block->getSourceLine(), block->getSourceColumn()};
    return debug::Context(block->getSourceFile(), where.line, where.column);
}

std::string LayoutOptions::localise(const std::string& text, const std::string& file, int line,
                                    int column) {
    if (text.size() < 2 || text[0] != '@')
        return text;
    if (text[1] == '@')
        return text.substr(1);
    const std::string key = text.substr(1);
    std::string found = theDataStorage ? theDataStorage->uiString(key) : std::string();
    if (found.empty()) {
        debug::Error error(debug::Context(file, line, column),
                           "no interface string '" + key + "': its key is shown instead");
        debug::report(layoutFilter(), error);
        return key;
    }
    return found;
}

bool LayoutOptions::readText(config::Block* block, std::string_view key, std::string* out) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry || config::Block::valueCount(*entry) == 0)
        return false;
    std::string scratch;
    const std::string_view value = config::Block::valueAt(*entry, 0, scratch);
    if (value.size() < 2 || value[0] != '@') {
        out->assign(value);
        return true;
    }
    *out =
        localise(std::string(value), block->getSourceFile(), entry->getLine(), entry->getColumn());
    return true;
}

const std::vector<std::string>& LayoutOptions::alignNames() {
    static const std::vector<std::string> names = {"left", "right", "centre"};
    return names;
}

bool LayoutOptions::readChoice(config::Block* block, std::string_view key,
                               const std::vector<std::string>& names, int* out) {
    return choose(block, key, names, out);
}

bool LayoutOptions::readChoice(config::Block* block, std::string_view key,
                               std::initializer_list<const char*> names, int* out) {
    return choose(block, key, names, out);
}

// The typed reads take the quick way when the option is missing or right; a wrong one is read
// again by the checked reader, which reports it.

bool LayoutOptions::readNumber(config::Block* block, std::string_view key,
                               const config::Range& range, float* out) {
    return readNumbers(block, key, 1, out, range);
}

bool LayoutOptions::readNumbers(config::Block* block, std::string_view key, size_t count,
                                float* out, const config::Range& range) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry)
        return false;
    if (config::Block::valueCount(*entry) == count && count <= kMaxNumbers) {
        float numbers[kMaxNumbers];
        std::string scratch;
        size_t read = 0;
        for (double value = 0; read < count; ++read) {
            const std::string_view text = config::Block::valueAt(*entry, read, scratch);
            if (shortDecimal(text, &value) ? !range.contains(value)
                                           : !config::checkNumber(text, range, &value).empty())
                break;
            numbers[read] = static_cast<float>(value);
        }
        if (read == count) {
            std::copy(numbers, numbers + count, out);
            return true;
        }
    }
    return checkedReader(block).readNumbers(key, count, range, out);
}

bool LayoutOptions::readInt(config::Block* block, std::string_view key, const config::Range& range,
                            int* out) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry)
        return false;
    if (config::Block::valueCount(*entry) == 1) {
        std::string scratch;
        const std::string_view text = config::Block::valueAt(*entry, 0, scratch);
        double value = 0;
        if (shortDecimal(text, &value)) {
            if (range.contains(value)) {
                *out = static_cast<int>(value);
                return true;
            }
        } else if (config::checkInt(text, range, out).empty()) {
            return true;
        }
    }
    return checkedReader(block).readInt(key, range, out);
}

bool LayoutOptions::isBool(std::string_view text, bool* out) {
    if (text == "true" || text == "false") {
        *out = text == "true";
        return true;
    }
    return config::parseBool(text, out);
}

bool LayoutOptions::readBool(config::Block* block, std::string_view key, bool* out) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry)
        return false;
    if (config::Block::valueCount(*entry) == 1) {
        std::string scratch;
        const std::string_view text = config::Block::valueAt(*entry, 0, scratch);
        if (isBool(text, out))
            return true;
    }
    return checkedReader(block).readBool(key, out);
}

bool LayoutOptions::readColor(config::Block* block, std::string_view key, config::Color* out) {
    const config::NameEntry* entry = findOption(block, key);
    if (!entry)
        return false;
    const size_t count = config::Block::valueCount(*entry);
    double channel[4] = {0, 0, 0, 1};
    std::string problem, scratch;
    if (count < 3 || count > 4)
        problem = "a colour is three or four numbers from 0 to 1: red green blue [alpha]";
    for (size_t i = 0; i < count && i < 4 && problem.empty(); ++i)
        problem = config::checkNumber(config::Block::valueAt(*entry, i, scratch),
                                      config::Range(0, 1), &channel[i]);
    if (!problem.empty()) {
        report(block, key, problem + "; the default is kept");
        return false;
    }
    *out = config::Color(static_cast<float>(channel[0]), static_cast<float>(channel[1]),
                         static_cast<float>(channel[2]), static_cast<float>(channel[3]));
    return true;
}

} // namespace ui
