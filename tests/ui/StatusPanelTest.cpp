// The battle HUD's status panel: faces, titles and their fallback to internal names, act
// indicators, value texts, the unit face's row layout, right alignment, the reduced-info list
// (also through the accessor), a layout lacking parts, and resuming the game emptying it.
// Text widths come from the shipped "small" font's table; indicators are 14 wide, icons 16.
#include "ui/StatusPanel.h"
#include "support/RootFixture.h"
#include "ui/KelDataStorage.h"

#include "host/config/Config.h"
#include "host/logic/Game.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Font.h"
#include "host/ui/Plane.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/SpriteText.h"

#include <algorithm>
#include <tuple>

namespace {

using kel::logic::Landscape;
using kel::logic::Object;
using kel::ui::StatusPanel;
using kel::ui::UnitPanelInfo;

const char* const kPanel =
    R"(panel { class = statuspanel; position = 40 100; size = 0 62; vistup = 3
    unitIntervals = 1 2 3 4 5 6 7
    unit { class = container; position = 5 0
        back_up { class = texturecomponent; image = /Images/StatusPanel/back_up.tga; position = 0 12 }
        back_down { class = texturecomponent; image = /Images/StatusPanel/back_down.tga; position = 0 37 }
        name { class = bothtextsprite; font = small; position = 11 0; size = 100 12 }
        indicators { class = container; position = 0 20; size = 0 14
            indicator1 { class = spritecomponent; image = stone; position = 0 2 }
            indicator2 { class = spritecomponent; image = stone; position = 0 2 }
            indicator3 { class = spritecomponent; image = stone; position = 0 2 }
            indicator4 { class = spritecomponent; image = stone; position = 0 2 } }
        state { class = bothtextsprite; font = small; position = 0 3; size = 60 12 }
        healthicon { class = spritecomponent; image = /Images/StatusPanel/health.tga; position = 0 41 }
        healthvalue { class = spritetext; font = small; position = 0 44 }
        acticon { class = spritecomponent; image = /Images/StatusPanel/act.tga }
        actvalue { class = spritetext; font = small }
        defenceicon { class = spritecomponent; image = /Images/StatusPanel/defence.tga }
        defencevalue { class = spritetext; font = small } }
    tile { class = container; position = 0 32; size = 0 30
        back { class = texturecomponent; image = /Images/StatusPanel/back.tga }
        name { class = bothtextsprite; font = small; size = 200 12 } } }
)";

class StatusPanelTest : public kel::test::RootFixture {
protected:
    // A panel "panel" built from layout text ("test.cfg") in a shown container of the root.
    StatusPanel* build(const std::string& text) {
        config::Config block;
        EXPECT_TRUE(block.readString(text, "test.cfg")) << block.getLastError().describe();
        auto* holder = new ::ui::Container(root.get());
        root->addComponent(holder);
        holder->readConfig(&block);
        holder->setVisible(true);
        return dynamic_cast<StatusPanel*>(holder->getComponent("panel"));
    }
    // A part by its path below the panel ("unit.indicators.indicator1").
    static ::ui::Component* at(::ui::Component* found, const std::string& path) {
        for (size_t start = 0; found && start <= path.size();) {
            const size_t dot = std::min(path.find('.', start), path.size());
            found =
                static_cast<::ui::Container*>(found)->getComponent(path.substr(start, dot - start));
            start = dot + 1;
        }
        return found;
    }
    static std::string text(StatusPanel* panel, const std::string& path) {
        if (auto* both = dynamic_cast<::ui::BothTextSprite*>(at(panel, path)))
            return both->getText();
        return static_cast<::ui::SpriteText*>(at(panel, path))->getText();
    }
    static std::string face(StatusPanel* panel) {
        const bool tile = at(panel, "tile")->getVisible(), unit = at(panel, "unit")->getVisible();
        return tile && unit ? "both" : tile ? "tile" : unit ? "unit" : "-";
    }
    static UnitPanelInfo info(const std::string& name, int kind, int indicators = 0) {
        UnitPanelInfo made;
        made.name = name;
        made.kind = kind;
        made.indicatorCount = indicators;
        return made;
    }
};

