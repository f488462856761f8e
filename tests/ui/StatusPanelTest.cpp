// The battle HUD's status panel: which face describes a unit, a tile or a map object, the titles
// it shows (internal names when the tables have none), the act indicators, the texts of the
// values, the row layout of the unit face, right alignment, the reduced-info list (also from
// the accessor's configuration), a layout that lacks parts, and the in-game menu emptying it.
//
// Test layouts use the shipped "small" font: capitals 7, digits 6, "il.,:;'!|" 2,
// "fjrtI()[]-\"" 4, space 3, wide "mwMW" 8, every other character 6. Indicators are 14 wide and
// the icons 16 (the image catalogue).
#include "ui/StatusPanel.h"
#include "support/RootFixture.h"
#include "ui/KelDataStorage.h"

#include "host/config/Config.h"
#include "host/logic/Game.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Plane.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/SpriteText.h"

namespace {

using kel::logic::Landscape;
using kel::logic::Object;
using kel::ui::StatusPanel;
using kel::ui::UnitPanelInfo;

const char* const kPanel = R"(panel {
    class = statuspanel
    position = 40 100
    size = 0 62
    vistup = 3
    unitIntervals = 1 2 3 4 5 6 7
    unit {
        class = container
        position = 5 0
        back_up { class = texturecomponent; image = /Images/StatusPanel/back_up.tga; position = 0 12 }
        back_down { class = texturecomponent; image = /Images/StatusPanel/back_down.tga; position = 0 37 }
        name { class = bothtextsprite; font = small; position = 11 0; size = 100 12 }
        indicators {
            class = container
            position = 0 20
            size = 0 14
            indicator1 { class = spritecomponent; image = stone; position = 0 2 }
            indicator2 { class = spritecomponent; image = stone; position = 0 2 }
            indicator3 { class = spritecomponent; image = stone; position = 0 2 }
            indicator4 { class = spritecomponent; image = stone; position = 0 2 }
        }
        state { class = bothtextsprite; font = small; position = 0 3; size = 60 12 }
        healthicon { class = spritecomponent; image = /Images/StatusPanel/health.tga; position = 0 41 }
        healthvalue { class = spritetext; font = small; position = 0 44 }
        acticon { class = spritecomponent; image = /Images/StatusPanel/act.tga; position = 0 41 }
        actvalue { class = spritetext; font = small; position = 0 44 }
        defenceicon { class = spritecomponent; image = /Images/StatusPanel/defence.tga; position = 0 41 }
        defencevalue { class = spritetext; font = small; position = 0 44 }
    }
    tile {
        class = container
        position = 0 32
        size = 0 30
        back { class = texturecomponent; image = /Images/StatusPanel/back.tga }
        name { class = bothtextsprite; font = small; size = 200 12 }
    }
}
)";

class StatusPanelTest : public kel::test::RootFixture {
protected:
    // Builds a panel "panel" from layout text ("test.cfg") in a shown container of the root.
    StatusPanel* build(const std::string& text) {
        config::Config block;
        EXPECT_TRUE(block.readString(text, "test.cfg")) << block.getLastError().describe();
        auto* holder = new ::ui::Container(root.get());
        root->addComponent(holder);
        holder->readConfig(&block);
        holder->setVisible(true);
        auto* panel = dynamic_cast<StatusPanel*>(holder->getComponent("panel"));
        EXPECT_NE(panel, nullptr);
        return panel;
    }
    ::ui::Component* at(StatusPanel* panel, const std::string& path) {
        ::ui::Component* found = panel;
        size_t start = 0;
        while (found && start <= path.size()) {
            const size_t dot = std::min(path.find('.', start), path.size());
            found =
                static_cast<::ui::Container*>(found)->getComponent(path.substr(start, dot - start));
            start = dot + 1;
        }
        return found;
    }
    std::string text(StatusPanel* panel, const std::string& path) {
        ::ui::Component* part = at(panel, path);
        if (auto* both = dynamic_cast<::ui::BothTextSprite*>(part))
            return both->getText();
        if (auto* sprite = dynamic_cast<::ui::SpriteText*>(part))
            return sprite->getText();
        return "(none)";
    }
    // "tile", "unit", or "-" for neither face.
    std::string face(StatusPanel* panel) {
        const bool tile = at(panel, "tile")->getVisible(), unit = at(panel, "unit")->getVisible();
        return tile && unit ? "both" : tile ? "tile" : unit ? "unit" : "-";
    }
    static UnitPanelInfo unitInfo(const std::string& name, int kind) {
        UnitPanelInfo info;
        info.name = name;
        info.kind = kind;
        return info;
    }
};

