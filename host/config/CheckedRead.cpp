#include "host/config/CheckedRead.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace config {

namespace {

std::string formatBound(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string quote(std::string_view text) {
    return "'" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...'" : "'");
}

std::string outOfRange(std::string_view text, const Range& range) {
    const std::string wanted = range.describe();
    return quote(text) + " is out of range" + (wanted.empty() ? "" : " (" + wanted + ")");
}

} // namespace

bool Range::contains(double value) const {
    return (openMin ? value > min : value >= min) && value <= max;
}

std::string Range::describe() const {
    const bool low = std::isfinite(min), high = std::isfinite(max);
    if (low && high)
        return "from " + formatBound(min) + " to " + formatBound(max);
    if (low)
        return (openMin ? "above " : "at least ") + formatBound(min);
    if (high)
        return "at most " + formatBound(max);
    return std::string();
}

std::string checkNumber(std::string_view text, const Range& range, double* out) {
    double value = 0;
    if (!parseNumber(text, &value)) {
        // from_chars reads "nan" and "inf" as numbers; the library never takes them.
        std::string_view digits = text;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            digits.remove_prefix(1);
        double special = 0;
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), special);
        const bool whole = !digits.empty() && result.ec == std::errc() &&
                           result.ptr == digits.data() + digits.size();
        return quote(text) + (whole ? " is not a finite number" : " is not a number");
    }
    if (!range.contains(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return outOfRange(text, range);
    *out = value;
    return std::string();
}

std::string checkInt(std::string_view text, const Range& range, int* out) {
    int whole = 0;
    double number = 0;
    if (parseInt(text, &whole)) {
        number = whole;
    } else {
        const std::string problem = checkNumber(text, Range(), &number);
        if (!problem.empty())
            return problem;
        if (number >= 2147483648.0 || number <= -2147483649.0)
            return quote(text) + " is out of range";
        number = std::trunc(number);
    }
    if (!range.contains(number))
        return outOfRange(text, range);
    *out = static_cast<int>(number);
    return std::string();
}

std::string checkBool(std::string_view text, bool* out) {
    if (parseBool(text, out))
        return std::string();
    return quote(text) + " is not true or false (also yes/no, on/off, 1/0)";
}

const NameEntry* CheckedReader::values(const NamePath& key, size_t count, const char* what) const {
    const NameEntry* entry = block.getPropertyEntry(key);
    if (!entry)
        return nullptr;
    const size_t has = Block::valueCount(*entry);
    if (has != count) {
        report(key, "needs " + std::to_string(count) + " " + what + (count == 1 ? "" : "s") +
                        ", has " + std::to_string(has));
        return nullptr;
    }
    return entry;
}

bool CheckedReader::readNumber(const NamePath& key, const Range& range, float* out) const {
    return readNumbers(key, 1, range, out);
}

bool CheckedReader::readNumbers(const NamePath& key, size_t count, const Range& range,
                                float* out) const {
    const NameEntry* entry = values(key, count, "number");
    if (!entry)
        return false;
    std::string scratch;
    std::vector<float> numbers(count);
    for (size_t i = 0; i < count; ++i) {
        double value = 0;
        const std::string problem = checkNumber(Block::valueAt(*entry, i, scratch), range, &value);
        if (!problem.empty()) {
            report(key, problem);
            return false;
        }
        numbers[i] = static_cast<float>(value);
    }
    std::copy(numbers.begin(), numbers.end(), out);
    return true;
}

bool CheckedReader::readInt(const NamePath& key, const Range& range, int* out) const {
    const NameEntry* entry = values(key, 1, "whole number");
    if (!entry)
        return false;
    std::string scratch;
    const std::string problem = checkInt(Block::valueAt(*entry, 0, scratch), range, out);
    if (!problem.empty())
        report(key, problem);
    return problem.empty();
}

bool CheckedReader::readBool(const NamePath& key, bool* out) const {
    const NameEntry* entry = values(key, 1, "value");
    if (!entry)
        return false;
    std::string scratch;
    const std::string problem = checkBool(Block::valueAt(*entry, 0, scratch), out);
    if (!problem.empty())
        report(key, problem);
    return problem.empty();
}

void CheckedReader::report(const NamePath& key, const std::string& text) const {
    Location where = block.getPropertyLocation(key);
    if (where.line == 0)
        where = {block.getSourceLine(), block.getSourceColumn()};
    debug::Error error(debug::Context(block.getSourceFile(), where.line, where.column),
                       subject + "'" + std::string(key.leaf()) + "': " + text +
                           "; the default is kept");
    debug::report(log, error);
}

} // namespace config
