#include "Script.h"

#include <fstream>
#include <map>
#include <sstream>

namespace kelplay {

namespace {

struct Verb {
    int minArgs;
    int maxArgs;
    const char* usage;
};

// Every command a script can give.
const std::map<std::string, Verb>& verbs() {
    static const std::map<std::string, Verb> table = {
        {"key", {1, 1, "key NAME              press and release a key or mouse button"}},
        {"press", {1, 1, "press NAME            press a key or mouse button"}},
        {"release", {1, 1, "release NAME          release it"}},
        {"type", {1, 1, "type \"TEXT\"           type characters"}},
        {"move", {2, 2, "move X Y              move the pointer"}},
        {"click", {2, 3, "click X Y [BUTTON]    move, then press and release (LeftClick)"}},
        {"wait", {1, 1, "wait SECONDS          let time pass, 60 frames a second"}},
        {"frame", {0, 1, "frame [N]             draw frames without time passing"}},
        {"snapshot", {1, 2, "snapshot NAME [\"CAPTION\"]  picture the screen"}},
        {"command", {1, 1, "command NAME          a flow command of the host (SHOW_MAIN_MENU...)"}},
        {"ask",
         {2, 2, "ask \"TEXT\" STYLE      the host asks a message box (STYLE: OK|YES|NO...)"}},
        {"expect",
         {1, 3,
          "expect WHAT ...       state NAME | shown NAME | hidden NAME | event TEXT |\n"
          "                        answer BUTTON | daytime HH:MM | focus NAME |\n"
          "                        text NAME TEXT | pointer interface|board|hidden"}},
        {"echo", {1, 1, "echo \"TEXT\"           print a line in the transcript"}},
        {"reach", {1, 1, "reach MISSION         the host reports the current player reached it"}},
        {"restart",
         {0, 0, "restart               stop the module and boot it again (the profile stays)"}},
        {"quit", {0, 0, "quit                  end the session"}},
    };
    return table;
}

bool tokenize(const std::string& text, std::vector<std::string>* words, std::string* problem) {
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            return true;
        } else if (c == '"') {
            std::string word;
            ++i;
            while (i < text.size() && text[i] != '"') {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                word += text[i++];
            }
            if (i >= text.size()) {
                *problem = "unterminated string";
                return false;
            }
            ++i;
            words->push_back(word);
        } else {
            const size_t start = i;
            while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
                   text[i] != '#')
                ++i;
            words->push_back(text.substr(start, i - start));
        }
    }
    return true;
}

} // namespace

std::string ScriptError::describe() const {
    return file + ":" + std::to_string(line) + ": " + message;
}

bool Script::parseLine(const std::string& text, int line, const std::string& fileName,
                       ScriptCommand* command, ScriptError* error) {
    std::vector<std::string> words;
    std::string problem;
    if (!tokenize(text, &words, &problem)) {
        *error = ScriptError{fileName, line, problem};
        return false;
    }
    command->line = line;
    command->verb.clear();
    command->args.clear();
    if (words.empty())
        return true;
    const auto found = verbs().find(words[0]);
    if (found == verbs().end()) {
        *error = ScriptError{fileName, line, "unknown command '" + words[0] + "'"};
        return false;
    }
    const int count = static_cast<int>(words.size()) - 1;
    if (count < found->second.minArgs || count > found->second.maxArgs) {
        *error =
            ScriptError{fileName, line,
                        "wrong number of arguments; usage: " + std::string(found->second.usage)};
        return false;
    }
    command->verb = words[0];
    command->args.assign(words.begin() + 1, words.end());
    return true;
}

bool Script::parse(const std::string& text, const std::string& fileName, ScriptError* error) {
    commands.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        ScriptCommand command;
        if (!parseLine(line, number, fileName, &command, error))
            return false;
        if (!command.verb.empty())
            commands.push_back(command);
    }
    return true;
}

bool Script::load(const std::string& path, ScriptError* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = ScriptError{path, 0, "cannot read the script"};
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    return parse(text.str(), path, error);
}

std::string Script::usage() {
    std::string text;
    for (const auto& entry : verbs())
        text += std::string("  ") + entry.second.usage + "\n";
    return text;
}

} // namespace kelplay
