// kel-play: the main program of kel-ui on the reference host. It checks the shipped game data,
// boots the module as the game host does and plays a session: the default tour, a script, or
// commands typed at the terminal. It prints a transcript and writes kel-play-out/ with an SVG
// picture per snapshot and an index.html that shows them in order.

#include "DataCheck.h"
#include "Script.h"
#include "Session.h"
#include "Tour.h"

#include "FreshProfile.h"
#include "host/debug/Filter.h"
#include "host/resource/ResourceManager.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <set>
#include <string>

namespace {

void usage() {
    std::printf("usage: kel-play [options]\n"
                "  (no option)          check the game data, then play the default tour\n"
                "  --script FILE        play a script instead of the tour\n"
                "  --interactive        read commands from the terminal (real clock)\n"
                "  --check              only check the game data: syntax, then meaning (boots\n"
                "                       the module, loads every map); non-zero on any error\n"
                "  --data DIR           game data root (default: the shipped data)\n"
                "  --profile DIR        keep the player's profile in DIR (default: a fresh one)\n"
                "  --out DIR            where pictures and index.html go (kel-play-out)\n"
                "  --overlay            name and outline every component in the pictures\n"
                "  --quiet              no transcript on the terminal\n"
                "script commands:\n%s",
                kelplay::Script::usage().c_str());
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

int play(const kelplay::Session::Options& options, const std::string& scriptFile, bool interactive,
         bool quiet) {
    kelplay::Script script;
    kelplay::ScriptError error;
    std::string fileName = "tour.play";
    if (!scriptFile.empty()) {
        fileName = scriptFile;
        if (!script.load(scriptFile, &error)) {
            std::fprintf(stderr, "kel-play: %s\n", error.describe().c_str());
            return 2;
        }
    } else if (!interactive && !script.parse(kelplay::kDefaultTour, fileName, &error)) {
        std::fprintf(stderr, "kel-play: %s\n", error.describe().c_str());
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
    bool ok = true;
    if (interactive) {
        std::string line;
        int number = 0;
        std::printf("kel-play> ");
        std::fflush(stdout);
        while (!session.isOver() && std::getline(std::cin, line)) {
            kelplay::ScriptCommand command;
            if (!kelplay::Script::parseLine(line, ++number, "terminal", &command, &error))
                std::printf("%s\n", error.describe().c_str());
            else if (!command.verb.empty() && !session.run(command, "terminal", &error))
                std::printf("%s\n", error.describe().c_str());
            if (!session.isOver()) {
                std::printf("kel-play> ");
                std::fflush(stdout);
            }
        }
    } else {
        ok = session.runScript(script, fileName, &error);
        if (!ok)
            std::fprintf(stderr, "kel-play: %s\n", error.describe().c_str());
    }
    if (!session.finish(&problem)) {
        std::fprintf(stderr, "kel-play: %s\n", problem.c_str());
        return 2;
    }
    std::printf("pictures and transcript: %s\n",
                (options.outputDirectory / "index.html").string().c_str());
    // A session that logged errors failed, even when every command of it ran.
    const auto errors = session.getLoggedErrors();
    if (!errors.empty()) {
        std::fprintf(stderr, "kel-play: %zu error%s logged during the session:\n", errors.size(),
                     errors.size() == 1 ? " was" : "s were");
        std::set<std::string> listed; // a restarted module reports the same again
        for (const auto& error : errors)
            if (listed.insert(kelplay::describe(error)).second)
                std::fprintf(stderr, "  %s\n", kelplay::describe(error).c_str());
        return 1;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelplay::Session::Options options;
    std::string scriptFile;
    bool interactive = false, checkOnly = false, quiet = false, ownProfile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--data" && hasValue) {
            resource::theResourceManager->setDataRoot(argv[++i]);
        } else if (arg == "--profile" && hasValue) {
            resource::theResourceManager->setProfileRoot(argv[++i]);
            ownProfile = true;
        } else if (arg == "--script" && hasValue) {
            scriptFile = argv[++i];
        } else if (arg == "--out" && hasValue) {
            options.outputDirectory = argv[++i];
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
            std::fprintf(stderr, "kel-play: unknown argument '%s'\n", arg.c_str());
            usage();
            return 2;
        }
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
    if (!ownProfile && !interactive) {
        freshProfile = std::make_unique<kelplay::FreshProfile>();
        resource::theResourceManager->setProfileRoot(freshProfile->get());
    }
    options.realClock = interactive;
    return play(options, scriptFile, interactive, quiet);
}
