#pragma once

#include <memory>
#include <string>

namespace kelplay {

// Ctrl-C asks the session to end: the handler only sets a flag, which the session reads between
// frames and commands, so the report is still written.
void catchInterrupt();
bool interruptRequested();
// The same request from the program itself (the player closed the window).
void requestInterrupt();

// Lines from the standard input without stopping the frame loop: readLine waits at most a given
// time, so frames go on while the player types. The system-specific part of kel-play is here.
class Terminal {
public:
    enum class Read { Line, Timeout, End };

    Terminal();
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // A whole line (without its end), Timeout when none came within `seconds`, End once the
    // input has ended and every line was read. An interrupt ends the wait early (Timeout).
    Read readLine(double seconds, std::string* line);
    // Whether a person types at the input (then kel-play shows a prompt).
    static bool isInteractive();

private:
    struct Pending;
    std::shared_ptr<Pending> pending; // what was read and not handed out yet
};

} // namespace kelplay
