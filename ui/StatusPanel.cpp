#include "ui/StatusPanel.h"
#include "ui/KELFactory.h"
#include "ui/KelDataStorage.h"
#include "ui/ModuleLog.h"

#include "host/config/Block.h"
#include "host/config/CheckedRead.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/Statuses.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/TextureComponent.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

namespace kel::ui {

namespace {

// The gaps until a layout gives its own.
constexpr size_t kDefaultIntervals = 10;
// The unit's name and status stand on this row of the unit face.
constexpr float kTitleRow = 18.0f;
// Heights of the tile face's background and of each row of the unit face.
constexpr float kTileBackHeight = 30.0f;
constexpr float kUnitBackHeight = 25.0f;
// What a right-aligned panel keeps from its edge, and what the status keeps after it.
constexpr float kRightGap = 15.0f;
constexpr int kStatusGap = 10;

// The landscape types described by the tile face: the others show nothing.
bool describedLandscape(int type) {
    return type == 1 || type == 4 || type == 6;
}

// The indicator picture of an act's element; null for an element the panel has none for.
const char* indicatorPicture(const std::string& modifier) {
    if (modifier.empty())
        return "stone";
    if (modifier == logic::ACT_FIRE_MODIFIER)
        return "fire";
    if (modifier == logic::ACT_FREEZE_MODIFIER)
        return "drop";
    if (modifier == logic::ACT_POISON_MODIFIER)
        return "lief";
    return nullptr;
}

// An empty title stands for none: the internal name is shown instead.
std::string titleOr(std::string title, const std::string& name) {
    return title.empty() ? name : title;
}

// A list of whole numbers (numbers are truncated toward zero); a wrong value is reported at its
// property and leaves *out as it was.
bool readInts(config::Block* block, const char* key, std::vector<int>* out,
              const std::function<void(const std::string&)>& report) {
    const config::NameEntry* entry = block->getPropertyEntry(key);
    if (!entry)
        return false;
    std::vector<int> values;
    std::string scratch;
    for (size_t i = 0; i < config::Block::valueCount(*entry); ++i) {
        int value = 0;
        const std::string problem =
            config::checkInt(config::Block::valueAt(*entry, i, scratch), config::Range(), &value);
        if (!problem.empty()) {
            report(problem);
            return false;
        }
        values.push_back(value);
    }
    *out = std::move(values);
    return true;
}

float widthOf(const ::ui::Component* component) {
    return component ? component->getWidth() : 0.0f;
}

float textWidthOf(const ::ui::SpriteText* text) {
    return text ? text->getTextWidth() : 0.0f;
}

// Moves a component to `x`, keeping its y.
void placeAt(::ui::Component* component, float x) {
    if (component)
        component->setPosition(x, component->getYPosition());
}

void showText(::ui::BothTextSprite* text, const std::string& value) {
    if (text)
        text->setText(value);
}

void showText(::ui::SpriteText* text, const char* value) {
    if (text)
        text->setText(value);
}

} // namespace

StatusPanel::StatusPanel()
    : Container(::ui::theUI, 0, 0, 0, 0), tileIntervals(kDefaultIntervals, 0),
      unitIntervals(kDefaultIntervals, 0), statusImages{{logic::PURE_BURN_STATUS, "burning"},
                                                        {logic::PURE_FREEZE_STATUS, "frozen"},
                                                        {logic::PURE_POISON_STATUS, "poisoned"},
                                                        {logic::FREEZE_STATUS, "frozen"},
                                                        {logic::BURN_STATUS, "burning"},
                                                        {logic::POISON_STATUS, "poisoned"}} {}

void StatusPanel::readConfig(config::Block* block) {
    Container::readConfig(block);
    auto gaps = [block](const char* key, std::vector<int>* out) {
        readInts(block, key, out, [block, key](const std::string& problem) {
            ::ui::LayoutOptions::report(block, key, problem + "; the gaps stay as they were");
        });
    };
    gaps("tileIntervals", &tileIntervals);
    gaps("unitIntervals", &unitIntervals);
    ::ui::LayoutOptions::readInt(block, "vistup", config::Range(), &vistup);
    ::ui::LayoutOptions::readBool(block, "right", &right);
}

void StatusPanel::loadConfiguration(config::Block* block) {
    std::vector<int> kinds;
    const bool read =
        readInts(block, "reductedInfoUnits", &kinds, [block](const std::string& problem) {
            const config::Location where = block->getPropertyLocation("reductedInfoUnits");
            reportError(block->getSourceFile(), where.line, where.column,
                        "'reductedInfoUnits': " + problem +
                            "; the reduced-info unit kinds stay as they were");
        });
    if (read)
        setReductionInfoUnits(std::list<int>(kinds.begin(), kinds.end()));
}

void StatusPanel::updateShowed() {
    Container::updateShowed();
    if (!isShowed())
        return;
    bindParts();
    if (unitName)
        unitName->setPosition(unitName->getXPosition(), kTitleRow);
    if (state)
        state->setPosition(state->getXPosition(), kTitleRow);
}

void StatusPanel::updateSize() {
    if (right)
        setPosition(-getWidth() - kRightGap, getYPosition());
    Container::updateSize();
}

template <class T>
T* StatusPanel::part(::ui::Container* parent, const char* parentName, const char* name) {
    if (!parent)
        return nullptr; // the face itself was reported
    ::ui::Factory* factory = theFactory ? theFactory : ::ui::getFactory();
    T* found = nullptr;
    if (factory->getComponent(name, &found, parent, false))
        return found;
    if (!reportedMissing.insert(std::string(parentName) + "/" + name).second)
        return nullptr;
    const ::ui::Component* where = parent->getLayoutFile().empty() ? this : parent;
    const std::string place = parent == this ? "" : std::string(" in '") + parentName + "'";
    ::ui::Component* other = parent->getComponent(name);
    reportError(
        where->getLayoutFile().c_str(), where->getLayoutLine(),
        "the status panel '" + getName() + "' has no '" + name + "'" + place +
            (other ? " of the class it needs (it is a '" + std::string(other->getClassName()) + "')"
                   : std::string()) +
            ": it shows without it");
    return nullptr;
}

::ui::Component* StatusPanel::unitPart(const char* name) {
    return part<::ui::Component>(unit, "unit", name);
}

void StatusPanel::bindParts() {
    unit = part<::ui::Container>(this, "", "unit");
    tile = part<::ui::Container>(this, "", "tile");
    back = part<::ui::TextureComponent>(tile, "tile", "back");
    tileName = part<::ui::BothTextSprite>(tile, "tile", "name");
    backUp = part<::ui::TextureComponent>(unit, "unit", "back_up");
    backDown = part<::ui::TextureComponent>(unit, "unit", "back_down");
    indicators = part<::ui::Container>(unit, "unit", "indicators");
    static const char* const kIndicators[] = {"indicator1", "indicator2", "indicator3",
                                              "indicator4"};
    for (int i = 0; i < 4; ++i)
        indicator[i] = part<::ui::SpriteComponent>(indicators, "indicators", kIndicators[i]);
    unitName = part<::ui::BothTextSprite>(unit, "unit", "name");
    healthValue = part<::ui::SpriteText>(unit, "unit", "healthvalue");
    actValue = part<::ui::SpriteText>(unit, "unit", "actvalue");
    defenceValue = part<::ui::SpriteText>(unit, "unit", "defencevalue");
    state = part<::ui::BothTextSprite>(unit, "unit", "state");
}

void StatusPanel::showFace(::ui::Component* face, bool visible) {
    if (face)
        face->setVisible(visible);
}

void StatusPanel::resetInfo() {
    showFace(tile, false);
    showFace(unit, false);
}

void StatusPanel::setLandscapeInfo(logic::Landscape* landscape) {
    if (!landscape) {
        resetInfo();
        return;
    }
    const int type = landscape->getLandscapeType();
    const std::string name =
        logic::Landscape::getNameOfLandscapeSubtype(landscape->getLandscapeSubtype());
    const std::string title =
        titleOr(theKelDataStorage ? theKelDataStorage->getTileTitle(name, 0) : "", name);
    const bool described = describedLandscape(type);
    if (described) {
        showText(tileName, title);
        updateTileSize();
    }
    showFace(unit, false);
    showFace(tile, described);
}

void StatusPanel::setObjectInfo(logic::Object* object) {
    if (!object) {
        resetInfo();
        return;
    }
    showFace(unit, false);
    showFace(tile, true);
    const std::string name = logic::Object::getNameOfObjectType(object->getObjectType());
    showText(tileName,
             titleOr(theKelDataStorage ? theKelDataStorage->getObjectTitle(name) : "", name));
    updateTileSize();
}

void StatusPanel::setUnitInfo(const UnitPanelInfo& info) {
    const bool reduced = std::find(reducedInfoUnits.begin(), reducedInfoUnits.end(), info.kind) !=
                         reducedInfoUnits.end();
    showFace(unit, !reduced);
    showFace(tile, reduced);
    const std::string title =
        titleOr(theKelDataStorage ? theKelDataStorage->getUnitTitle(info.name) : "", info.name);
    if (reduced) {
        showText(tileName, title);
        updateTileSize();
        return;
    }
    showText(unitName, title);
    char number[32];
    std::snprintf(number, sizeof number, "%d", info.health);
    showText(healthValue, number);
    std::snprintf(number, sizeof number, "%2.0f", static_cast<double>(info.act));
    showText(actValue, number);
    std::snprintf(number, sizeof number, "%2.0f", static_cast<double>(info.defence));
    showText(defenceValue, number);

    const auto image = statusImages.find(info.status);
    const std::string key = image == statusImages.end() ? std::string() : image->second;
    showText(state, titleOr(theKelDataStorage ? theKelDataStorage->getStatusTitle(key) : "", key));

    // The act indicators side by side, overlapping by one unit; the shown ones carry the act's
    // element, full for the filled ones and hollow for the rest.
    const char* picture = indicatorPicture(info.actModifier);
    ::ui::SpriteComponent* lastShown = nullptr;
    for (int i = 0; i < 4; ++i) {
        ::ui::SpriteComponent* one = indicator[i];
        if (!one)
            continue;
        const bool visible = i < info.indicatorCount;
        one->setVisible(visible);
        placeAt(one, static_cast<float>(i) * (one->getWidth() - 1));
        if (!visible)
            continue;
        lastShown = one;
        if (picture)
            one->setImage(i < info.filledIndicators ? std::string(picture)
                                                    : std::string(picture) + "_hole");
    }
    if (indicators) {
        const float first = indicator[0] ? indicator[0]->getXPosition() : 0.0f;
        const float width =
            lastShown ? lastShown->getXPosition() + lastShown->getWidth() - first : 0.0f;
        indicators->setSize(width, indicators->getHeight());
    }
    updateUnitSize();
}

int StatusPanel::unitInterval(size_t index) const {
    return index < unitIntervals.size() ? unitIntervals[index] : 0;
}

void StatusPanel::updateTileSize() {
    const int width = static_cast<int>(tileName ? tileName->getTextWidth() : 0.0f);
    if (tile)
        tile->setSize(static_cast<float>(width), tile->getHeight());
    updateBackWidths(width, 0);
    setSize(static_cast<float>(width), getHeight());
}

void StatusPanel::updateUnitSize() {
    if (!unit)
        return;
    ::ui::Component* healthIcon = unitPart("healthicon");
    ::ui::Component* actIcon = unitPart("acticon");
    ::ui::Component* defenceIcon = unitPart("defenceicon");
    auto at = [](int value) { return static_cast<float>(value); };

    // The lower row: each icon, then its value, left to right with the configured gaps.
    int down = 0;
    down = static_cast<int>(widthOf(healthIcon) + unitInterval(1) + down);
    placeAt(healthValue, at(down));
    down = static_cast<int>(textWidthOf(healthValue) + unitInterval(2) + down);
    placeAt(actIcon, at(down));
    down = static_cast<int>(widthOf(actIcon) + unitInterval(3) + down);
    placeAt(actValue, at(down));
    down = static_cast<int>(textWidthOf(actValue) + unitInterval(4) + down);
    placeAt(defenceIcon, at(down));
    down = static_cast<int>(widthOf(defenceIcon) + unitInterval(5) + down);
    placeAt(defenceValue, at(down));

    // The upper row: the name, the indicators, the status.
    int up = 0;
    up = static_cast<int>((unitName ? unitName->getTextWidth() : 0.0f) + unitInterval(0) + up);
    placeAt(indicators, at(up));
    up = static_cast<int>(widthOf(indicators) + unitInterval(6) + up);
    placeAt(state, at(up));
    if (state && state->getVisible())
        up = static_cast<int>(state->getTextWidth() + kStatusGap + up);
    down = static_cast<int>(textWidthOf(defenceValue) + down);
    const int widest = up > down ? up : down;

    // Every part of the unit face shows from now on (the status too, so it counts above on
    // every layout after the first); the indicators inside keep what was chosen for them.
    for (::ui::Component* child : unit->getChildren())
        child->setVisible(true);
    updateBackWidths(up, down);
    setSize(unit->getXPosition() + at(widest), getHeight());
}

void StatusPanel::updateBackWidths(int upper, int lower) {
    const float margin = static_cast<float>(vistup);
    const float upperWidth = static_cast<float>(upper) + 2 * margin;
    const float lowerWidth = static_cast<float>(lower) + 2 * margin;
    if (back) {
        back->setSize(upperWidth, kTileBackHeight);
        placeAt(back, -margin);
    }
    if (backUp) {
        backUp->setSize(upperWidth, kUnitBackHeight);
        placeAt(backUp, -margin);
    }
    if (backDown) {
        backDown->setSize(lowerWidth, kUnitBackHeight);
        placeAt(backDown, -margin);
    }
}

} // namespace kel::ui