// Rows: what the panel is told (a landscape's type and subtype, an object type, a unit's kind,
// name and status; kind 13 is reduced; 'x' empties the title tables), the face shown and what
// the tile's name, the unit's name and its status say: a title, else the internal name.
TEST_F(StatusPanelTest, EachThingIsDescribedOnItsFaceWithItsTitle) {
    StatusPanel* panel = build(kPanel);
    panel->addReducedInfoUnit(13);
    // what ('l'andscape, 'o'bject, 'u'nit, 'r'eset, 'x'), type, subtype, name, status; face,
    // tile name, unit name, state
    const std::tuple<char, int, int, const char*, const char*, std::string, const char*,
                     const char*, const char*>
        kRows[] = {
            {'l', 1, 1, "", "", "tile", "Meadow", "", ""},
            {'l', 4, 5, "", "", "tile", "Shallow Water", "", ""},
            {'l', 6, 7, "", "", "tile", "Wooden Bridge", "", ""},
            {'l', 2, 9, "", "", "-", "Wooden Bridge", "", ""},
            {'l', 5, 8, "", "", "-", "Wooden Bridge", "", ""},
            {'l', 1, 0, "", "", "tile", "none", "", ""},
            {'o', Object::TREE, 0, "", "", "tile", "Old Oak", "", ""},
            {'u', 13, 0, "wolf", "burn", "tile", "Wolf", "", ""},
            {'u', 1, 0, "knight", "burn", "unit", "Wolf", "Knight", "Burning"},
            {'u', 1, 0, "knight", "pure_freeze", "unit", "Wolf", "Knight", "Frozen"},
            {'u', 5, 0, "dragon", "dazed", "unit", "Wolf", "dragon", ""},
            {'r', 0, 0, "", "", "-", "Wolf", "dragon", ""},
            {'u', 13, 0, "drake", "", "tile", "drake", "dragon", ""},
            {'x', 0, 0, "", "", "tile", "drake", "dragon", ""},
            {'u', 1, 0, "knight", "pure_poison", "unit", "drake", "knight", "poisoned"},
            {'l', 1, 1, "", "", "tile", "grass", "knight", "poisoned"},
            {'o', Object::TREE, 0, "", "", "tile", "tree", "knight", "poisoned"},
        };
    for (const auto& [what, type, subtype, name, status, faced, tileText, unitText, state] :
         kRows) {
        UnitPanelInfo unit = info(name, type);
        unit.status = status;
        Landscape cell(what == 'l' ? type : 0, subtype, 0, 0);
        Object object(type, "tree", 0, 0, 0);
        if (what == 'l')
            panel->setLandscapeInfo(&cell);
        else if (what == 'o')
            panel->setObjectInfo(&object);
        else if (what == 'u')
            panel->setUnitInfo(unit);
        else if (what == 'r')
            panel->resetInfo();
        else
            kel::ui::theKelDataStorage->reset();
        EXPECT_EQ(face(panel) + "|" + text(panel, "tile.name") + "|" + text(panel, "unit.name") +
                      "|" + text(panel, "unit.state"),
                  faced + "|" + tileText + "|" + unitText + "|" + state)
            << what << type << name;
    }
    kel::ui::theKelDataStorage->load();
}

// Rows: indicatorCount, filledIndicators, actModifier, each indicator's picture ("-" hidden),
// the width of "indicators". They stand at i x (14 - 1); an unknown element keeps the pictures.
TEST_F(StatusPanelTest, IndicatorsShowTheActsElementFullOrHollow) {
    StatusPanel* panel = build(kPanel);
    // indicatorCount, filledIndicators, actModifier, the pictures, the width
    const std::tuple<int, int, const char*, std::string, float> kRows[] = {
        {0, 0, "", "- - - -", 0},
        {3, 1, "fire", "fire fire_hole fire_hole -", 40},
        {4, 4, "", "stone stone stone stone", 53},
        {2, 0, "freeze", "drop_hole drop_hole - -", 27},
        {1, 1, "poison", "lief - - -", 14},
        {3, 2, "lightning", "lief drop_hole stone -", 40},
        {9, 3, "freeze", "drop drop drop drop_hole", 53},
    };
    for (const auto& [count, filled, modifier, pictures, width] : kRows) {
        UnitPanelInfo knight = info("knight", 1, count);
        knight.filledIndicators = filled;
        knight.actModifier = modifier;
        panel->setUnitInfo(knight);
        std::string shown;
        for (int i = 0; i < 4; ++i) {
            auto* one = static_cast<::ui::SpriteComponent*>(
                at(panel, "unit.indicators.indicator" + std::to_string(i + 1)));
            shown += (i ? " " : "") + (one->getVisible() ? one->getPlane()->getImageName() : "-");
            EXPECT_EQ(one->getXPosition(), 13.0f * static_cast<float>(i));
        }
        EXPECT_EQ(shown, pictures) << count << modifier;
        EXPECT_EQ(at(panel, "unit.indicators")->getWidth(), width) << count;
    }
}

