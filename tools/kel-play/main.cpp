// kel-play: the main program of kel-ui on the reference host. It checks the shipped game data,
// boots the module as the game host does and plays a session: the default tour, a script, or
// commands typed at the terminal. It prints a transcript and writes kel-play-out/ with, per
// snapshot, the frame rendered offscreen as a PNG and the SVG inspector picture beside it, and an
// index.html that shows them in order. Without a renderer (a build without one, or no EGL at run
// time) it says so once and writes the SVG pictures only.

#include "DataCheck.h"
#include "Script.h"
#include "Session.h"
#include "Terminal.h"
#include "Tour.h"
#include "Window.h"

#include "FreshProfile.h"
#include "host/debug/Filter.h"
#include "host/render/FrameRenderer.h"
#include "host/resource/ResourceManager.h"
#include "ui/KELUI.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

namespace {

void usage() {
    std::printf(
        "usage: kel-play [options]     check the game data, then play the default tour\n"
        "  --script FILE     play a script instead of the tour\n"
        "  --interactive     play commands typed at the terminal (or piped in) on the\n"
        "                    machine's clock; `help` there lists commands and key names\n"
        "  --window          play in a window on the desktop with the mouse and keyboard,\n"
        "                    on the machine's clock, until it is closed; with --script,\n"
        "                    plays the script visibly there\n"
        "  --check           only check the game data: syntax, then meaning (boots the\n"
        "                    module, loads every map)\n"
        "  --data DIR        game data root (default: the shipped data)\n"
        "  --profile DIR     keep the player's profile in DIR (default for scripts and the\n"
        "                    tour: a fresh one; --interactive uses the player's own)\n"
        "  --out DIR         where the pictures and index.html go (default kel-play-out);\n"
        "                    kel-play replaces only what it wrote there itself\n"
        "  --overlay         name and outline every component in the pictures\n"
        "  --quiet           no transcript on the terminal\n"
        "script commands: %s\n"
        "every command with an example: docs/kel-play.md\n"
        "exit status: 0 when everything held, 1 when an expectation failed or an error was\n"
        "logged, 2 when the session could not run\n",
        kelplay::Script::commandNames().c_str());
}

void printErrors(const std::vector<kelplay::ScriptError>& errors) {
    for (const auto& error : errors)
        std::fprintf(stderr, "kel-play: %s\n", error.describe().c_str());
}

// The syntax of every file (before a session), or with `meaning` everything --check checks.
int checkData(bool meaning) {
    const auto root = resource::theResourceManager->getDataRoot();
    kelplay::CheckResult result;
    if (meaning) {
        result = kelplay::checkGameData(root);
    } else {
        kelplay::DataCheck check(root);
        result.problems = check.run();
        result.filesChecked = check.filesChecked();
    }
    const auto& problems = result.problems;
    for (const auto& problem : problems)
        std::fprintf(stderr, "%s\n", kelplay::describe(problem).c_str());
    std::printf("checked %d configuration files under %s%s: %zu error%s\n", result.filesChecked,
                root.string().c_str(), meaning ? " and booted the module on them" : "",
                problems.size(), problems.size() == 1 ? "" : "s");
    return problems.empty() ? 0 : 1;
}

// A profile folder must be a folder kel-play can write in; it is made when missing.
bool usableProfile(const std::filesystem::path& folder, std::string* problem) {
    std::error_code ec;
    if (std::filesystem::exists(folder, ec) && !std::filesystem::is_directory(folder, ec)) {
        *problem = "--profile " + folder.string() + ": it is a file, not a folder";
        return false;
    }
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        *problem = "--profile " + folder.string() + ": " + ec.message();
        return false;
    }
    const auto probe = folder / ".kel-play-probe";
    const bool writable = static_cast<bool>(std::ofstream(probe));
    std::filesystem::remove(probe, ec);
    if (!writable) {
        *problem = "--profile " + folder.string() + ": cannot write in it";
        return false;
    }
    return true;
}

