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
    debug::Error error(debug::Context(block->getSourceFile(), block->getPropertyLine(key)),
                       "option '" + key + "': " + text);
    debug::report(layoutFilter(), error);
}

std::string LayoutOptions::localise(const std::string& text, const std::string& file, int line) {
    if (text.size() < 2 || text[0] != '@')
        return text;
    if (text[1] == '@')
        return text.substr(1);
    const std::string key = text.substr(1);
    std::string found = theDataStorage ? theDataStorage->uiString(key) : std::string();
    if (found.empty()) {
        debug::Error error(debug::Context(file, line),
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
    *out = localise(value, block->getSourceFile(), block->getPropertyLine(key));
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

bool LayoutOptions::readNumbers(config::Block* block, const std::string& key, size_t count,
                                float* out) {
    if (!block->hasProperty(key))
        return false;
    const std::vector<std::string> values = block->getList(key);
    std::vector<float> numbers;
    for (const std::string& value : values) {
        double number = 0;
        if (!config::parseNumber(value, &number)) {
            report(block, key, "'" + value + "' is not a number");
            return false;
        }
        numbers.push_back(static_cast<float>(number));
    }
    if (numbers.size() != count) {
        report(block, key,
               "needs " + std::to_string(count) + " numbers, has " +
                   std::to_string(numbers.size()));
        return false;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = numbers[i];
    return true;
}

bool LayoutOptions::readColor(config::Block* block, const std::string& key, config::Color* out) {
    if (!block->hasProperty(key))
        return false;
    if (block->getProperty(key, out))
        return true;
    report(block, key, "a colour is three or four numbers from 0 to 1: red green blue [alpha]");
    return false;
}

} // namespace ui