// Rows: what the panel is told, then the face shown and what the two names say. Landscape
// types 1, 4 and 6 are described with the variant-0 title; the others hide both faces and leave
// the texts alone; a unit of a reduced-info kind (13) shows its title on the tile face.
TEST_F(StatusPanelTest, EachThingIsDescribedOnItsFace) {
    StatusPanel* panel = build(kPanel);
    panel->addReducedInfoUnit(13);
    const struct {
        const char* what;
        int type, subtype; // a landscape's; the object type or the unit kind in `type`
        const char* name;  // a unit's internal name
        const char* face;
        const char* tileText;
        const char* unitText;
    } kRows[] = {
        {"landscape", 1, 1, "", "tile", "Meadow", ""},
        {"landscape", 4, 5, "", "tile", "Shallow Water", ""},
        {"landscape", 6, 7, "", "tile", "Wooden Bridge", ""},
        {"landscape", 2, 9, "", "-", "Wooden Bridge", ""},
        {"landscape", 3, 3, "", "-", "Wooden Bridge", ""},
        {"landscape", 5, 8, "", "-", "Wooden Bridge", ""},
        {"landscape", 1, 0, "", "tile", "none", ""},
        {"object", Object::TREE, 0, "", "tile", "Old Oak", ""},
        {"unit", 13, 0, "wolf", "tile", "Wolf", ""},
        {"unit", 1, 0, "knight", "unit", "Wolf", "Knight"},
        {"unit", 5, 0, "dragon", "unit", "Wolf", "dragon"},
        {"reset", 0, 0, "", "-", "Wolf", "dragon"},
        {"object", Object::STATUE, 0, "", "tile", "Statue", "dragon"},
        {"unit", 13, 0, "drake", "tile", "drake", "dragon"},
    };
    for (const auto& row : kRows) {
        const std::string what = row.what;
        if (what == "landscape") {
            Landscape cell(row.type, row.subtype, 0, 0);
            panel->setLandscapeInfo(&cell);
        } else if (what == "object") {
            Object object(row.type, "tree", 0, 0, 0);
            panel->setObjectInfo(&object);
        } else if (what == "unit") {
            panel->setUnitInfo(unitInfo(row.name, row.type));
        } else {
            panel->resetInfo();
        }
        const std::string step = what + " " + std::to_string(row.type) + " " + row.name;
        EXPECT_EQ(face(panel), row.face) << step;
        EXPECT_EQ(text(panel, "tile.name"), row.tileText) << step;
        EXPECT_EQ(text(panel, "unit.name"), row.unitText) << step;
    }
}

