#include "support/Near.h"
#include "support/RootFixture.h"
#include "ui/BoardTraceSwitch.h"

#include "host/engine/Image2D.h"
#include "host/engine/RenderWindow.h"
#include "host/logic/Act.h"
#include "host/logic/Game.h"
#include "host/logic/Unit.h"
#include "host/profile/InputSettings.h"
#include "host/profile/Profile.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Sprite.h"
#include "host/ui/SpriteComponent.h"

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

namespace {

using kel::logic::ActType;
using kel::test::near;

std::string number(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// The game pointer of the booted module on its shipped pictures, on the board (mode 1) and away
// from the screen edges: the look the game logic and the pointer's position choose.
class GamePointer : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        pointer()->setMode(1);
        moveTo(500, 300);
    }

    ::ui::SpriteComponent* sprite(const std::string& name) {
        return dynamic_cast<::ui::SpriteComponent*>(
            pointer()->getPointerContainer()->getComponent(name));
    }
    ::ui::SpriteComponent* icon() { return sprite("icon"); }
    ::ui::SpriteComponent* arrows() { return sprite("arrows"); }
    // The shown image of a sprite, or -1 when it is hidden.
    int shownImage(::ui::SpriteComponent* part) {
        return part->getVisible() ? part->getSprite()->getImage() : -1;
    }
    // What the pointer shows: "image@hotspot" of the icon, "arrowsN", the indicators and the
    // "[attack name]".
    std::string look() {
        std::string text;
        const auto add = [&text](const std::string& part) {
            if (!part.empty())
                text += (text.empty() ? "" : " ") + part;
        };
        if (icon()->getVisible())
            add(std::to_string(shownImage(icon())) + "@" + number(pointer()->getHotspotX()) + "," +
                number(pointer()->getHotspotY()));
        if (arrows()->getVisible())
            add("arrows" + std::to_string(shownImage(arrows())));
        for (int i = 0; i < 4; ++i)
            if (const int image = shownImage(sprite("indicator" + std::to_string(i))); image >= 0)
                add(std::to_string(i) + ":" + std::to_string(image));
        auto* name = dynamic_cast<::ui::BothTextSprite*>(
            pointer()->getPointerContainer()->getComponent("attackName"));
        if (name->getVisible())
            add("[" + name->getText() + "]");
        return text;
    }
    // `expected` with "@c" standing for the centred hotspot (w/2 - 1, h/2 - 1) of the icon.
    std::string centred(std::string expected) {
        if (const auto at = expected.find("@c"); at != std::string::npos)
            expected.replace(at, 2,
                             "@" + number(icon()->getWidth() / 2 - 1) + "," +
                                 number(icon()->getHeight() / 2 - 1));
        return expected;
    }
};

