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
    // "file:line: message"
    std::string describe() const;
};

// Reads scripts: one command a line, words or "quoted strings" (with \" and \\), '#' comments.
// Every verb and its argument count is checked when the script is read, so a bad script is
// refused before anything runs. The verbs are listed in docs/kel-play.md and by usage().
class Script {
public:
    // False with `error` filled on the first bad line.
    bool parse(const std::string& text, const std::string& fileName, ScriptError* error);
    bool load(const std::string& path, ScriptError* error);
    // Parses one line typed at the terminal (interactive mode).
    static bool parseLine(const std::string& text, int line, const std::string& fileName,
                          ScriptCommand* command, ScriptError* error);
    static std::string usage();

    const std::vector<ScriptCommand>& getCommands() const { return commands; }

private:
    std::vector<ScriptCommand> commands;
};

} // namespace kelplay