// Without titles in the tables every title is the internal name; the status shows the name of
// its picture ("burning" for "burn", "" for a status without one).
TEST_F(StatusPanelTest, TitlesFallBackToInternalNames) {
    StatusPanel* panel = build(kPanel);
    const struct {
        bool tables;
        const char* status;
        const char* unit;
        const char* state;
        const char* tile;
        const char* object;
    } kRows[] = {
        {true, "burn", "Knight", "Burning", "Meadow", "Old Oak"},
        {true, "pure_freeze", "Knight", "Frozen", "Meadow", "Old Oak"},
        {true, "pure_poison", "Knight", "Poisoned", "Meadow", "Old Oak"},
        {true, "dazed", "Knight", "", "Meadow", "Old Oak"},
        {false, "poison", "knight", "poisoned", "grass", "tree"},
        {false, "pure_burn", "knight", "burning", "grass", "tree"},
        {false, "freeze", "knight", "frozen", "grass", "tree"},
        {false, "", "knight", "", "grass", "tree"},
    };
    for (const auto& row : kRows) {
        if (!row.tables)
            kel::ui::theKelDataStorage->reset();
        UnitPanelInfo info = unitInfo("knight", 1);
        info.status = row.status;
        panel->setUnitInfo(info);
        EXPECT_EQ(text(panel, "unit.name"), row.unit) << row.status;
        EXPECT_EQ(text(panel, "unit.state"), row.state) << row.status;
        Landscape grass(1, 1, 0, 0);
        panel->setLandscapeInfo(&grass);
        EXPECT_EQ(text(panel, "tile.name"), row.tile) << row.status;
        Object tree(Object::TREE, "tree", 0, 0, 0);
        panel->setObjectInfo(&tree);
        EXPECT_EQ(text(panel, "tile.name"), row.object) << row.status;
    }
    kel::ui::theKelDataStorage->load();
}

// Rows: indicatorCount, filledIndicators, actModifier, then each indicator's picture ("-" when
// hidden) and the width of "indicators". Indicators stand at i x (14 - 1). An element the panel
// has no picture for leaves the pictures as they were.
TEST_F(StatusPanelTest, IndicatorsShowTheActsElementFullOrHollow) {
    StatusPanel* panel = build(kPanel);
    const struct {
        int count, filled;
        const char* modifier;
        const char* pictures[4];
        float width;
    } kRows[] = {
        {0, 0, "", {"-", "-", "-", "-"}, 0},
        {3, 1, "fire", {"fire", "fire_hole", "fire_hole", "-"}, 40},
        {4, 4, "", {"stone", "stone", "stone", "stone"}, 53},
        {2, 0, "freeze", {"drop_hole", "drop_hole", "-", "-"}, 27},
        {1, 1, "poison", {"lief", "-", "-", "-"}, 14},
        {3, 2, "lightning", {"lief", "drop_hole", "stone", "-"}, 40},
        {4, 3, "freeze", {"drop", "drop", "drop", "drop_hole"}, 53},
        {9, 9, "poison", {"lief", "lief", "lief", "lief"}, 53},
    };
    for (const auto& row : kRows) {
        UnitPanelInfo info = unitInfo("knight", 1);
        info.indicatorCount = row.count;
        info.filledIndicators = row.filled;
        info.actModifier = row.modifier;
        panel->setUnitInfo(info);
        for (int i = 0; i < 4; ++i) {
            auto* one = static_cast<::ui::SpriteComponent*>(
                at(panel, "unit.indicators.indicator" + std::to_string(i + 1)));
            EXPECT_EQ(one->getVisible() ? one->getPlane()->getImageName() : "-", row.pictures[i])
                << row.count << " " << row.filled << " " << row.modifier << " #" << i + 1;
            EXPECT_EQ(one->getXPosition(), 13.0f * static_cast<float>(i));
            EXPECT_EQ(one->getYPosition(), 2.0f) << "keeps its y";
        }
        EXPECT_EQ(at(panel, "unit.indicators")->getWidth(), row.width) << row.count;
        EXPECT_EQ(at(panel, "unit.indicators")->getHeight(), 14.0f);
    }
}