// Each cursor type on the board, in turn: its icon, hotspot and extras, the "@c" hotspot centred
// on the icon. The act cursors (3, 6, 7) show indicators: the image base by act type (0 -> 3,
// 1 -> 0, 2 -> 1, 3 -> 2), the affordable point at base + offset and the missing one at
// base + 4 + offset, offset 0 enabled and 8 disabled; the first min(pool, cost) show the point,
// the rest up to the cost (at most four) the missing one; none without a pool (-1). The attack
// name of an act given by numbers is empty. A type the pointer does not know keeps the icon and
// hotspot it had. Run with the icon at its configured size and at an odd, oblong one.
TEST_F(GamePointer, EachCursorTypeHasItsIconHotspotAndExtras) {
    // cursor type, enabled, act type, pool, cost, look
    const std::tuple<int, bool, int, int, int, const char*> rows[] = {
        {0, true, 0, 2, 3, "0@0,0"},
        {1, true, 0, 2, 3, "0@0,0"},
        {2, true, 0, 2, 3, "2@c"},
        {10, true, 0, 2, 3, "2@c"},
        {3, true, 0, 2, 3, "3@0,0 0:3 1:3 2:7 []"},
        {42, true, 0, 2, 3, "3@0,0"},
        {3, false, 0, 2, 3, "6@0,0 0:11 1:11 2:15 []"},
        {4, true, 0, 2, 3, "1@c"},
        {5, true, 0, 2, 3, "4@c"},
        {6, true, 0, 2, 3, "7@10,10 0:3 1:3 2:7"},
        {6, false, 0, 2, 3, "10@10,10 0:11 1:11 2:15"},
        {10, false, 0, 2, 3, "10@10,10"},
        {7, true, 0, 2, 3, "8@10,10 0:3 1:3 2:7"},
        {7, false, 0, 2, 3, "11@10,10 0:11 1:11 2:15"},
        {8, true, 0, 2, 3, "9@c"},
        {-1, true, 0, 2, 3, "9@c"},
        {9, true, 0, 2, 3, "13@c"},
        {3, true, 1, 4, 4, "3@0,0 0:0 1:0 2:0 3:0 []"},
        {6, false, 1, 1, 3, "10@10,10 0:8 1:12 2:12"},
        {7, true, 2, 0, 2, "8@10,10 0:5 1:5"},
        {3, false, 2, 3, 1, "6@0,0 0:9 []"},
        {6, true, 3, 1, 4, "7@10,10 0:2 1:6 2:6 3:6"},
        {7, false, 3, 3, 2, "11@10,10 0:10 1:10"},
        {3, true, 0, 6, 6, "3@0,0 0:3 1:3 2:3 3:3 []"},
        {3, true, 0, 0, 0, "3@0,0 []"},
        {3, true, 1, -1, 3, "3@0,0 []"},
        {6, false, 2, -1, 2, "10@10,10"},
    };
    for (int size = 0; size < 2; ++size) {
        if (size == 1)
            icon()->setSize(41, 25);
        for (const auto& [type, enabled, actType, pool, cost, shows] : rows) {
            pointer()->setCursorType(ActType(actType), pool, cost, type, enabled);
            EXPECT_EQ(pointer()->getCursorType(), type);
            EXPECT_EQ(look(), centred(shows))
                << "type " << type << (enabled ? "" : " disabled") << " act type " << actType
                << " pool " << pool << " cost " << cost;
        }
    }
}

// The pointer moved in software mode: clamped to the screen, handed to the render driver as a
// fraction of the screen and to kel-input, and the edge it touches (corners before sides) shows
// the scroll arrows. Run with the arrows at their configured size and at an oblong one.
TEST_F(GamePointer, ScreenEdgesShowTheirArrowsCornersFirst) {
    ASSERT_EQ(root->getScreenWidth(), 1024.0f);
    ASSERT_EQ(root->getScreenHeight(), 768.0f);
    // By edge (1 left, 2 right, 3 top, 4 bottom, 5 top-left, 6 top-right, 7 bottom-left,
    // 8 bottom-right): the arrows image, their position in units of their width and height, and
    // what is taken off the hotspot (w, h) on the right and below.
    const float byEdge[9][5] = {{-1, 0, 0, 0, 0},   {0, 1, 0.5f, 0, 0}, {1, 0, 0.5f, 1, 0},
                                {2, 0.5f, 1, 0, 0}, {3, 0.5f, 0, 0, 1}, {4, 1, 1, 0, 0},
                                {5, 0, 1, 1, 0},    {6, 1, 0, 0, 1},    {7, 0, 0, 1, 1}};
    // Asked for x, y; after clamping; the edge touched (0: none, the icon look).
    const std::tuple<float, float, float, float, int> rows[] = {
        {500, 300, 500, 300, 0},   {-20, 300, 0, 300, 1},         {0.5f, 300, 0.5f, 300, 0},
        {0, 300, 0, 300, 1},       {2000, 300, 1023, 300, 2},     {1022.5f, 300, 1022.5f, 300, 0},
        {1023, 300, 1023, 300, 2}, {500, -5, 500, 0, 3},          {500, 0.5f, 500, 0.5f, 0},
        {500, 900, 500, 767, 4},   {500, 766.5f, 500, 766.5f, 0}, {-1, -1, 0, 0, 5},
        {1023, 0, 1023, 0, 6},     {2000, -300, 1023, 0, 6},      {0, 767, 0, 767, 7},
        {-50, 800, 0, 767, 7},     {5000, 5000, 1023, 767, 8}};
    pointer()->setCursorType(ActType::MeleeAct, -1, 0, 4, true); // icon 1, centred
    for (int size = 0; size < 2; ++size) {
        if (size == 1)
            arrows()->setSize(30, 20);
        const float w = arrows()->getWidth(), h = arrows()->getHeight();
        for (const auto& [x, y, atX, atY, edge] : rows) {
            SCOPED_TRACE("at " + number(x) + ", " + number(y));
            moveTo(x, y);
            EXPECT_TRUE(near({pointer()->getX(), pointer()->getY(), theKelInput->getMouseX(),
                              theKelInput->getMouseY(), theRenderDriver->getPointerX() * 1024,
                              theRenderDriver->getPointerY() * 768},
                             {atX, atY, atX, atY, atX, atY}));
            EXPECT_EQ(pointer()->getEdge(), edge);
            const float* arrow = byEdge[edge];
            EXPECT_EQ(look(), edge ? "arrows" + number(arrow[0]) : centred("1@c"));
            if (edge != 0) {
                EXPECT_TRUE(near({arrows()->getXPosition(), arrows()->getYPosition(),
                                  pointer()->getHotspotX(), pointer()->getHotspotY()},
                                 {arrow[1] * w, arrow[2] * h, w - arrow[3], h - arrow[4]}));
            }
            // Moved there again (nothing changes): the picture hangs from the hotspot.
            moveTo(x, y);
            EXPECT_TRUE(near({pointer()->getPointerContainer()->getXPosition(),
                              pointer()->getPointerContainer()->getYPosition()},
                             {atX - pointer()->getHotspotX(), atY - pointer()->getHotspotY()}));
        }
    }
}

