#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kelplay {

struct DataProblem {
    std::string file; // path under the data root, as a game path ("/Configs/UI/units.cfg")
    int line = 0;
    int column = 0;
    std::string message;
};

// Reads every configuration file under the data root (".cfg", ".lvx") and collects what is wrong
// with each, in path order.
class DataCheck {
public:
    explicit DataCheck(std::filesystem::path root) : root(std::move(root)) {}

    std::vector<DataProblem> run();
    int filesChecked() const { return checked; }

private:
    std::filesystem::path root;
    int checked = 0;
};

struct CheckResult {
    std::vector<DataProblem> problems; // sorted by file, line, column and message; no repeats
    int filesChecked = 0;
};

// What `kel-play --check` does. The syntax of every file first; then its meaning, checked by the
// very code the game runs, so the check and the game cannot disagree: the module boots on the
// reference host as a kel-play session boots it (from a fresh temporary profile, so the player's
// files are never touched), every map under /Maps is loaded by the game logic, and every mission
// of the game flow must be played on a map that is there. Every error logged on the host log
// meanwhile is a problem. The data and profile roots are as they were afterwards.
CheckResult checkGameData(const std::filesystem::path& root);

// "file:line:column: message" (an unknown column or line is left out).
std::string describe(const DataProblem& problem);

} // namespace kelplay