// Rows: health, act, defence, status, indicator count and unit name, whether "state" is hidden
// just before, then the texts of the values, the x of each part of the two rows, the widths of
// the backgrounds and of the panel. Expected positions follow the layout steps by hand with
// the gaps 1..7 (U[0]..U[6]), icons 16 wide, indicators 14 wide with count 3 -> 40, vistup 3 and
// the unit face at x 5; e.g. row 1: health "125" 18, " 7" 9, " 6" 9, "Knight" 31, "Burning" 37:
// down 16+2=18, 18+3+18=39, 16+4+39=59, 9+5+59=73, 16+6+73=95, +9 = 104;
// up 31+1=32, 40+7+32=79, 37+10+79=126; widest 126, panel 5+126.
TEST_F(StatusPanelTest, TheUnitFaceLaysItsRowsOutWithTheConfiguredGaps) {
    StatusPanel* panel = build(kPanel);
    const struct {
        int health;
        float act, defence;
        const char* status;
        int indicators;
        const char* name;
        bool hideState;
        const char *healthText, *actText, *defenceText;
        float healthValue, actIcon, actValue, defenceIcon, defenceValue, indicatorsX, stateX;
        float backUp, backDown, width;
    } kRows[] = {
        {125, 7,  6,  "burn", 3,  "knight", false, "125", " 7", " 6",
         18,  39, 59, 73,     95, 32,       79,    132,   110,  131},
        {5,  12.4f, 3,  "", 0,  "dragon", false, "5", "12", " 3",
         18, 27,    47, 64, 86, 35,       42,    58,  101,  100},
        // "state" hidden: it does not count this time (up 79), and shows again afterwards.
        {125, 7,  6,  "burn", 3,  "knight", true, "125", " 7", " 6",
         18,  39, 59, 73,     95, 32,       79,   85,    110,  109},
        {125, 7,  6,  "burn", 3,  "knight", false, "125", " 7", " 6",
         18,  39, 59, 73,     95, 32,       79,    132,   110,  131},
        // "-3" 4+6, "100" 18, defence 9.6 rounds to "10" 12, "Orc" 17, "Poisoned" 45:
        // down 18, 10+3+18=31, 51, 18+5+51=74, 96, +12 = 108; up 18, 14+7+18=39, 45+10+39=94.
        {-3, 100, 9.6f, "poison", 1,  "orc", false, "-3", "100", "10",
         18, 31,  51,   74,       96, 18,    39,    100,  114,   113},
    };
    for (const auto& row : kRows) {
        UnitPanelInfo info = unitInfo(row.name, 1);
        info.health = row.health;
        info.act = row.act;
        info.defence = row.defence;
        info.status = row.status;
        info.indicatorCount = row.indicators;
        if (row.hideState)
            at(panel, "unit.state")->setVisible(false);
        panel->setUnitInfo(info);
        const std::string step = std::string(row.name) + " " + std::to_string(row.health);
        EXPECT_EQ(text(panel, "unit.healthvalue"), row.healthText) << step;
        EXPECT_EQ(text(panel, "unit.actvalue"), row.actText) << step;
        EXPECT_EQ(text(panel, "unit.defencevalue"), row.defenceText) << step;
        const struct {
            const char* part;
            float x;
        } places[] = {{"healthvalue", row.healthValue},
                      {"acticon", row.actIcon},
                      {"actvalue", row.actValue},
                      {"defenceicon", row.defenceIcon},
                      {"defencevalue", row.defenceValue},
                      {"indicators", row.indicatorsX},
                      {"state", row.stateX},
                      {"back_up", -3},
                      {"back_down", -3},
                      {"healthicon", 0},
                      {"name", 11}};
        for (const auto& place : places)
            EXPECT_EQ(at(panel, std::string("unit.") + place.part)->getXPosition(), place.x)
                << step << " " << place.part;
        EXPECT_EQ(at(panel, "unit.healthvalue")->getYPosition(), 44.0f) << "keeps its y";
        EXPECT_EQ(at(panel, "unit.name")->getYPosition(), 18.0f) << "on the title row";
        EXPECT_EQ(at(panel, "unit.state")->getYPosition(), 18.0f) << "on the title row";
        EXPECT_TRUE(at(panel, "unit.state")->getVisible()) << step;
        EXPECT_EQ(at(panel, "unit.back_up")->getWidth(), row.backUp) << step;
        EXPECT_EQ(at(panel, "unit.back_up")->getHeight(), 25.0f);
        EXPECT_EQ(at(panel, "unit.back_up")->getYPosition(), 12.0f);
        EXPECT_EQ(at(panel, "unit.back_down")->getWidth(), row.backDown) << step;
        EXPECT_EQ(at(panel, "unit.back_down")->getHeight(), 25.0f);
        EXPECT_EQ(at(panel, "tile.back")->getWidth(), row.backUp) << "the upper width";
        EXPECT_EQ(panel->getWidth(), row.width) << step;
        EXPECT_EQ(panel->getHeight(), 62.0f) << "keeps its height";
        EXPECT_EQ(panel->getXPosition(), 40.0f) << "not right-aligned";
    }
}

