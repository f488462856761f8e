#include "Script.h"

#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/logic/GameBoard.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace kelplay {

const char* const kStateNames[6] = {"INITIAL", "MAIN_MENU", "LOADING",
                                    "GAME",    "GAME_MENU", "ENDING_GAME"};
const char* const kFlowCommandNames[7] = {"LOAD_INTERFACE", "SHOW_MAIN_MENU", "BEGIN_LOADING",
                                          "BEGIN_GAME",     "SHOW_GAME_MENU", "RESUME_GAME",
                                          "END_GAME"};

namespace {

// What an argument must be.
enum class Arg {
    Key,         // a key or mouse button name
    MouseButton, // a button of the PC mouse
    Position,    // a screen position
    Seconds,     // a time to wait
    Frames,      // a number of frames
    Word,        // a name
    Text,        // any text
    Flow,        // a flow command of the host
    Style,       // message-box buttons joined by '|'
    Answer,      // one message-box button
    State,       // a state of the root
    DayTime,     // HH:MM
    Look,        // what the pointer shows
    Phase,       // a load phase of the game board
    Outcome,     // how a mission ends
    Waiter,      // the modal screen a host thread waits in, or none
    Percents,    // whole percentages from 0 to 100, separated by spaces
    Numbers,     // five whole numbers, separated by spaces
    Unit,        // a unit on the board: its kind, or KIND:N for the Nth of that kind
    Health,      // a unit's health points
    Expectation, // what `expect` checks: its own table below
    Voice,       // how a unit speaks: speech, thoughts or author
    Angle,       // a balloon's turn: 0, 90, 180 or 270
    BalloonLook, // how a balloon is drawn: upright, mirrored or side
};

struct Verb {
    const char* name;
    std::vector<Arg> args;
    size_t required;
    const char* synopsis;
    const char* help;
};

// Every command a script can give.
const std::vector<Verb>& verbs() {
    static const std::vector<Verb> table = {
        {"key", {Arg::Key}, 1, "key NAME", "press and release a key or mouse button"},
        {"press", {Arg::Key}, 1, "press NAME", "press a key or mouse button"},
        {"release", {Arg::Key}, 1, "release NAME", "release it"},
        {"type", {Arg::Text}, 1, "type \"TEXT\"", "type characters"},
        {"move", {Arg::Position, Arg::Position}, 2, "move X Y", "move the mouse there"},
        {"click",
         {Arg::Position, Arg::Position, Arg::MouseButton},
         2,
         "click X Y [BUTTON]",
         "move, then press and release (LeftClick)"},
        {"wait", {Arg::Seconds}, 1, "wait SECONDS", "let time pass, 60 frames a second"},
        {"frame", {Arg::Frames}, 0, "frame [N]", "draw frames without time passing"},
        {"snapshot", {Arg::Word, Arg::Text}, 1, "snapshot NAME [\"CAPTION\"]", "picture it"},
        {"command", {Arg::Flow}, 1, "command NAME", "a flow command of the host"},
        {"ask", {Arg::Text, Arg::Style}, 2, "ask \"TEXT\" STYLE", "the host asks (YES|NO...)"},
        {"expect", {Arg::Expectation}, 1, "expect WHAT ...", "check the session (see below)"},
        {"echo", {Arg::Text}, 1, "echo \"TEXT\"", "a line in the transcript"},
        {"reach", {Arg::Word}, 1, "reach MISSION", "the current player reached a mission"},
        {"loadsnapshot",
         {Arg::Phase, Arg::Word, Arg::Text},
         2,
         "loadsnapshot PHASE NAME [\"CAPTION\"]",
         "picture the next load when that phase ends"},
        {"endmission", {Arg::Outcome}, 1, "endmission win|lose", "the mission ends; results"},
        {"health",
         {Arg::Unit, Arg::Health},
         2,
         "health UNIT POINTS",
         "the game logic sets a unit's health (in battle)"},
        {"say",
         {Arg::Unit, Arg::Voice, Arg::Text},
         3,
         "say UNIT speech|thoughts|author \"TEXT\"",
         "the host shows a unit's balloon"},
        {"unsay", {Arg::Unit}, 1, "unsay UNIT", "the host hides the unit's balloon"},
        {"restart", {}, 0, "restart", "stop the module and boot it again"},
        {"quit", {}, 0, "quit", "end the session"},
    };
    return table;
}

struct Expectation {
    const char* what;
    std::vector<Arg> args;
    const char* synopsis;
    const char* help;
};

// What `expect` checks, with its arguments.
const std::vector<Expectation>& expectations() {
    static const std::vector<Expectation> table = {
        {"state", {Arg::State}, "state STATE", "the root's state"},
        {"shown", {Arg::Word}, "shown NAME", "a component below the root is shown"},
        {"hidden", {Arg::Word}, "hidden NAME", "or hidden"},
        {"event", {Arg::Text}, "event \"TEXT\"", "the last root-UI event"},
        {"answer", {Arg::Answer}, "answer BUTTON", "the answer to the host's question"},
        {"daytime", {Arg::DayTime}, "daytime HH:MM", "the sky's time of day"},
        {"focus", {Arg::Word}, "focus NAME", "the component with the keyboard focus"},
        {"text", {Arg::Word, Arg::Text}, "text NAME \"TEXT\"", "what a text component shows"},
        {"pointer", {Arg::Look}, "pointer LOOK", "interface, board or hidden"},
        {"front", {Arg::Word}, "front ENTRY", "the entry in front of the shown ring"},
        {"ringfocus", {Arg::Word}, "ringfocus ENTRY", "the ring's focused entry, or none"},
        {"loading",
         {Arg::Percents},
         "loading \"PERCENTS\"",
         "the loading bar after each phase of the last load"},
        {"camera",
         {Arg::Numbers},
         "camera \"YAW PITCH X Y ZOOM\"",
         "the battle camera, in whole degrees and board units"},
        {"waiting", {Arg::Waiter}, "waiting WHAT", "a host thread waits in goal, results or none"},
        {"profile",
         {Arg::Word, Arg::Text},
         "profile PATH \"VALUE\"",
         "a value of the player's profile as saved"},
        {"digits",
         {Arg::Unit, Arg::Text},
         "digits UNIT \"DIGITS\"",
         "the health digits over a unit, as read (\"\" for none)"},
        {"balloon",
         {Arg::Unit, Arg::Angle, Arg::BalloonLook},
         "balloon UNIT ANGLE upright|mirrored|side",
         "the unit's balloon, grown, turned so and on screen"},
        {"silent", {Arg::Unit}, "silent UNIT", "the unit shows no balloon"},
    };
    return table;
}

const char* const kButtons[] = {"OK", "YES", "NO", "ABORT", "RETRY", "IGNORE", "CANCEL"};

std::string joined(const char* const* names, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += (i ? ", " : "") + std::string(names[i]);
    return text;
}

template <size_t N> bool among(const char* const (&names)[N], const std::string& word) {
    for (const char* name : names)
        if (word == name)
            return true;
    return false;
}

bool inRange(const std::string& text, double low, double high, bool whole) {
    double value = 0;
    return readNumber(text, &value) && value >= low && value <= high &&
           (!whole || value == std::floor(value));
}

bool isDayTime(const std::string& text) {
    auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return false;
    return std::atoi(text.substr(0, 2).c_str()) < 24 && std::atoi(text.substr(3).c_str()) < 60;
}

// What is wrong with one argument; "" when nothing is.
std::string check(Arg kind, const std::string& word) {
    ::input::KeyInfo key;
    switch (kind) {
    case Arg::Key:
        return ::input::findKey(word, &key) ? ""
                                            : "no key or mouse button named '" + word +
                                                  "' (kel-play --help tells where they are listed)";
    case Arg::MouseButton:
        return ::input::findKey(word, &key) && key.device == ::input::devices::PCMouse::instance()
                   ? ""
                   : "'" + word +
                         "' is no mouse button (LeftClick, RightClick, MiddleClick, WheelUp, "
                         "WheelDown)";
    case Arg::Position:
        return inRange(word, 0, 10000, false)
                   ? ""
                   : "'" + word + "' is no screen position: a number from 0 to 10000";
    case Arg::Seconds:
        return inRange(word, 0, 3600, false)
                   ? ""
                   : "'" + word + "' is no time to wait: a number of seconds from 0 to 3600";
    case Arg::Frames:
        return inRange(word, 0, 10000, true)
                   ? ""
                   : "'" + word + "' is no number of frames: a whole number from 0 to 10000";
    case Arg::Word:
        return word.empty() ? "an empty name" : "";
    case Arg::Text:
        return "";
    case Arg::Flow:
        return among(kFlowCommandNames, word)
                   ? ""
                   : "no flow command '" + word + "' (" + joined(kFlowCommandNames, 7) + ")";
    case Arg::Style: {
        size_t start = 0;
        while (start <= word.size()) {
            const size_t bar = std::min(word.find('|', start), word.size());
            const std::string part = word.substr(start, bar - start);
            if (!messageBoxButton(part))
                return "no message-box button '" + part + "' (" + joined(kButtons, 7) + ")";
            start = bar + 1;
        }
        return "";
    }
    case Arg::Answer:
        return messageBoxButton(word)
                   ? ""
                   : "no message-box button '" + word + "' (" + joined(kButtons, 7) + ")";
    case Arg::State:
        return among(kStateNames, word)
                   ? ""
                   : "no state '" + word + "' (" + joined(kStateNames, 6) + ")";
    case Arg::DayTime:
        return isDayTime(word) ? "" : "'" + word + "' is no time of day (HH:MM, 00:00 to 23:59)";
    case Arg::Look:
        return word == "interface" || word == "board" || word == "hidden"
                   ? ""
                   : "no pointer look '" + word + "' (interface, board, hidden)";
    case Arg::Phase: {
        std::string names;
        for (const std::string& phase : kel::logic::GameBoard::getLoadPhaseNames()) {
            if (word == phase)
                return "";
            names += (names.empty() ? "" : ", ") + phase;
        }
        return "no load phase '" + word + "' (" + names + ")";
    }
    case Arg::Outcome:
        return word == "win" || word == "lose"
                   ? ""
                   : "no way to end a mission '" + word + "' (win, lose)";
    case Arg::Waiter:
        return word == "goal" || word == "results" || word == "none"
                   ? ""
                   : "no modal screen '" + word + "' (goal, results, none)";
    case Arg::Percents: {
        std::istringstream words(word);
        std::string percent;
        int count = 0;
        while (words >> percent) {
            if (!inRange(percent, 0, 100, true))
                return "'" + percent + "' is no percentage: a whole number from 0 to 100";
            ++count;
        }
        return count ? "" : "no percentages";
    }
    case Arg::Numbers: {
        std::istringstream words(word);
        std::string number;
        int count = 0;
        while (words >> number) {
            if (!inRange(number, -100000, 100000, true))
                return "'" + number + "' is no whole number";
            ++count;
        }
        return count == 5 ? "" : "'" + word + "' is not five whole numbers";
    }
    case Arg::Unit: {
        const size_t colon = word.find(':');
        if (word.empty() || colon == 0)
            return "'" + word + "' is no unit: a unit's kind, or KIND:N for the Nth of that kind";
        if (colon != std::string::npos && !inRange(word.substr(colon + 1), 1, 1000, true))
            return "'" + word + "' is no unit: N in KIND:N is a whole number from 1 to 1000";
        return "";
    }
    case Arg::Health:
        return inRange(word, 0, 99999, true)
                   ? ""
                   : "'" + word + "' is no health: a whole number from 0 to 99999";
    case Arg::Voice:
        return word == "speech" || word == "thoughts" || word == "author"
                   ? ""
                   : "no way to speak '" + word + "' (speech, thoughts, author)";
    case Arg::Angle:
        return word == "0" || word == "90" || word == "180" || word == "270"
                   ? ""
                   : "'" + word + "' is no balloon angle (0, 90, 180, 270)";
    case Arg::BalloonLook:
        return word == "upright" || word == "mirrored" || word == "side"
                   ? ""
                   : "no balloon look '" + word + "' (upright, mirrored, side)";
    case Arg::Expectation:
        break;
    }
    return "";
}

std::string checkArgs(const std::vector<Arg>& kinds, size_t required, const char* synopsis,
                      const std::vector<std::string>& args) {
    if (args.size() < required || args.size() > kinds.size())
        return "wrong number of arguments; usage: " + std::string(synopsis);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string problem = check(kinds[i], args[i]);
        if (!problem.empty())
            return problem;
    }
    return "";
}

