#pragma once

#include "host/ui/DataStorage.h"
#include "ui/UiApi.h"

#include <map>
#include <string>
#include <vector>

namespace kel::ui {

// The one store of the texts and game-flow data the screens show: titles of unit and object
// types, tiles and statuses, the interface strings the toolkit looks up, the images that have a
// per-language variant, and the missions in play order with their map files. It is the toolkit's
// data store (it installs itself as ::ui::theDataStorage). All tables are read-only after load().
//
// The root UI creates it (theKelDataStorage) and deletes it through its own type: the toolkit's
// base has no virtual destructor.
class KEL_UI_API KelDataStorage final : public ::ui::DataStorage {
public:
    KelDataStorage();
    ~KelDataStorage();

    std::string uiString(const std::string& key) override;
    bool doesImageNeedLocale(const std::string& image) override;

    void reset();
    // Reads every table; a missing file leaves its table empty. The missions must be numbered
    // from mission00 without gaps, each with a name and a map file: a missing game flow or
    // "missions" block, the first missing number or an entry with fewer than two values ends
    // the list there (the missions before it are kept) and is reported on the "kel-ui" log with
    // file and line. A tiles.cfg property not named number_<n> is skipped and reported.
    void load();

    // The titles; "" when a name has none.
    std::string getUnitTitle(const std::string& name);
    std::string getObjectTitle(const std::string& name);
    std::string getStatusTitle(const std::string& name);
    // The title of a tile's variant, else of its variant 0, else "".
    std::string getTileTitle(const std::string& name, int number);

    // The mission's map file, or "".
    std::string mapFile(const std::string& mission);
    // The first mission, in ascending order of mission name, whose map file is `file`; "" if none.
    std::string mapName(const std::string& file);
    // The mission's position in play order, or -1.
    int missionIndex(const std::string& mission);
    // The caller keeps index within 0 ... getMissionCount() - 1.
    const std::string& getMission(int index);
    int getMissionCount();

private:
    void readTitles(const std::string& path, std::map<std::string, std::string>& table);
    void readTiles();
    void readLocalizedImages();
    void readMissions();

    std::map<std::string, std::string> unitTitles;
    std::map<std::string, std::string> objectTitles;
    std::map<std::string, std::map<int, std::string>> tileTitles;
    std::map<std::string, std::string> statusTitles;
    std::map<std::string, std::string> uiStrings;
    std::map<std::string, bool> localizedImages;
    std::vector<std::string> missions;
    std::map<std::string, std::string> missionMaps;
};

KEL_UI_API extern KelDataStorage* theKelDataStorage;

} // namespace kel::ui
