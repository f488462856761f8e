#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"
#include "ui/UnitPanelInfo.h"

#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ui {
class BothTextSprite;
class SpriteComponent;
class SpriteText;
class TextureComponent;
} // namespace ui
namespace kel::logic {
class Landscape;
class Object;
} // namespace kel::logic

namespace kel::ui {

// The battle HUD's description of one thing of the board: a unit, a landscape tile or a map
// object. The game logic fills it through the accessor and empties it with resetInfo. It has two
// faces, both children from its layout: "tile", one line with a title (tiles, objects and units
// of the reduced-info kinds), and "unit", whose upper row shows the title, up to four act
// indicators and the status, and whose lower row health, act points and defence with their
// icons. The panel lays its parts out in a row from their text widths and the configured gaps
// and stretches its backgrounds to fit, sticking out by `vistup` on each side.
//
// The named parts are bound on every show: the setters do their work once the panel has been
// shown. A part the layout lacks is reported once on the "kel-ui" log with the layout's file and
// line; the panel then goes on with the parts it has.
//
// Layout options, besides a container's: unitIntervals (the gaps of the unit face, indexes 0 to
// 6 used), tileIntervals (kept, not used by any layout), vistup, right (a bool: the panel keeps
// itself at x = -(its width) - 15).
class KEL_UI_API StatusPanel : public ::ui::Container {
public:
    // On the root UI, at (0, 0) with no size.
    StatusPanel();

    std::string_view getClassName() const override { return "statuspanel"; }

    void readConfig(config::Block* block) override;
    // Reads "reductedInfoUnits" (a list of unit kinds) when the block has it.
    void loadConfiguration(config::Block* block);
    // Binds the named parts when shown and puts the unit's name and status on the row at 18.
    void updateShowed() override;
    // With `right`, places the panel against the right edge first.
    void updateSize() override;

    void setLandscapeInfo(logic::Landscape* landscape);
    void setObjectInfo(logic::Object* object);
    void setUnitInfo(const UnitPanelInfo& info);
    // Hides both faces.
    void resetInfo();

    // The unit kinds shown with the tile face only.
    void setReductionInfoUnits(const std::list<int>& kinds) { reducedInfoUnits = kinds; }
    void addReducedInfoUnit(int kind) { reducedInfoUnits.push_back(kind); }
    // Removes every entry of that kind.
    void removeReducedInfoUnit(int kind) { reducedInfoUnits.remove(kind); }
    const std::list<int>& getReducedInfoUnits() const { return reducedInfoUnits; }

    const std::vector<int>& getTileIntervals() const { return tileIntervals; }
    const std::vector<int>& getUnitIntervals() const { return unitIntervals; }
    int getVistup() const { return vistup; }
    bool isRight() const { return right; }

protected:
    // The status panel reads "right" as its own bool, not as the toolkit's edge distance.
    bool readsOwnOption(const std::string& key) const override { return key == "right"; }

private:
    void bindParts();
    // The child `name` of `parent` of type T, or null; a missing one is reported the first time.
    template <class T> T* part(::ui::Container* parent, const char* parentName, const char* name);
    // A child of "unit" looked up when laid out.
    ::ui::Component* unitPart(const char* name);
    void updateTileSize();
    void updateUnitSize();
    void updateBackWidths(int upper, int lower);
    // Shows or hides a face, when the layout has it.
    static void showFace(::ui::Component* face, bool visible);
    // The gap of the unit face at `index`; 0 past the configured ones.
    int unitInterval(size_t index) const;

    std::vector<int> tileIntervals;
    std::vector<int> unitIntervals;
    std::map<std::string, std::string> statusImages; // status text -> status picture name
    std::list<int> reducedInfoUnits;
    int vistup = 0;
    bool right = false;
    // The parts, bound by name on every show; the toolkit's tree owns them.
    ::ui::TextureComponent* back = nullptr;
    ::ui::TextureComponent* backUp = nullptr;
    ::ui::TextureComponent* backDown = nullptr;
    ::ui::Container* unit = nullptr;
    ::ui::Container* tile = nullptr;
    ::ui::BothTextSprite* tileName = nullptr;
    ::ui::Container* indicators = nullptr;
    ::ui::SpriteComponent* indicator[4] = {nullptr, nullptr, nullptr, nullptr};
    ::ui::BothTextSprite* unitName = nullptr;
    ::ui::SpriteText* healthValue = nullptr;
    ::ui::SpriteText* actValue = nullptr;
    ::ui::SpriteText* defenceValue = nullptr;
    ::ui::BothTextSprite* state = nullptr;
    // "parent/name" of every part already reported missing.
    std::set<std::string> reportedMissing;
};

} // namespace kel::ui
