#pragma once

#include "host/HostApi.h"
#include "host/thread/SynchronizedObject.h"

#include <functional>
#include <string>

namespace debug {

class Error;

// One line of the host log.
struct LogRecord {
    std::string filter;
    std::string file;
    int line = 0;
    int column = 0; // 0 when unknown
    std::string text;
};

// Where the host log goes. Without a sink (the default) records are written to stderr as
// "[filter] file:line:column: text" (an unknown column or line is left out).
using LogSink = std::function<void(const LogRecord&)>;
KEL_HOST_API void setLogSink(LogSink sink);

// A named switch in front of the host log: it decides whether a message passes and writes
// passing messages to the log under its own lock, so lines from several threads never mix.
class KEL_HOST_API Filter : public thread::SynchronizedObject {
public:
    Filter(std::string name, bool enabled);

    const std::string& getName() const { return name; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool on) { enabled = on; }

    bool pass(const Error& error) const;
    void write(const Error& error);

private:
    std::string name;
    bool enabled;
};

// The whole path of a message: finish it if needed, ask the filter, write it when it passes,
// then dispatch it.
KEL_HOST_API void report(Filter& filter, Error& error);

// Ends the program through the debug library. Tests and tools may install a handler; when the
// handler returns (or none is installed) the process exits with `code`.
KEL_HOST_API void setExitHandler(std::function<void(int)> handler);
[[noreturn]] KEL_HOST_API void exit(int code = 0);

} // namespace debug
