#pragma once

#include <string>
#include <vector>

namespace kelplay {

// One line of a kel-play script: a verb and its arguments, with the line it came from.
struct ScriptCommand {
    int line = 0;
    std::string verb;
    std::vector<std::string> args;
};

struct ScriptError {
    std::string file;
    int line = 0;
    std::string message;
    // "file:line: message" ("file: message" when no line is known)
    std::string describe() const;
};

// The words scripts use for the root's states and the host's flow commands, in the order of
// their numbers (kel::ui::State::Name and kel::ui::Command::Name).
extern const char* const kStateNames[6];
extern const char* const kFlowCommandNames[7];
// The message-box buttons by name ("YES"); 0 when there is no such button.
int messageBoxButton(const std::string& name);

// A decimal number that is finite: false for "inf", "nan", "1e400", "12px" and "".
bool readNumber(const std::string& text, double* out);

// Reads scripts: one command a line, words or "quoted strings" (with \" and \\), '#' comments.
// Every line is checked before anything plays: the command, the number of its arguments, key and
// button names, states, flow commands and numbers (finite and in range), so a bad script is
// refused with all its mistakes at once. The commands are listed in docs/kel-play.md and by
// usage().
class Script {
public:
    // False with every bad line in `errors`, in line order; no command is kept then. A UTF-8
    // byte-order mark at the start is skipped.
    bool parse(const std::string& text, const std::string& fileName,
               std::vector<ScriptError>* errors);
    // A file that cannot be read is one error with the system's reason.
    bool load(const std::string& path, std::vector<ScriptError>* errors);
    // One line typed at the terminal. An empty line or a comment gives a command without verb.
    static bool parseLine(const std::string& text, int line, const std::string& fileName,
                          ScriptCommand* command, ScriptError* error);
    // The command words, on one line.
    static std::string commandNames();
    // Every command with its arguments and what it does, one a line.
    static std::string usage();
    // The names of every key and mouse button, wrapped to `width` columns.
    static std::string keyNames(size_t width = 78);

    const std::vector<ScriptCommand>& getCommands() const { return commands; }

private:
    std::vector<ScriptCommand> commands;
};

} // namespace kelplay
