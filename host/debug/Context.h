#pragma once

#include "host/HostApi.h"

#include <string>

namespace debug {

// Where a message comes from: a path and a line, and for data files the column (1-based, in
// characters) when it is known. 0 stands for an unknown line or column.
class KEL_HOST_API Context {
public:
    Context(std::string file, int line, int column = 0)
        : file(std::move(file)), line(line), column(column) {}

    const std::string& getFile() const { return file; }
    int getLine() const { return line; }
    int getColumn() const { return column; }

    // "file:line:column", leaving out a column or line that is unknown.
    std::string describe() const;

private:
    std::string file;
    int line;
    int column;
};

// The place in a data file that the work on this thread is reading. A service asked for
// something that a file names (an image, a font, a model) and does not know it reports the
// problem against this place, so the message points at the line that named it rather than at
// the service's catalogue. Scopes nest; each thread has its own.
class KEL_HOST_API ContextScope {
public:
    explicit ContextScope(Context context);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

    // The innermost scope's place on this thread, or `fallback` outside every scope.
    static Context current(const Context& fallback);

private:
    Context context;
    const ContextScope* outer;
};

} // namespace debug
