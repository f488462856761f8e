#include "DataCheck.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

namespace kelplay {

namespace {

bool isConfigurationFile(const std::filesystem::path& path) {
    const auto extension = path.extension().string();
    return extension == ".cfg" || extension == ".lvx";
}

std::string gamePathOf(const std::filesystem::path& root, const std::filesystem::path& file) {
    return "/" + std::filesystem::relative(file, root).generic_string();
}

} // namespace

std::vector<DataProblem> DataCheck::run() {
    std::vector<DataProblem> problems;
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
        problems.push_back({root.string(), 0, 0, "the data root is not a directory"});
        return problems;
    }
    std::vector<std::filesystem::path> files;
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec))
        if (it->is_regular_file() && isConfigurationFile(it->path()))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());

    for (const auto& file : files) {
        ++checked;
        const std::string gamePath = gamePathOf(root, file);
        std::ifstream stream(file, std::ios::binary);
        std::stringstream text;
        text << stream.rdbuf();
        if (!stream) {
            problems.push_back({gamePath, 0, 0, "cannot read the file"});
            continue;
        }
        config::Block block;
        config::ParseError error;
        if (!config::parse(text.str(), gamePath, block, &error))
            problems.push_back({error.file, error.line, error.column, error.message});
    }
    return problems;
}

std::string describe(const DataProblem& problem) {
    return problem.file + ":" + std::to_string(problem.line) + ":" +
           std::to_string(problem.column) + ": " + problem.message;
}

} // namespace kelplay
