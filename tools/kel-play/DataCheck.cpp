#include "DataCheck.h"
#include "FreshProfile.h"
#include "Session.h"

#include "ui/KelDataStorage.h"

#include "host/config/Config.h"
#include "host/config/Syntax.h"
#include "host/debug/Context.h"
#include "host/resource/ResourceManager.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

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

namespace {

// Every mission of the game flow must be played on a map that is there.
void checkMissionMaps(const std::filesystem::path& root, std::vector<DataProblem>* problems) {
    const std::string gameFlow = "/Configs/GameFlow/gameflow.cfg";
    config::Config file;
    const config::Block* missions = nullptr;
    if (!file.readFile(gameFlow) || !file.getPropertyAccess("missions", &missions))
        return; // the module reports a game flow it cannot read
    auto* storage = kel::ui::theKelDataStorage;
    for (int i = 0; storage && i < storage->getMissionCount(); ++i) {
        const std::string& mission = storage->getMission(i);
        const std::string map = storage->mapFile(mission);
        std::error_code ec;
        if (std::filesystem::is_regular_file(root / "Maps" / map, ec))
            continue;
        config::Location where;
        for (const config::NameEntry* entry = missions->getFirstEntry(); entry;
             entry = entry->getNextEntry())
            if (!entry->isBlock() && config::Block::valueCount(*entry) > 0 &&
                config::Block::valuesOf(*entry).front() == mission) {
                where = entry->getLocation();
                break;
            }
        problems->push_back(
            {gameFlow, where.line, where.column,
             "mission '" + mission + "' is played on '" + map + "', which is not under /Maps"});
    }
}

// Restores the roots a check changed, however it ends.
class RootsKept {
public:
    RootsKept()
        : data(resource::theResourceManager->getDataRoot()),
          profile(resource::theResourceManager->getProfileRoot()) {}
    ~RootsKept() {
        resource::theResourceManager->setDataRoot(data);
        resource::theResourceManager->setProfileRoot(profile);
    }

private:
    std::filesystem::path data, profile;
};

} // namespace

CheckResult checkGameData(const std::filesystem::path& root) {
    CheckResult result;
    DataCheck syntax(root);
    result.problems = syntax.run();
    result.filesChecked = syntax.filesChecked();
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec))
        return result;
    std::set<std::string> unreadable;
    for (const DataProblem& problem : result.problems)
        unreadable.insert(problem.file);

    {
        RootsKept kept;
        FreshProfile profile;
        resource::theResourceManager->setDataRoot(root);
        resource::theResourceManager->setProfileRoot(profile.get());
        Session::Options options;
        options.writeReport = false;
        Session session(options, nullptr);
        std::string error;
        session.start(&error);
        // Maps with a syntax error are reported already; the rest must load.
        std::vector<std::string> maps;
        for (std::filesystem::recursive_directory_iterator it(root / "Maps", ec), end;
             !ec && it != end; it.increment(ec))
            if (it->is_regular_file() && it->path().extension() == ".lvx")
                maps.push_back("/" + std::filesystem::relative(it->path(), root).generic_string());
        std::sort(maps.begin(), maps.end());
        for (const std::string& map : maps) {
            if (unreadable.count(map))
                continue;
            const size_t before = session.getLoggedErrors().size();
            if (!session.loadMap(map) && session.getLoggedErrors().size() == before)
                result.problems.push_back({map, 0, 0, "the map does not load"});
        }
        checkMissionMaps(root, &result.problems);
        session.finish(&error);
        for (const DataProblem& logged : session.getLoggedErrors())
            result.problems.push_back(logged);
    }

    auto key = [](const DataProblem& p) { return std::tie(p.file, p.line, p.column, p.message); };
    std::sort(result.problems.begin(), result.problems.end(),
              [&](const DataProblem& a, const DataProblem& b) { return key(a) < key(b); });
    result.problems.erase(
        std::unique(result.problems.begin(), result.problems.end(),
                    [&](const DataProblem& a, const DataProblem& b) { return key(a) == key(b); }),
        result.problems.end());
    return result;
}

std::string describe(const DataProblem& problem) {
    return debug::Context(problem.file, problem.line, problem.column).describe() + ": " +
           problem.message;
}

} // namespace kelplay