// Mode 0 wins over everything, then an edge, then free-look, then the cursor type.
TEST_F(GamePointer, TheInterfaceLookWinsThenEdgeThenFreelookThenCursorType) {
    const std::tuple<int, bool, bool, const char*> rows[] = {
        {0, true, true, "5@0,0"},   {0, false, true, "5@0,0"},   {0, false, false, "5@0,0"},
        {1, true, true, "arrows0"}, {1, true, false, "arrows0"}, {1, false, true, "0@0,0"},
        {1, false, false, "4@c"},
    };
    pointer()->setCursorType(ActType::MeleeAct, -1, 0, 5, true); // icon 4, centred
    for (const auto& [mode, atEdge, freelook, shows] : rows) {
        pointer()->setMode(mode);
        moveTo(atEdge ? 0 : 500, 300);
        pointer()->setFreelookMode(freelook);
        EXPECT_EQ(look(), centred(shows))
            << "mode " << mode << (atEdge ? " edge" : "") << (freelook ? " freelook" : "");
    }
}

TEST_F(GamePointer, IndicatorsStandInARowOverlappingByOne) {
    for (int i = 0; i < 4; ++i) {
        ::ui::SpriteComponent* indicator = sprite("indicator" + std::to_string(i));
        EXPECT_FLOAT_EQ(indicator->getXPosition(), i * (indicator->getWidth() - 1)) << i;
        EXPECT_FLOAT_EQ(indicator->getYPosition(), 34) << "kept from the configuration";
    }
}

