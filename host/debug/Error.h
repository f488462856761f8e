#pragma once

#include "host/HostApi.h"
#include "host/debug/Context.h"

#include <functional>
#include <string>

namespace debug {

// One error message: a context and a text. It is finished (its text fixed and formatted) before
// a filter looks at it, and dispatched last, which hands it to the host's error observers.
class KEL_HOST_API Error {
public:
    Error(const Context& context, std::string text);

    const Context& getContext() const { return context; }
    const std::string& getText() const { return text; }
    // "file:line:column: text" (see Context::describe), available once finished.
    const std::string& getMessage() const { return message; }
    // Whether a filter let it into the log (set by debug::report).
    bool isLogged() const { return logged; }
    void setLogged() { logged = true; }

    bool isFinished() const { return finished; }
    void finish();
    bool isDispatched() const { return dispatched; }
    void dispatch();

private:
    Context context;
    std::string text;
    std::string message;
    bool finished = false;
    bool dispatched = false;
    bool logged = false;
};

// Observers see every dispatched error, whether or not a filter let it into the log.
// Returns an id for removeErrorObserver.
KEL_HOST_API int addErrorObserver(std::function<void(const Error&)> observer);
KEL_HOST_API void removeErrorObserver(int id);

} // namespace debug
