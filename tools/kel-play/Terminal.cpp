#include "Terminal.h"

#include <csignal>

#ifdef _WIN32
// Windows: a thread reads whole lines and hands them over; waiting on it has a timeout.
#include <condition_variable>
#include <deque>
#include <io.h>
#include <iostream>
#include <mutex>
#include <thread>
#else
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#endif

namespace kelplay {

namespace {
volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}
} // namespace

void catchInterrupt() {
    std::signal(SIGINT, onInterrupt);
}

bool interruptRequested() {
    return interrupted != 0;
}

void requestInterrupt() {
    interrupted = 1;
}

#ifdef _WIN32

struct Terminal::Pending {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::string> lines;
    bool ended = false;
};

Terminal::Terminal() : pending(std::make_shared<Pending>()) {
    // The reader may still wait in getline when the session ends: it is left to the process's
    // end and owns a share of what it fills.
    std::thread([shared = pending] {
        std::string line;
        while (std::getline(std::cin, line)) {
            std::lock_guard<std::mutex> guard(shared->mutex);
            shared->lines.push_back(line);
            shared->arrived.notify_one();
        }
        std::lock_guard<std::mutex> guard(shared->mutex);
        shared->ended = true;
        shared->arrived.notify_one();
    }).detach();
}

Terminal::~Terminal() = default;

Terminal::Read Terminal::readLine(double seconds, std::string* line) {
    std::unique_lock<std::mutex> hold(pending->mutex);
    pending->arrived.wait_for(hold, std::chrono::duration<double>(seconds),
                              [&] { return !pending->lines.empty() || pending->ended; });
    if (!pending->lines.empty()) {
        *line = pending->lines.front();
        pending->lines.pop_front();
        return Read::Line;
    }
    return pending->ended ? Read::End : Read::Timeout;
}

bool Terminal::isInteractive() {
    return _isatty(_fileno(stdin)) != 0;
}

#else

struct Terminal::Pending {
    std::string bytes; // read, not yet handed out as lines
    bool ended = false;
};

Terminal::Terminal() : pending(std::make_shared<Pending>()) {}

Terminal::~Terminal() = default;

Terminal::Read Terminal::readLine(double seconds, std::string* line) {
    auto take = [&](size_t end, size_t skip) {
        *line = pending->bytes.substr(0, end);
        pending->bytes.erase(0, end + skip);
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
        return Read::Line;
    };
    const size_t newline = pending->bytes.find('\n');
    if (newline != std::string::npos)
        return take(newline, 1);
    if (pending->ended)
        return pending->bytes.empty() ? Read::End : take(pending->bytes.size(), 0);
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&input, 1, static_cast<int>(seconds * 1000));
    if (ready <= 0)
        return Read::Timeout; // nothing yet, or a signal came
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
        return Read::Timeout;
    if (got <= 0)
        pending->ended = true;
    else
        pending->bytes.append(buffer, static_cast<size_t>(got));
    return readLine(0, line);
}

bool Terminal::isInteractive() {
    return ::isatty(STDIN_FILENO) != 0;
}

#endif

} // namespace kelplay