std::string checkExpectation(const std::vector<std::string>& args) {
    for (const Expectation& expectation : expectations())
        if (args[0] == expectation.what)
            return checkArgs(expectation.args, expectation.args.size(),
                             ("expect " + std::string(expectation.synopsis)).c_str(),
                             std::vector<std::string>(args.begin() + 1, args.end()));
    std::string names;
    for (const Expectation& expectation : expectations())
        names += (names.empty() ? "" : ", ") + std::string(expectation.what);
    return "cannot expect '" + args[0] + "' (" + names + ")";
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

int messageBoxButton(const std::string& name) {
    // The bits of kel::ui::MessageBoxA's styles, in the order of kButtons.
    for (int i = 0; i < 7; ++i)
        if (name == kButtons[i])
            return 1 << i;
    return 0;
}

bool readNumber(const std::string& text, double* out) {
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (*end || errno == ERANGE || !std::isfinite(value))
        return false;
    *out = value;
    return true;
}

std::string ScriptError::describe() const {
    return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message;
}

bool Script::parseLine(const std::string& text, int line, const std::string& fileName,
                       ScriptCommand* command, ScriptError* error) {
    std::vector<std::string> words;
    std::string problem;
    command->line = line;
    command->verb.clear();
    command->args.clear();
    if (tokenize(text, &words, &problem) && !words.empty()) {
        const Verb* verb = nullptr;
        for (const Verb& candidate : verbs())
            if (words[0] == candidate.name)
                verb = &candidate;
        const std::vector<std::string> args(words.begin() + 1, words.end());
        if (!verb)
            problem = "unknown command '" + words[0] + "' (kel-play --help lists the commands)";
        else if (verb->args.size() == 1 && verb->args[0] == Arg::Expectation && !args.empty())
            problem = checkExpectation(args);
        else
            problem = checkArgs(verb->args, verb->required, verb->synopsis, args);
        if (problem.empty()) {
            command->verb = words[0];
            command->args = args;
        }
    }
    if (problem.empty())
        return true;
    *error = ScriptError{fileName, line, problem};
    return false;
}

bool Script::parse(const std::string& text, const std::string& fileName,
                   std::vector<ScriptError>* errors) {
    commands.clear();
    const size_t errorsBefore = errors->size();
    const bool bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    std::istringstream lines(bom ? text.substr(3) : text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ScriptCommand command;
        ScriptError error;
        if (!parseLine(line, ++number, fileName, &command, &error))
            errors->push_back(error);
        else if (!command.verb.empty())
            commands.push_back(command);
    }
    if (errors->size() == errorsBefore)
        return true;
    commands.clear();
    return false;
}

bool Script::load(const std::string& path, std::vector<ScriptError>* errors) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        errors->push_back({path, 0, std::make_error_code(std::errc::is_a_directory).message()});
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        errors->push_back({path, 0, std::strerror(errno)});
        return false;
    }
    std::string text;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        errors->push_back({path, 0, "cannot read the script"});
        return false;
    }
    return parse(text, path, errors);
}

