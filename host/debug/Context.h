#pragma once

#include "host/HostApi.h"

#include <string>

namespace debug {

// Where a message comes from: a source path and a line.
class KEL_HOST_API Context {
public:
    Context(std::string file, int line) : file(std::move(file)), line(line) {}

    const std::string& getFile() const { return file; }
    int getLine() const { return line; }

private:
    std::string file;
    int line;
};

} // namespace debug