// Rows: health, act, defence, status, indicators, name, whether "state" is hidden just before;
// the value texts, the title and the status text shown. The places follow from the widths the
// "small" font gives those texts, by the layout's steps with U = 1..7, vistup 3, the face at
// x 5, icons 16 wide and indicators 14 wide, 13 apart.
TEST_F(StatusPanelTest, TheUnitFaceLaysItsRowsOutWithTheConfiguredGaps) {
    StatusPanel* panel = build(kPanel);
    const ::ui::Font* small = root->getFont("small");
    const auto width = [small](const std::string& text) {
        return static_cast<float>(static_cast<int>(small->getTextWidth(text)));
    };
    const std::tuple<int, float, float, const char*, int, const char*, bool, std::string,
                     std::string, std::string, std::string, std::string>
        kRows[] = {
            {125, 7, 6, "burn", 3, "knight", false, "125", " 7", " 6", "Knight", "Burning"},
            {5, 12.4f, 3, "", 0, "dragon", false, "5", "12", " 3", "dragon", ""},
            // "state" hidden counts not this time, but shows again afterwards.
            {125, 7, 6, "burn", 3, "knight", true, "125", " 7", " 6", "Knight", "Burning"},
            {-3, 100, 9.6f, "poison", 1, "orc", false, "-3", "100", "10", "Orc", "Poisoned"},
        };
    const char* const kParts[] = {"healthvalue",  "acticon",    "actvalue", "defenceicon",
                                  "defencevalue", "indicators", "state"};
    for (const auto& [health, act, defence, status, count, name, hideState, healthText, actText,
                      defenceText, title, state] : kRows) {
        SCOPED_TRACE(name);
        UnitPanelInfo unit = info(name, 1, count);
        unit.health = health;
        unit.act = act;
        unit.defence = defence;
        unit.status = status;
        if (hideState)
            at(panel, "unit.state")->setVisible(false);
        panel->setUnitInfo(unit);
        EXPECT_EQ(text(panel, "unit.healthvalue") + "|" + text(panel, "unit.actvalue") + "|" +
                      text(panel, "unit.defencevalue") + "|" + text(panel, "unit.name") + "|" +
                      text(panel, "unit.state"),
                  healthText + "|" + actText + "|" + defenceText + "|" + title + "|" + state);
        float x[7];
        float down = x[0] = 16 + 2;
        down = x[1] = width(healthText) + 3 + down;
        down = x[2] = 16 + 4 + down;
        down = x[3] = width(actText) + 5 + down;
        down = x[4] = 16 + 6 + down;
        down = width(defenceText) + down;
        float up = x[5] = width(title) + 1;
        up = x[6] = (count ? 13.0f * (count - 1) + 14 : 0) + 7 + up;
        if (!hideState)
            up = width(state) + 10 + up;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(at(panel, std::string("unit.") + kParts[i])->getXPosition(), x[i])
                << kParts[i];
        // The title row, the backgrounds' places and widths, the panel's size.
        EXPECT_EQ(std::make_tuple(at(panel, "unit.name")->getYPosition(),
                                  at(panel, "unit.state")->getYPosition(),
                                  at(panel, "unit.state")->getVisible()),
                  std::make_tuple(18.0f, 18.0f, true));
        for (const char* back : {"unit.back_up", "unit.back_down", "tile.back"})
            EXPECT_EQ(at(panel, back)->getXPosition(), -3.0f) << back;
        EXPECT_EQ(std::make_tuple(at(panel, "unit.back_up")->getWidth(),
                                  at(panel, "tile.back")->getWidth(),
                                  at(panel, "unit.back_down")->getWidth(), panel->getWidth(),
                                  panel->getHeight()),
                  std::make_tuple(up + 6, up + 6, down + 6, 5 + std::max(up, down), 62.0f));
    }
}

// With `right` the panel keeps itself at x = -(width) - 15; the tile face takes its title's
// width (the backgrounds that width + 2 x 3, and 0 + 2 x 3).
TEST_F(StatusPanelTest, ARightPanelSitsAtMinusWidthMinus15) {
    std::string layout = kPanel;
    layout.insert(layout.find("vistup"), "right = true; ");
    StatusPanel* panel = build(layout);
    const float oak =
        static_cast<float>(static_cast<int>(root->getFont("small")->getTextWidth("Old Oak")));
    // the width set (-1: a tree shown instead), x then
    for (const auto& [width, x] :
         {std::pair{200.0f, -215.0f}, {-1.0f, -oak - 15}, {0.0f, -15.0f}}) {
        Object tree(Object::TREE, "tree", 0, 0, 0);
        if (width < 0)
            panel->setObjectInfo(&tree);
        else
            panel->setSize(width, 62);
        EXPECT_EQ(panel->getXPosition(), x) << width;
        EXPECT_EQ(panel->getYPosition(), 100.0f);
    }
    EXPECT_EQ(text(panel, "tile.name"), "Old Oak");
    EXPECT_EQ(at(panel, "tile")->getWidth(), oak);
    EXPECT_EQ(at(panel, "tile.back")->getWidth(), oak + 6);
    EXPECT_EQ(at(panel, "unit.back_down")->getWidth(), 6.0f);
}