std::string Script::commandNames() {
    std::string text;
    for (const Verb& verb : verbs())
        text += (text.empty() ? "" : " ") + std::string(verb.name);
    return text;
}

std::string Script::usage() {
    auto line = [](const std::string& synopsis, const std::string& help) {
        std::string text = "  " + synopsis;
        text.resize(std::max<size_t>(text.size() + 1, 30), ' ');
        return text + help + "\n";
    };
    std::string text;
    for (const Verb& verb : verbs())
        text += line(verb.synopsis, verb.help);
    text += "expect WHAT:\n";
    for (const Expectation& expectation : expectations())
        text += line(expectation.synopsis, expectation.help);
    text += "states: " + joined(kStateNames, 6) + "\n";
    text += "flow commands: " + joined(kFlowCommandNames, 7) + "\n";
    text += "message-box buttons: " + joined(kButtons, 7) + "\n";
    return text;
}

std::string Script::keyNames(size_t width) {
    std::string text, line;
    for (const ::input::Device* device :
         {static_cast<const ::input::Device*>(::input::devices::PCKeyboard::instance()),
          static_cast<const ::input::Device*>(::input::devices::PCMouse::instance())}) {
        line = std::string(device->getName()) + ":";
        for (const ::input::KeyInfo& key : ::input::allKeys(device)) {
            if (line.size() + 1 + key.name.size() > width) {
                text += line + "\n";
                line = " ";
            }
            line += " " + key.name;
        }
        text += line + "\n";
    }
    return text;
}

} // namespace kelplay
