#include "host/logic/MapLoader.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/logic/BoardContent.h"
#include "host/logic/LogicLog.h"
#include "host/logic/Statuses.h"

#include <cmath>

namespace kel::logic {

namespace {

constexpr int kMaxSide = 64;
constexpr float kPi = 3.14159265358979f;

const char* const kHeaderKeys[] = {"name",      "size",   "teams", "sphereRadius", "description",
                                   "landscape", "object", "chest", "unit",         nullptr};
const char* const kLandscapeKeys[] = {"row", nullptr};
const char* const kObjectKeys[] = {"type", "model", "position", "degree", nullptr};
const char* const kChestKeys[] = {"model", "position", "contents", nullptr};
const char* const kUnitKeys[] = {"name",    "team",    "model",   "position", "health",
                                 "actPool", "actType", "defence", "kind",     "status",
                                 "facing",  "act",     nullptr};
const char* const kActKeys[] = {"name", "cost", "modifier", nullptr};
const char* const kActTypes[] = {"melee", "ranged", "magic", "support"};

bool isModifier(const std::string& text) {
    return text.empty() || text == ACT_FIRE_MODIFIER || text == ACT_FREEZE_MODIFIER ||
           text == ACT_POISON_MODIFIER;
}

bool isStatus(const std::string& text) {
    for (const char* status : {BURN_STATUS, FREEZE_STATUS, POISON_STATUS, PURE_BURN_STATUS,
                               PURE_FREEZE_STATUS, PURE_POISON_STATUS})
        if (text == status)
            return true;
    return text.empty();
}

// The place of a property, or of its block when the property is missing.
config::Location placeOf(const config::Block& block, const char* key, config::Location blockPlace) {
    const config::Location where = block.getPropertyLocation(key);
    return where.line > 0 ? where : blockPlace;
}

} // namespace

MapLoader::MapLoader(std::string path, const config::Config& file, BoardContent& content)
    : path(std::move(path)), file(file), content(content) {}

bool MapLoader::fail(config::Location where, const std::string& text) {
    reportLogicError(path, where.line, where.column, text);
    return false;
}

bool MapLoader::checkKeys(const config::Block& block, const char* const* known,
                          const std::string& owner) {
    for (const config::NameEntry* entry = block.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        bool found = false;
        for (const char* const* key = known; *key && !found; ++key)
            found = entry->getName() == *key;
        if (!found)
            return fail(entry->getLocation(), owner + ": unknown entry '" + entry->getName() + "'");
    }
    return true;
}

bool MapLoader::readInt(const config::Block& block, const char* key, int* out, bool required,
                        config::Location blockPlace, const std::string& owner) {
    if (!block.hasProperty(key))
        return !required || fail(blockPlace, owner + " has no " + key);
    const config::Block::List values = block.getList(key);
    if (values.size() != 1 || !config::parseInt(values[0], out))
        return fail(placeOf(block, key, blockPlace),
                    owner + ": " + key + " must be one whole number");
    return true;
}

bool MapLoader::readFloat(const config::Block& block, const char* key, float* out, bool required,
                          config::Location blockPlace, const std::string& owner) {
    if (!block.hasProperty(key))
        return !required || fail(blockPlace, owner + " has no " + key);
    const config::Block::List values = block.getList(key);
    double value = 0;
    if (values.size() != 1 || !config::parseNumber(values[0], &value) || !std::isfinite(value))
        return fail(placeOf(block, key, blockPlace), owner + ": " + key + " must be one number");
    *out = static_cast<float>(value);
    return true;
}

bool MapLoader::readString(const config::Block& block, const char* key, std::string* out,
                           bool required, config::Location blockPlace, const std::string& owner) {
    if (!block.hasProperty(key))
        return !required || fail(blockPlace, owner + " has no " + key);
    const config::Block::List values = block.getList(key);
    if (values.size() != 1 || values[0].empty())
        return fail(placeOf(block, key, blockPlace), owner + ": " + key + " must be one word");
    *out = values[0];
    return true;
}

bool MapLoader::readPosition(const config::Block& block, config::Location blockPlace,
                             const std::string& owner, int* x, int* y) {
    if (!block.hasProperty("position"))
        return fail(blockPlace, owner + " has no position");
    const config::Block::List values = block.getList("position");
    const config::Location line = placeOf(block, "position", blockPlace);
    if (values.size() != 2 || !config::parseInt(values[0], x) || !config::parseInt(values[1], y))
        return fail(line, owner + ": position must be two whole numbers (column row)");
    if (!content.inside(*x, *y))
        return fail(line, owner + ": position " + values[0] + " " + values[1] +
                              " is outside the board of " + std::to_string(content.width) + " x " +
                              std::to_string(content.height) + " cells");
    return true;
}

bool MapLoader::readHeader() {
    if (!checkKeys(file, kHeaderKeys, "map"))
        return false;

    const config::Block::List size = file.getList("size");
    const config::Location sizeLine = placeOf(file, "size", {1, 0});
    if (size.size() != 2 || !config::parseInt(size[0], &content.width) ||
        !config::parseInt(size[1], &content.height))
        return fail(sizeLine, "map needs \"size = width height\" (whole numbers of cells)");
    if (content.width < 1 || content.height < 1 || content.width > kMaxSide ||
        content.height > kMaxSide)
        return fail(sizeLine,
                    "map size must be 1 to " + std::to_string(kMaxSide) + " cells each way");

    content.name = file.getList("name").empty() ? std::string() : file.getList("name")[0];
    if (content.name.empty()) {
        // The file's own name, without directories and extension.
        const auto slash = path.find_last_of('/');
        content.name = path.substr(slash == std::string::npos ? 0 : slash + 1);
        const auto dot = content.name.rfind('.');
        if (dot != std::string::npos && dot > 0)
            content.name.erase(dot);
    }

    const config::Block::List teams = file.getList("teams");
    const config::Location teamsLine = placeOf(file, "teams", {1, 0});
    if (teams.empty())
        return fail(teamsLine, "map needs \"teams = name ...\" (the first plays first)");
    for (const std::string& name : teams) {
        if (content.findTeam(name))
            return fail(teamsLine, "team '" + name + "' is listed twice");
        content.teams.push_back(
            std::make_unique<Team>(name, static_cast<int>(content.teams.size())));
    }

    if (!readFloat(file, "sphereRadius", &content.sphereRadius, false, {1, 0}, "map"))
        return false;
    if (content.sphereRadius < 0)
        return fail(placeOf(file, "sphereRadius", {1, 0}),
                    "map: sphereRadius must not be negative");

    const config::Block* landscape = nullptr;
    if (!file.getPropertyAccess("landscape", &landscape))
        return fail({1, 0}, "map has no landscape block");
    return true;
}

bool MapLoader::loadPhase(int phase, const std::function<void(float)>& progress) {
    switch (phase) {
    case 0:
        return loadLandscape(progress);
    case 1:
        return loadObjects(progress);
    case 2:
        return loadUnits(progress);
    default:
        return true;
    }
}

bool MapLoader::loadLandscape(const std::function<void(float)>& progress) {
    const config::Block* landscape = nullptr;
    file.getPropertyAccess("landscape", &landscape);
    if (!checkKeys(*landscape, kLandscapeKeys, "landscape"))
        return false;
    content.cells.resize(static_cast<size_t>(content.width * content.height));
    int y = 0;
    for (const config::NameEntry* entry = landscape->getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        const config::Location line = entry->getLocation();
        if (entry->isBlock())
            return fail(line, "landscape: a row is written \"row = type:subtype ...\"");
        if (y >= content.height)
            return fail(line,
                        "landscape has more than " + std::to_string(content.height) + " rows");
        const config::Block::List cells = config::Block::valuesOf(*entry);
        if (static_cast<int>(cells.size()) != content.width)
            return fail(line, "landscape row " + std::to_string(y) + " has " +
                                  std::to_string(cells.size()) + " cells, the map is " +
                                  std::to_string(content.width) + " wide");
        for (int x = 0; x < content.width; ++x) {
            const std::string& cell = cells[static_cast<size_t>(x)];
            const auto colon = cell.find(':');
            const std::string typeName = cell.substr(0, colon);
            const std::string subtypeName =
                colon == std::string::npos ? std::string() : cell.substr(colon + 1);
            const int type = Landscape::findLandscapeType(typeName);
            if (type < 0)
                return fail(line, "unknown cell type '" + typeName + "' at column " +
                                      std::to_string(x) + " of row " + std::to_string(y));
            const int subtype =
                subtypeName.empty() ? 0 : Landscape::findLandscapeSubtype(subtypeName);
            if (subtype < 0)
                return fail(line, "unknown cell subtype '" + subtypeName + "' at column " +
                                      std::to_string(x) + " of row " + std::to_string(y));
            content.cells[static_cast<size_t>(y * content.width + x)] =
                std::make_unique<Landscape>(type, subtype, x, y);
        }
        ++y;
        progress(static_cast<float>(y) / static_cast<float>(content.height));
    }
    if (y < content.height)
        return fail({landscape->getSourceLine(), landscape->getSourceColumn()},
                    "landscape has " + std::to_string(y) + " rows, the map is " +
                        std::to_string(content.height) + " high");
    return true;
}

bool MapLoader::loadObjects(const std::function<void(float)>& progress) {
    int total = 0;
    for (const config::NameEntry* entry = file.getFirstEntry(); entry;
         entry = entry->getNextEntry())
        total += entry->isBlock() && (entry->getName() == "object" || entry->getName() == "chest");
    int done = 0;
    for (const config::NameEntry* entry = file.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        const bool object = entry->getName() == "object";
        if (!object && entry->getName() != "chest")
            continue;
        if (!entry->isBlock())
            return fail(entry->getLocation(), entry->getName() + " must be a block");
        const config::Block& block = config::Block::blockOf(*entry);
        if (!(object ? loadObject(block, entry->getLocation())
                     : loadChest(block, entry->getLocation())))
            return false;
        progress(static_cast<float>(++done) / static_cast<float>(total));
    }
    return true;
}

bool MapLoader::loadObject(const config::Block& block, config::Location where) {
    const std::string owner = "object at line " + std::to_string(where.line);
    if (!checkKeys(block, kObjectKeys, owner))
        return false;
    std::string typeName, model;
    int x = 0, y = 0;
    float degree = 1.0f;
    if (!readString(block, "type", &typeName, true, where, owner) ||
        !readString(block, "model", &model, true, where, owner) ||
        !readPosition(block, where, owner, &x, &y) ||
        !readFloat(block, "degree", &degree, false, where, owner))
        return false;
    const int type = Object::findObjectType(typeName);
    if (type < 0)
        return fail(placeOf(block, "type", where),
                    owner + ": unknown object type '" + typeName + "'");
    if (content.objectAt(x, y) || content.chestAt(x, y))
        return fail(placeOf(block, "position", where), owner + ": the cell is taken");
    content.objects.push_back(std::make_unique<Object>(type, model, degree, x, y));
    return true;
}

bool MapLoader::loadChest(const config::Block& block, config::Location where) {
    const std::string owner = "chest at line " + std::to_string(where.line);
    if (!checkKeys(block, kChestKeys, owner))
        return false;
    std::string model;
    int x = 0, y = 0;
    if (!readString(block, "model", &model, true, where, owner) ||
        !readPosition(block, where, owner, &x, &y))
        return false;
    if (content.objectAt(x, y) || content.chestAt(x, y))
        return fail(placeOf(block, "position", where), owner + ": the cell is taken");
    content.chests.push_back(std::make_unique<Chest>(model, x, y, block.getList("contents")));
    return true;
}

bool MapLoader::loadUnits(const std::function<void(float)>& progress) {
    int total = 0;
    for (const config::NameEntry* entry = file.getFirstEntry(); entry;
         entry = entry->getNextEntry())
        total += entry->getName() == "unit";
    int done = 0;
    for (const config::NameEntry* entry = file.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        if (entry->getName() != "unit")
            continue;
        if (!entry->isBlock())
            return fail(entry->getLocation(), "unit must be a block");
        if (!loadUnit(config::Block::blockOf(*entry), entry->getLocation()))
            return false;
        progress(static_cast<float>(++done) / static_cast<float>(total));
    }
    return true;
}

bool MapLoader::loadUnit(const config::Block& block, config::Location where) {
    std::string name;
    if (!readString(block, "name", &name, true, where,
                    "unit at line " + std::to_string(where.line)))
        return false;
    const std::string owner = "unit '" + name + "'";
    if (!checkKeys(block, kUnitKeys, owner))
        return false;

    std::string teamName, model, actTypeName = "melee", status;
    int x = 0, y = 0, health = 0, actPool = 0, kind = 0;
    float defence = 0, facing = 0;
    if (!readString(block, "team", &teamName, true, where, owner) ||
        !readString(block, "model", &model, true, where, owner) ||
        !readPosition(block, where, owner, &x, &y) ||
        !readInt(block, "health", &health, true, where, owner) ||
        !readInt(block, "actPool", &actPool, false, where, owner) ||
        !readString(block, "actType", &actTypeName, false, where, owner) ||
        !readFloat(block, "defence", &defence, false, where, owner) ||
        !readInt(block, "kind", &kind, false, where, owner) ||
        !readString(block, "status", &status, false, where, owner) ||
        !readFloat(block, "facing", &facing, false, where, owner))
        return false;

    Team* team = content.findTeam(teamName);
    if (!team)
        return fail(placeOf(block, "team", where),
                    owner + ": no team '" + teamName + "' among the map's teams");
    if (health <= 0)
        return fail(placeOf(block, "health", where), owner + ": health must be above 0");
    if (actPool < 0)
        return fail(placeOf(block, "actPool", where), owner + ": actPool must not be negative");
    int actType = -1;
    for (int i = 0; i < 4; ++i)
        if (actTypeName == kActTypes[i])
            actType = i;
    if (actType < 0)
        return fail(placeOf(block, "actType", where),
                    owner + ": actType '" + actTypeName +
                        "' is not melee, ranged, magic or support");
    if (!isStatus(status))
        return fail(placeOf(block, "status", where), owner + ": unknown status '" + status + "'");
    const Landscape* cell = content.cellAt(x, y);
    const config::Location positionLine = placeOf(block, "position", where);
    if (!cell->isWalkable())
        return fail(positionLine, owner + " cannot stand on " +
                                      Landscape::getNameOfLandscapeType(cell->getLandscapeType()));
    if (content.unitAt(x, y) || content.objectAt(x, y) || content.chestAt(x, y))
        return fail(positionLine, owner + ": the cell is taken");

    auto unit = std::make_unique<Unit>(name, team, model);
    unit->setHealth(health);
    unit->setMaxActPool(actPool);
    unit->refreshActPool();
    unit->setActType(static_cast<ActType>(actType));
    unit->setDefence(defence);
    unit->setKind(kind);
    unit->setStatus(status);
    unit->setCell(x, y);
    unit->setFacing(facing * kPi / 180.0f);
    for (const config::NameEntry* entry = block.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        if (entry->getName() != "act")
            continue;
        if (!entry->isBlock())
            return fail(entry->getLocation(), owner + ": act must be a block");
        if (!loadAct(config::Block::blockOf(*entry), entry->getLocation(), unit.get(), owner))
            return false;
    }
    team->addUnit(unit.get());
    content.units.push_back(std::move(unit));
    return true;
}

bool MapLoader::loadAct(const config::Block& block, config::Location where, Unit* unit,
                        const std::string& owner) {
    const std::string actOwner = owner + ", act at line " + std::to_string(where.line);
    if (!checkKeys(block, kActKeys, actOwner))
        return false;
    std::string name, modifier;
    int cost = 0;
    if (!readString(block, "name", &name, true, where, actOwner) ||
        !readInt(block, "cost", &cost, true, where, actOwner) ||
        !readString(block, "modifier", &modifier, false, where, actOwner))
        return false;
    if (cost < 0)
        return fail(placeOf(block, "cost", where), actOwner + ": cost must not be negative");
    if (!isModifier(modifier))
        return fail(placeOf(block, "modifier", where),
                    actOwner + ": modifier '" + modifier + "' is not fire, freeze or poison");
    if (unit->findAct(name))
        return fail(placeOf(block, "name", where), owner + " has two acts named '" + name + "'");
    unit->addAct(name, cost, modifier);
    return true;
}

} // namespace kel::logic