// The tile face takes the title's width; with `right` the panel keeps itself at
// x = -(width) - 15. Rows: a width set on the panel or a tile title, then the panel's x.
TEST_F(StatusPanelTest, TheTileFaceFitsItsTitleAndARightPanelSitsAtMinusWidthMinus15) {
    std::string layoutText = kPanel;
    layoutText.insert(layoutText.find("vistup"), "right = true\n    ");
    StatusPanel* panel = build(layoutText);
    ASSERT_TRUE(panel->isRight());
    const struct {
        float width; // -1: the title of a tree, "Old Oak" 7+2+6+3+7+6+6 = 37
        float x;
    } kRows[] = {{200, -215}, {-1, -52}, {0, -15}};
    for (const auto& row : kRows) {
        if (row.width < 0) {
            Object tree(Object::TREE, "tree", 0, 0, 0);
            panel->setObjectInfo(&tree);
            EXPECT_EQ(at(panel, "tile")->getWidth(), 37.0f);
            EXPECT_EQ(at(panel, "tile")->getHeight(), 30.0f);
            EXPECT_EQ(at(panel, "tile.back")->getWidth(), 37.0f + 6);
            EXPECT_EQ(at(panel, "tile.back")->getHeight(), 30.0f);
            EXPECT_EQ(at(panel, "tile.back")->getXPosition(), -3.0f);
            EXPECT_EQ(at(panel, "unit.back_down")->getWidth(), 6.0f) << "lower width 0";
        } else {
            panel->setSize(row.width, 62);
        }
        EXPECT_EQ(panel->getXPosition(), row.x) << row.width;
        EXPECT_EQ(panel->getYPosition(), 100.0f) << "keeps its y";
    }
}

// Rows: an operation on the reduced-info list, then which of the kinds 5, 12, 13 show the tile
// face only. The accessor hands a configuration's "statuspanel" block to the shipped panel
// ("status"); a block without it, or without "reductedInfoUnits", changes nothing.
TEST_F(StatusPanelTest, TheReducedInfoListDecidesWhichUnitsShowTheTileFaceOnly) {
    StatusPanel* shipped = kel::ui::theAccessor.getStatusPanel();
    ASSERT_NE(shipped, nullptr);
    root->getComponent("gameui")->setVisible(true); // shown once: its parts are bound
    const struct {
        const char* operation;
        const char* configuration;
        const char* reduced;
    } kRows[] = {
        {"load", "statuspanel { reductedInfoUnits = 13 5 13 }", "5 13"},
        {"remove 13", "", "5"},
        {"add 13", "", "5 13"},
        {"load", "statuspanel { reductedInfoUnits = 12.7 }", "12"},
        {"load", "other = 1", "12"},
        {"load", "statuspanel { vistup = 2 }", "12"},
        {"set 5 13", "", "5 13"},
        {"load", "statuspanel { reductedInfoUnits = 7 }", ""},
    };
    for (const auto& row : kRows) {
        const std::string operation = row.operation;
        if (operation == "load") {
            config::Config block;
            ASSERT_TRUE(block.readString(row.configuration, "host.cfg"));
            kel::ui::theAccessor.loadConfiguration(&block);
        } else if (operation == "remove 13") {
            shipped->removeReducedInfoUnit(13);
        } else if (operation == "add 13") {
            shipped->addReducedInfoUnit(13);
        } else {
            shipped->setReductionInfoUnits({5, 13});
        }
        std::string reduced;
        for (int kind : {5, 12, 13}) {
            shipped->setUnitInfo(unitInfo("wolf", kind));
            if (face(shipped) == "tile")
                reduced += (reduced.empty() ? "" : " ") + std::to_string(kind);
            else
                EXPECT_EQ(face(shipped), "unit");
        }
        EXPECT_EQ(reduced, row.reduced) << operation << " " << row.configuration;
    }
    config::Block empty;
    kel::ui::theAccessor.loadConfiguration(&empty); // the accessor outlives the test
}