// The act cursor of an act: cursor type 3 (9 for "HelpMe"), the acting unit's pool and act
// type, the act's cost, and its name from the attack names of the unit, else its internal name.
TEST_F(GamePointer, AnActsCursorShowsItsPointsAndItsAttackName) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    std::map<std::string, kel::logic::Unit*> units;
    for (kel::logic::Unit* unit : game.getBoard().getUnits())
        units[unit->getInternalName()] = unit;
    kel::logic::Unit stranger("dragon", nullptr, "knight"); // no attack names of its own
    stranger.setActType(ActType::MagicAct);
    stranger.addAct("Slash", 2, "");
    units["dragon"] = &stranger;
    ASSERT_TRUE(units["knight"] && units["archer"] && units["priest"]);
    ASSERT_EQ(units["knight"]->getActType(), ActType::MeleeAct);
    ASSERT_EQ(units["archer"]->getActType(), ActType::RangedAct);
    units["knight"]->addAct("Unnamed", 1, "");
    ASSERT_NE(units["priest"]->findAct("HelpMe"), nullptr);

    const std::tuple<const char*, const char*, int, bool, const char*> rows[] = {
        {"knight", "ShieldBash", 2, true, "3@0,0 0:3 1:3 2:7 [Shield Bash]"},
        {"knight", "ShieldBash", 2, false, "6@0,0 0:11 1:11 2:15 [Shield Bash]"},
        {"knight", "Slash", 4, true, "3@0,0 0:3 1:3 [Sword Slash]"},
        {"archer", "Shoot", 1, true, "3@0,0 0:0 1:4 [Aimed Shot]"},
        {"knight", "Unnamed", 3, true, "3@0,0 0:3 [Unnamed]"}, // no such act there
        {"dragon", "Slash", 1, true, "3@0,0 0:1 1:5 [Slash]"}, // no such unit there
        {"priest", "HelpMe", 3, true, "13@c"},
    };
    for (const auto& [unit, act, pool, enabled, shows] : rows) {
        units[unit]->setActPool(pool);
        pointer()->setCursorType(units[unit]->findAct(act), enabled);
        EXPECT_EQ(look(), centred(shows)) << unit << " " << act;
        EXPECT_EQ(pointer()->getCursorType(), std::string(act) == "HelpMe" ? 9 : 3);
    }

    // Given by numbers, the act has no name: the unit's names are not looked at.
    pointer()->setCursorType(units["knight"]->findAct("Slash"), true);
    pointer()->setCursorType(ActType::MeleeAct, 2, 2, 3, true);
    EXPECT_EQ(look(), "3@0,0 0:3 1:3 []");
}

// The setters recompute the look only when the value changes; the two setCursorType with
// arguments always do. A recomputation is seen by the icon losing a picture put on it by hand.
TEST_F(GamePointer, TheLookIsRecomputedOnlyOnAChange) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    kel::logic::Act* act = game.getBoard().getUnits().front()->getActs().front().get();
    kel::ui::KELMousePointer* p = pointer();
    p->setCursorType(ActType::MeleeAct, -1, 0, 2, true);
    const std::map<std::string, std::function<void(int)>> setters = {
        {"mode", [p](int value) { p->setMode(value); }},
        {"type", [p](int value) { p->setCursorType(value); }},
        {"edge", [p](int value) { p->setEdge(value); }},
        {"freelook", [p](int value) { p->setFreelookMode(value != 0); }},
        {"act", [p, act](int) { p->setCursorType(act, true); }},
        {"numbers", [p](int value) { p->setCursorType(ActType::MeleeAct, -1, 0, value, true); }},
    };
    // Setter, value, and whether the look was recomputed (+) or not (-).
    std::istringstream rows("mode1- mode0+ mode0- mode1+ type2- type4+ type4- edge0- edge3+ edge3- "
                            "edge0+ freelook0- freelook1+ freelook1- freelook0+ act0+ act0+ "
                            "numbers4+ numbers4+");
    for (std::string row; rows >> row;) {
        icon()->getSprite()->setImage(12);
        icon()->setVisible(true);
        setters.at(row.substr(0, row.size() - 2))(row[row.size() - 2] - '0');
        const bool untouched = icon()->getVisible() && icon()->getSprite()->getImage() == 12;
        EXPECT_EQ(untouched, row.back() == '-') << row;
    }
}

TEST_F(GamePointer, PointerMovementIsScaledByTheMouseSensitivity) {
    profile::InputSettings* settings = nullptr;
    theProfile->getSettings(&settings);
    settings->mouseSensitivity = 2.5f;
    theKelInput->updateProfileSettings();
    EXPECT_TRUE(near({pointer()->getXIncrease(4), pointer()->getYIncrease(-2)}, {10, -5}));
    settings->mouseSensitivity = 1.0f;
    theKelInput->updateProfileSettings();
}