// Reads commands from the standard input while frames go on, until `quit`, the end of the
// input or Ctrl-C. Each mistake is said once: a failed command in the transcript, a line that
// is no command on the error output.
void playTerminal(kelplay::Session& session, bool quiet) {
    kelplay::Terminal terminal;
    const bool prompt = kelplay::Terminal::isInteractive();
    auto showPrompt = [&] {
        if (prompt) {
            std::printf("kel-play> ");
            std::fflush(stdout);
        }
    };
    if (prompt)
        std::printf("type commands, `help` for the list, `quit` or Ctrl-D to end\n");
    showPrompt();
    int number = 0;
    const double step = 1.0 / 60;
    while (!session.isOver() && !kelplay::interruptRequested()) {
        std::string line;
        const auto read = terminal.readLine(step, &line);
        if (read == kelplay::Terminal::Read::End)
            break;
        if (read == kelplay::Terminal::Read::Timeout) {
            session.idle(0); // one frame; the machine's clock has moved on by itself
            continue;
        }
        ++number;
        if (line.find_first_not_of(" \t\r") != std::string::npos &&
            line.substr(line.find_first_not_of(" \t\r")) == "help") {
            std::printf("%s%s", kelplay::Script::usage().c_str(),
                        kelplay::Script::keyNames().c_str());
        } else {
            kelplay::ScriptCommand command;
            kelplay::ScriptError error;
            if (!kelplay::Script::parseLine(line, number, "terminal", &command, &error))
                std::fprintf(stderr, "%s\n", error.describe().c_str());
            else if (!command.verb.empty() && !session.run(command, "terminal", &error) && quiet)
                std::fprintf(stderr, "%s\n", error.describe().c_str());
        }
        if (!session.isOver())
            showPrompt();
    }
    if (kelplay::interruptRequested())
        std::printf("\ninterrupted\n");
}

// Shows the session's frames in a window and hands it the player's input, after every frame.
// Null, with the reason on the error output, when no window can be opened.
std::unique_ptr<kelplay::Window> openWindow(kelplay::Session& session) {
    kel::ui::KELUI* root = session.getRoot();
    const int width = static_cast<int>(std::lround(root->getScreenWidth()));
    const int height = static_cast<int>(std::lround(root->getScreenHeight()));
    std::string why;
    auto window = kelplay::Window::open("kel-play", width, height, &why);
    render::FrameRenderer* renderer = window ? session.getRenderer() : nullptr;
    if (window && !renderer) {
        window.reset();
        why = "nothing can be drawn in it: this build has no renderer or no OpenGL context";
    }
    if (!window) {
        std::fprintf(stderr, "kel-play: --window: %s\n", why.c_str());
        return nullptr;
    }
    window->present(*renderer, root);
    session.setAfterFrame([root, renderer, raw = window.get()] {
        if (!raw->pump(root)) {
            kelplay::requestInterrupt();
            return;
        }
        raw->present(*renderer, root);
    });
    return window;
}

