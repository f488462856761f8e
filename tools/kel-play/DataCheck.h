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

// "file:line:column: message"
std::string describe(const DataProblem& problem);

} // namespace kelplay
