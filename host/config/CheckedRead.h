#pragma once

// Typed reads for data files that must never let a wrong value through: a value of the wrong
// type, out of range, or not finite is reported with the file, line and column of its property
// and never used; the caller's default stays.

#include "host/HostApi.h"
#include "host/config/Block.h"

#include <limits>
#include <string>
#include <string_view>

namespace debug {
class Filter;
}

namespace config {

// The numbers a value may take: from `min` to `max`, both included unless `openMin` leaves the
// lower bound out ("above 0").
struct KEL_HOST_API Range {
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
    bool openMin = false;

    Range() = default;
    Range(double min, double max) : min(min), max(max) {}
    static Range atLeast(double min) { return Range(min, std::numeric_limits<double>::infinity()); }
    static Range above(double min) {
        Range range = atLeast(min);
        range.openMin = true;
        return range;
    }

    bool contains(double value) const;
    // "at least 0", "above 0", "from 0 to 1"; empty for any finite number.
    std::string describe() const;
};

// What is wrong with one value, or an empty text when it is right (and then *out is set).
KEL_HOST_API std::string checkNumber(std::string_view text, const Range& range, double* out);
// A whole number, or a number truncated toward zero, as every int read of the library takes it.
KEL_HOST_API std::string checkInt(std::string_view text, const Range& range, int* out);
KEL_HOST_API std::string checkBool(std::string_view text, bool* out);

// Reads the first property of a name from one block. A property that is present and right is
// stored in *out and the read returns true. One that is present but wrong is reported on `log`
// as "<subject>'<key>': <what is wrong>; the default is kept" at the property's file, line and
// column, and the read returns false with *out untouched. A missing property is no problem:
// false, *out untouched.
class KEL_HOST_API CheckedReader {
public:
    CheckedReader(debug::Filter& log, const Block& block, std::string subject = std::string())
        : log(log), block(block), subject(std::move(subject)) {}

    // Exactly one number in the range (finite, and finite as a float).
    bool readNumber(const NamePath& key, const Range& range, float* out) const;
    // Exactly `count` numbers, each in the range; *out is written only when all are right.
    bool readNumbers(const NamePath& key, size_t count, const Range& range, float* out) const;
    bool readInt(const NamePath& key, const Range& range, int* out) const;
    bool readBool(const NamePath& key, bool* out) const;

    // Reports a problem with a property (at its place; at the block's when it is missing).
    void report(const NamePath& key, const std::string& text) const;

private:
    // The property's entry when it has exactly `count` values; reports and gives null else.
    const NameEntry* values(const NamePath& key, size_t count, const char* what) const;

    debug::Filter& log;
    const Block& block;
    std::string subject;
};

} // namespace config