// The hardware cursor: a 64 x 64 picture of the shown parts on black, handed to the render
// driver with the hotspot in whole units, and a position the pointer neither clamps nor places;
// turning it off switches the window's cursor off and shows the pointer's own picture again.
TEST_F(GamePointer, TheHardwareCursorIsComposedOfTheShownParts) {
    pointer()->restoreCountingVisible();
    icon()->setSize(41, 25);
    pointer()->setCursorType(ActType::MeleeAct, 2, 3, 3, true); // icon, 3 indicators, name
    pointer()->setCursorType(ActType::MeleeAct, 2, 3, 2, true); // centred: (19.5, 11.5)
    EXPECT_TRUE(pointer()->getPointerContainer()->getVisible());
    EXPECT_TRUE(kel::ui::BoardTraceSwitch::getPointerVisible());

    pointer()->setHardwareSupport(true);
    Image2D* image = pointer()->getHardwareImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(number(image->getLogicalWidth()) + "x" + number(image->getLogicalHeight()), "64x64");
    EXPECT_EQ(theRenderDriver->getHardwareCursorImage(), image->getRenderImage());
    EXPECT_EQ(std::make_tuple(theRenderDriver->getHardwareCursorWidth(),
                              theRenderDriver->getHardwareCursorHeight(),
                              theRenderDriver->getHardwareCursorHotspotX(),
                              theRenderDriver->getHardwareCursorHotspotY(),
                              pointer()->getPointerContainer()->getVisible(),
                              kel::ui::BoardTraceSwitch::getPointerVisible()),
              std::make_tuple(64, 64, 19, 11, false, true));
    // The position is left as it is and the render driver is not told it; kel-input and the edge
    // still follow.
    moveTo(2000, -40);
    EXPECT_TRUE(near({pointer()->getX(), pointer()->getY(), theKelInput->getMouseX(),
                      theKelInput->getMouseY(), theRenderDriver->getPointerX() * 1024,
                      theRenderDriver->getPointerY() * 768},
                     {2000, -40, 2000, -40, 500, 300}));
    EXPECT_EQ(pointer()->getEdge(), 6);
    moveTo(500, 300);

    // What the picture holds: "bar x,y wxh colour; " and "source x,y wxh from region; ".
    const auto box = [](float x, float y, float w, float h) {
        return number(x) + "," + number(y) + " " + number(w) + "x" + number(h);
    };
    const auto drawn = [&] {
        std::string all;
        for (const ImageDrawOperation& op : image->getDrawOperations())
            all += op.kind == ImageDrawOperation::Bar
                       ? "bar " + box(op.x, op.y, op.width, op.height) +
                             (op.color == config::Color(0, 0, 0, 1) ? " black; " : " colour; ")
                       : op.source + " " + box(op.x, op.y, op.width, op.height) + " from " +
                             box(op.region.x, op.region.y, op.region.width, op.region.height) +
                             "; ";
        return all;
    };
    const auto part = [&](::ui::SpriteComponent* sprite) {
        const float w = sprite->getWidth(), h = sprite->getHeight();
        return sprite->getSprite()->getImageName() + " " +
               box(sprite->getXPosition(), sprite->getYPosition(), w, h) + " from " +
               box(0, 0, w, h) + "; ";
    };
    const std::string black = "bar 0,0 64x64 black; ";
    EXPECT_EQ(drawn(), black + part(icon()));

    // Every new look is drawn and handed over again; the attack name is never drawn.
    pointer()->setCursorType(ActType::MeleeAct, 2, 3, 3, true);
    EXPECT_EQ(drawn(), black + part(icon()) + part(sprite("indicator0")) +
                           part(sprite("indicator1")) + part(sprite("indicator2")));
    EXPECT_EQ(theRenderDriver->getHardwareCursorImage(), image->getRenderImage());
    moveTo(0, 300);
    EXPECT_EQ(drawn(), black + part(arrows()));

    const int switches = theRenderWindow->getHardwareCursorSwitchCount();
    pointer()->setHardwareSupport(false);
    EXPECT_EQ(std::make_tuple(theRenderWindow->getHardwareCursorSwitchCount(),
                              theRenderWindow->isHardwareCursorOn(),
                              pointer()->getHardwareImage() == nullptr,
                              pointer()->getPointerContainer()->getVisible()),
              std::make_tuple(switches + 1, false, true, true));

    pointer()->setVisible(false);
    EXPECT_FALSE(kel::ui::BoardTraceSwitch::getPointerVisible());
    EXPECT_FALSE(pointer()->getPointerContainer()->getVisible());
}

} // namespace
