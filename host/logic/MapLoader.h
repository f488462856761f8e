#pragma once

#include <functional>
#include <string>

namespace config {
class Block;
class Config;
struct Location;
} // namespace config

namespace kel::logic {

struct BoardContent;
class Unit;

// Reads a map file (configuration syntax, ".lvx") into board content, in the load phases the
// board reports: the header first, then the landscape, the objects and chests, the units. Every
// mistake is reported on the "logic" log with the file and line it is on, and ends the load.
// Internal to the host library; the format is described in docs/host-engine-logic.md.
class MapLoader {
public:
    static constexpr int kPhaseCount = 3;

    // `file` and `content` must outlive the loader; `path` names the file in messages.
    MapLoader(std::string path, const config::Config& file, BoardContent& content);

    // Name, size, teams, sphere radius; and that every top-level entry is known.
    bool readHeader();
    // Phase 0 landscape, 1 objects and chests, 2 units. `progress` gets 0..1 within the phase.
    bool loadPhase(int phase, const std::function<void(float)>& progress);

private:
    bool loadLandscape(const std::function<void(float)>& progress);
    bool loadObjects(const std::function<void(float)>& progress);
    bool loadUnits(const std::function<void(float)>& progress);
    bool loadObject(const config::Block& block, config::Location where);
    bool loadChest(const config::Block& block, config::Location where);
    bool loadUnit(const config::Block& block, config::Location where);
    bool loadAct(const config::Block& block, config::Location where, Unit* unit,
                 const std::string& owner);

    // Typed reads: true when present and well formed, or absent and not required.
    bool readInt(const config::Block& block, const char* key, int* out, bool required,
                 config::Location blockPlace, const std::string& owner);
    bool readFloat(const config::Block& block, const char* key, float* out, bool required,
                   config::Location blockPlace, const std::string& owner);
    bool readString(const config::Block& block, const char* key, std::string* out, bool required,
                    config::Location blockPlace, const std::string& owner);
    // "position = x y", inside the board.
    bool readPosition(const config::Block& block, config::Location blockPlace,
                      const std::string& owner, int* x, int* y);
    // Fails on the first entry of `block` whose name is not among `known` (a typo would else
    // go unnoticed).
    bool checkKeys(const config::Block& block, const char* const* known, const std::string& owner);
    bool fail(config::Location where, const std::string& text);

    std::string path;
    const config::Config& file;
    BoardContent& content;
};

} // namespace kel::logic