int play(const kelplay::Session::Options& options, const std::string& scriptFile, bool interactive,
         bool quiet, bool windowed) {
    // The whole script is read and checked before anything plays.
    kelplay::Script script;
    std::vector<kelplay::ScriptError> errors;
    std::string fileName = "tour.play";
    if (!scriptFile.empty()) {
        fileName = scriptFile;
        script.load(scriptFile, &errors);
    } else if (!interactive && !windowed) {
        script.parse(kelplay::kDefaultTour, fileName, &errors);
    }
    if (!errors.empty()) {
        printErrors(errors);
        if (errors.front().line > 0) // not a script that could not be read
            std::fprintf(stderr, "kel-play: %zu error%s in %s; nothing was played\n", errors.size(),
                         errors.size() == 1 ? "" : "s", fileName.c_str());
        return 2;
    }

    kelplay::Session session(options, [quiet](const std::string& line) {
        if (!quiet)
            std::printf("%s\n", line.c_str());
    });
    std::string problem;
    if (!session.start(&problem)) {
        std::fprintf(stderr, "kel-play: %s\n", problem.c_str());
        return 2;
    }
    kelplay::catchInterrupt();
    std::unique_ptr<kelplay::Window> window;
    if (windowed && !(window = openWindow(session))) {
        session.finish("no window", &problem);
        return 2;
    }
    bool ranAll = true;
    if (interactive) {
        playTerminal(session, quiet);
    } else if (window && scriptFile.empty()) {
        // The player plays until the game exits or the window is closed.
        while (!session.isOver() && !kelplay::interruptRequested())
            session.idle(0);
    } else {
        kelplay::ScriptError error;
        ranAll = session.runScript(script, fileName, &error);
        if (!ranAll && quiet)
            std::fprintf(stderr, "kel-play: %s\n", error.describe().c_str());
    }

    if (window) {
        const kelplay::Window::Rate rate = window->getRate();
        std::printf("kel-play: the window showed %ld frames in %.1f s (%.1f a second)\n",
                    rate.frames, rate.seconds, rate.seconds > 0 ? rate.frames / rate.seconds : 0.0);
    }
    const auto logged = session.getLoggedErrors();
    const int failed = session.getFailedCount();
    const bool stopped = !ranAll && failed == 0;
    const char* const why = window && window->isClosed()    ? ", the window was closed"
                            : kelplay::interruptRequested() ? ", interrupted"
                                                            : ", stopped by a failed command";
    char summary[160];
    std::snprintf(
        summary, sizeof summary, "%d command%s, %d failed expectation%s, %zu logged error%s%s",
        session.getCommandCount(), session.getCommandCount() == 1 ? "" : "s", failed,
        failed == 1 ? "" : "s", logged.size(), logged.size() == 1 ? "" : "s", stopped ? why : "");
    if (!session.finish(summary, &problem)) {
        std::fprintf(stderr, "kel-play: %s\n", problem.c_str());
        return 2;
    }
    if (!logged.empty()) {
        std::set<std::string> listed; // a restarted module reports the same again
        for (const auto& error : logged)
            if (listed.insert(kelplay::describe(error)).second)
                std::fprintf(stderr, "kel-play: logged: %s\n", kelplay::describe(error).c_str());
    }
    const bool ok = ranAll && failed == 0 && logged.empty();
    std::fprintf(ok ? stdout : stderr, "kel-play: %s: %s; report: %s\n", ok ? "ok" : "FAILED",
                 summary, (options.outputDirectory / "index.html").string().c_str());
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelplay::Session::Options options;
    options.renderFrames = true;
    std::string scriptFile, profile;
    bool interactive = false, checkOnly = false, quiet = false, windowed = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" || arg == "--profile" || arg == "--script" || arg == "--out") {
            if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
                std::fprintf(stderr, "kel-play: %s needs a value (kel-play --help)\n", arg.c_str());
                return 2;
            }
            const std::string value = argv[++i];
            if (arg == "--data")
                resource::theResourceManager->setDataRoot(value);
            else if (arg == "--profile")
                profile = value;
            else if (arg == "--script")
                scriptFile = value;
            else
                options.outputDirectory = value;
        } else if (arg == "--window") {
            windowed = true;
        } else if (arg == "--interactive") {
            interactive = true;
        } else if (arg == "--check") {
            checkOnly = true;
        } else if (arg == "--overlay") {
            options.overlay = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "kel-play: unknown option '%s' (kel-play --help lists them)\n",
                         arg.c_str());
            return 2;
        }
    }
    if (interactive && !scriptFile.empty()) {
        std::fprintf(stderr, "kel-play: --script and --interactive exclude each other\n");
        return 2;
    }
    if (!profile.empty()) {
        std::string problem;
        if (!usableProfile(profile, &problem)) {
            std::fprintf(stderr, "kel-play: %s\n", problem.c_str());
            return 2;
        }
        resource::theResourceManager->setProfileRoot(profile);
    }
    // The check lists every problem once, sorted, at its end: the log's own lines would only
    // repeat them.
    if (checkOnly)
        debug::setLogSink([](const debug::LogRecord&) {});
    const int checked = checkData(checkOnly);
    if (checkOnly || checked != 0)
        return checked;

    // Scripts and the tour start from a fresh profile unless told to keep one; the terminal
    // session uses the player's own.
    std::unique_ptr<kelplay::FreshProfile> freshProfile;
    if (profile.empty() && !interactive) {
        freshProfile = std::make_unique<kelplay::FreshProfile>();
        resource::theResourceManager->setProfileRoot(freshProfile->get());
    }
    if (windowed && interactive) {
        std::fprintf(stderr, "kel-play: --window and --interactive exclude each other\n");
        return 2;
    }
    options.realClock = interactive || windowed;
    return play(options, scriptFile, interactive, quiet, windowed);
}
