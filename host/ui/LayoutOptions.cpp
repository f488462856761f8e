#include "host/ui/LayoutOptions.h"
#include "host/config/Block.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/ui/DataStorage.h"

namespace ui {

namespace {
debug::Filter& layoutFilter() {
    static debug::Filter filter("ui", true);
    return filter;
}
} // namespace

void LayoutOptions::report(config::Block* block, const std::string& key, const std::string& text) {
    debug::Error error(placeOf(block, key), "option '" + key + "': " + text);
    debug::report(layoutFilter(), error);
}

debug::Context LayoutOptions::placeOf(const config::Block* block, const std::string& key) {
    config::Location where = block->getPropertyLocation(key);
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

bool LayoutOptions::readText(config::Block* block, const std::string& key, std::string* out) {
    std::string value;
    if (!block->getProperty(key, &value))
        return false;
    const config::Location where = block->getPropertyLocation(key);
    *out = localise(value, block->getSourceFile(), where.line, where.column);
    return true;
}

const std::vector<std::string>& LayoutOptions::alignNames() {
    static const std::vector<std::string> names = {"left", "right", "centre"};
    return names;
}

bool LayoutOptions::readChoice(config::Block* block, const std::string& key,
                               const std::vector<std::string>& names, int* out) {
    std::string value;
    if (!block->getProperty(key, &value))
        return false;
    if (value == "center")
        value = "centre";
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == value) {
            *out = static_cast<int>(i);
            return true;
        }
    }
    double number = 0;
    if (config::parseNumber(value, &number) && number >= 0 &&
        number < static_cast<double>(names.size()) && number == static_cast<int>(number)) {
        *out = static_cast<int>(number);
        return true;
    }
    std::string expected;
    for (size_t i = 0; i < names.size(); ++i)
        expected += (i ? ", " : "") + names[i] + " (" + std::to_string(i) + ")";
    report(block, key, "'" + value + "' is not one of " + expected);
    return false;
}

bool LayoutOptions::readNumber(config::Block* block, const std::string& key,
                               const config::Range& range, float* out) {
    return config::CheckedReader(layoutFilter(), *block, "option ").readNumber(key, range, out);
}

bool LayoutOptions::readNumbers(config::Block* block, const std::string& key, size_t count,
                                float* out, const config::Range& range) {
    return config::CheckedReader(layoutFilter(), *block, "option ")
        .readNumbers(key, count, range, out);
}

bool LayoutOptions::readInt(config::Block* block, const std::string& key,
                            const config::Range& range, int* out) {
    return config::CheckedReader(layoutFilter(), *block, "option ").readInt(key, range, out);
}

bool LayoutOptions::readBool(config::Block* block, const std::string& key, bool* out) {
    return config::CheckedReader(layoutFilter(), *block, "option ").readBool(key, out);
}

bool LayoutOptions::readColor(config::Block* block, const std::string& key, config::Color* out) {
    const config::NameEntry* entry = block->getPropertyEntry(key);
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