// Each missing part is reported once on the "kel-ui" log at the line of the block it was looked
// for in; the panel goes on with the others through every operation.
TEST_F(StatusPanelTest, AMissingPartIsReportedOnceAndThePanelGoesOnWithout) {
    std::string layout = kPanel;
    for (const char* part : {"        state {", "            indicator3 {"})
        layout.erase(layout.find(part),
                     layout.find('\n', layout.find(part)) + 1 - layout.find(part));
    layout.erase(layout.find("    tile {"), layout.rfind(" }") - layout.find("    tile {"));
    StatusPanel* panel = build(layout);
    panel->getMaster()->setVisible(false); // shown again: bound again, reported no more
    panel->getMaster()->setVisible(true);
    UnitPanelInfo knight = info("knight", 1, 4);
    knight.status = "burn";
    panel->setUnitInfo(knight);
    panel->setUnitInfo(knight);
    Landscape grass(1, 1, 0, 0);
    panel->setLandscapeInfo(&grass);
    Object tree(Object::TREE, "tree", 0, 0, 0);
    panel->setObjectInfo(&tree);
    panel->addReducedInfoUnit(1);
    panel->setUnitInfo(knight);
    std::vector<std::string> reported;
    for (const auto& record : log.take())
        reported.push_back(record.filter + " " + record.file + ":" + std::to_string(record.line) +
                           " " + record.text);
    const std::vector<std::string> expected = {
        "kel-ui test.cfg:1 the status panel 'panel' has no 'tile': it shows without it",
        "kel-ui test.cfg:7 the status panel 'panel' has no 'indicator3' in 'indicators': it "
        "shows without it",
        "kel-ui test.cfg:3 the status panel 'panel' has no 'state' in 'unit': it shows without it",
    };
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(text(panel, "unit.name"), "Knight") << "the parts it has still work";
    EXPECT_FALSE(at(panel, "unit")->getVisible());
}

// The shipped panel ("status"): the accessor hands it a configuration's "statuspanel" block
// (rows: the block, then the list operation, then which of the kinds 5, 12, 13 show only the
// tile face); it fits a 640 x 480 screen; back from the in-game menu it describes nothing.
TEST_F(StatusPanelTest, TheShippedPanelTakesItsReducedKindsAndEmptiesOnResume) {
    kel::logic::Game game;
    beginBattle(game);
    root->setResolution(640, 480);
    root->updateResolution();
    StatusPanel* panel = kel::ui::theAccessor.getStatusPanel();
    ASSERT_NE(panel, nullptr);
    // the configuration, or else the operation; the kinds reduced then
    const std::tuple<const char*, std::string, const char*> kRows[] = {
        {"statuspanel { reductedInfoUnits = 13 5 13 }", "", "5 13"},
        {"", "remove 13", "5"},
        {"", "add 13", "5 13"},
        {"statuspanel { reductedInfoUnits = 12.7 }", "", "12"},
        {"other = 1; statuspanel { vistup = 2 }", "", "12"},
        {"", "set 5 13", "5 13"},
    };
    for (const auto& [configuration, operation, want] : kRows) {
        config::Config block;
        ASSERT_TRUE(block.readString(configuration, "host.cfg"));
        if (*configuration)
            kel::ui::theAccessor.loadConfiguration(&block);
        else if (operation == "remove 13")
            panel->removeReducedInfoUnit(13);
        else if (operation == "add 13")
            panel->addReducedInfoUnit(13);
        else
            panel->setReductionInfoUnits({5, 13});
        std::string reduced;
        for (int kind : {5, 12, 13}) {
            panel->setUnitInfo(info("wolf", kind));
            if (face(panel) == "tile")
                reduced += (reduced.empty() ? "" : " ") + std::to_string(kind);
        }
        EXPECT_EQ(reduced, want) << configuration << operation;
    }
    config::Block empty;
    kel::ui::theAccessor.loadConfiguration(&empty); // the accessor outlives the test
    UnitPanelInfo shaman = info("shaman", 11, 4);
    shaman.health = 125;
    shaman.status = "pure_poison";
    panel->setUnitInfo(shaman);
    EXPECT_TRUE(panel->getAbsoluteX() - 6 >= 0 &&
                panel->getAbsoluteX() + panel->getWidth() + 6 <= 640 &&
                panel->getAbsoluteY() + panel->getHeight() <= 480);
    root->command(kel::ui::Command::SHOW_GAME_MENU);
    EXPECT_EQ(face(panel), "unit") << "the menu alone leaves it";
    root->command(kel::ui::Command::RESUME_GAME);
    EXPECT_EQ(face(panel), "-");
    root->command(kel::ui::Command::END_GAME);
    root->resetGameBoard();
}

} // namespace