// A layout without some parts: each missing one is reported once on the "kel-ui" log at the
// line of the block it was looked for in, and the panel goes on with the others.
TEST_F(StatusPanelTest, AMissingPartIsReportedOnceAndThePanelGoesOnWithout) {
    std::string layoutText = kPanel;
    auto drop = [&layoutText](const std::string& from, const std::string& to) {
        const size_t start = layoutText.find(from);
        layoutText.erase(start, layoutText.find(to, start) - start);
    };
    drop("        state {", "        healthicon");
    drop("            indicator3 {", "            indicator4");
    layoutText.erase(layoutText.find("    tile {"),
                     layoutText.rfind("}\n") - layoutText.find("    tile {"));
    StatusPanel* panel = build(layoutText);
    panel->getMaster()->setVisible(false); // shown again: bound again, reported no more
    panel->getMaster()->setVisible(true);
    UnitPanelInfo info = unitInfo("knight", 1);
    info.indicatorCount = 4;
    info.status = "burn";
    panel->setUnitInfo(info);
    panel->setUnitInfo(info);
    Landscape grass(1, 1, 0, 0);
    panel->setLandscapeInfo(&grass);
    Object tree(Object::TREE, "tree", 0, 0, 0);
    panel->setObjectInfo(&tree);
    panel->addReducedInfoUnit(1);
    panel->setUnitInfo(info);
    panel->resetInfo();

    std::vector<std::string> reported;
    for (const auto& record : log.take()) {
        EXPECT_EQ(record.filter, "kel-ui") << record.text;
        reported.push_back(record.file + ":" + std::to_string(record.line) + " " + record.text);
    }
    const std::vector<std::string> expected = {
        "test.cfg:1 the status panel 'panel' has no 'tile': it shows without it",
        "test.cfg:13 the status panel 'panel' has no 'indicator3' in 'indicators': it shows "
        "without it",
        "test.cfg:7 the status panel 'panel' has no 'state' in 'unit': it shows without it",
    };
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(text(panel, "unit.name"), "Knight") << "the parts it has still work";
    EXPECT_FALSE(at(panel, "unit")->getVisible());
}

// Back from the in-game menu, the panel describes nothing until the game logic fills it again.
// The shipped panel fits a 640 x 480 screen with a long description.
TEST_F(StatusPanelTest, ResumingTheGameEmptiesTheShippedPanel) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    root->command(kel::ui::Command::BEGIN_LOADING);
    root->setGameBoard(&game.getBoard());
    root->command(kel::ui::Command::BEGIN_GAME);
    root->setResolution(640, 480);
    root->updateResolution();
    StatusPanel* panel = kel::ui::theAccessor.getStatusPanel();
    ASSERT_NE(panel, nullptr);
    UnitPanelInfo info = unitInfo("shaman", 11);
    info.health = 125;
    info.act = 12;
    info.defence = 10;
    info.status = "pure_poison";
    info.indicatorCount = 4;
    panel->setUnitInfo(info);
    EXPECT_EQ(face(panel), "unit");
    EXPECT_GE(panel->getAbsoluteX() - 6, 0.0f);
    EXPECT_LE(panel->getAbsoluteX() + panel->getWidth() + 6, 640.0f);
    EXPECT_LE(panel->getAbsoluteY() + panel->getHeight(), 480.0f);
    root->command(kel::ui::Command::SHOW_GAME_MENU);
    EXPECT_EQ(face(panel), "unit") << "the menu alone leaves it";
    root->command(kel::ui::Command::RESUME_GAME);
    EXPECT_EQ(face(panel), "-");
    root->command(kel::ui::Command::END_GAME);
    root->resetGameBoard();
}

} // namespace
