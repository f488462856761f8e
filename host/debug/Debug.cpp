#include "host/debug/Error.h"
#include "host/debug/Filter.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

namespace debug {

namespace {

struct Registry {
    std::mutex mutex;
    LogSink sink;
    std::map<int, std::function<void(const Error&)>> observers;
    int nextObserver = 1;
    std::function<void(int)> exitHandler;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

std::string Context::describe() const {
    std::string text = file;
    if (line > 0) {
        text += ":" + std::to_string(line);
        if (column > 0)
            text += ":" + std::to_string(column);
    }
    return text;
}

namespace {
thread_local const ContextScope* innermostScope = nullptr;
} // namespace

ContextScope::ContextScope(Context context) : context(std::move(context)), outer(innermostScope) {
    innermostScope = this;
}

ContextScope::~ContextScope() {
    innermostScope = outer;
}

Context ContextScope::current(const Context& fallback) {
    return innermostScope ? innermostScope->context : fallback;
}

Error::Error(const Context& context, std::string text) : context(context), text(std::move(text)) {}

void Error::finish() {
    if (finished)
        return;
    message = context.describe() + ": " + text;
    finished = true;
}

void Error::dispatch() {
    if (dispatched)
        return;
    finish();
    dispatched = true;
    std::map<int, std::function<void(const Error&)>> observers;
    {
        std::lock_guard<std::mutex> guard(registry().mutex);
        observers = registry().observers;
    }
    for (auto& entry : observers)
        entry.second(*this);
}

int addErrorObserver(std::function<void(const Error&)> observer) {
    std::lock_guard<std::mutex> guard(registry().mutex);
    const int id = registry().nextObserver++;
    registry().observers.emplace(id, std::move(observer));
    return id;
}

void removeErrorObserver(int id) {
    std::lock_guard<std::mutex> guard(registry().mutex);
    registry().observers.erase(id);
}

void setLogSink(LogSink sink) {
    std::lock_guard<std::mutex> guard(registry().mutex);
    registry().sink = std::move(sink);
}

Filter::Filter(std::string name, bool enabled) : name(std::move(name)), enabled(enabled) {}

bool Filter::pass(const Error&) const {
    return enabled;
}

void Filter::write(const Error& error) {
    thread::Lock hold(*this);
    const Context& where = error.getContext();
    LogRecord record{name, where.getFile(), where.getLine(), where.getColumn(), error.getText()};
    LogSink sink;
    {
        std::lock_guard<std::mutex> guard(registry().mutex);
        sink = registry().sink;
    }
    if (sink) {
        sink(record);
        return;
    }
    std::fprintf(stderr, "[%s] %s: %s\n", record.filter.c_str(), where.describe().c_str(),
                 record.text.c_str());
    std::fflush(stderr);
}

void report(Filter& filter, Error& error) {
    if (!error.isFinished())
        error.finish();
    if (filter.pass(error)) {
        filter.write(error);
        error.setLogged();
    }
    error.dispatch();
}

void setExitHandler(std::function<void(int)> handler) {
    std::lock_guard<std::mutex> guard(registry().mutex);
    registry().exitHandler = std::move(handler);
}

void exit(int code) {
    std::function<void(int)> handler;
    {
        std::lock_guard<std::mutex> guard(registry().mutex);
        handler = registry().exitHandler;
    }
    if (handler)
        handler(code);
    std::exit(code);
}

} // namespace debug
