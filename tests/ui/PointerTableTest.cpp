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

#include <string>

namespace {

using kel::logic::ActType;

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
    // "i:image" for each shown indicator.
    std::string indicators() {
        std::string shown;
        for (int i = 0; i < 4; ++i) {
            const int image = shownImage(sprite("indicator" + std::to_string(i)));
            if (image >= 0)
                shown +=
                    (shown.empty() ? "" : " ") + std::to_string(i) + ":" + std::to_string(image);
        }
        return shown;
    }
    std::string attackName() {
        auto* text = dynamic_cast<::ui::BothTextSprite*>(
            pointer()->getPointerContainer()->getComponent("attackName"));
        return text->getVisible() ? "[" + text->getText() + "]" : "hidden";
    }
    void expectHotspot(float x, float y, const std::string& why) {
        EXPECT_FLOAT_EQ(pointer()->getHotspotX(), x) << why;
        EXPECT_FLOAT_EQ(pointer()->getHotspotY(), y) << why;
    }
    // The centred hotspot of the icon at its current size.
    void expectCentred(const std::string& why) {
        expectHotspot(icon()->getWidth() / 2 - 1, icon()->getHeight() / 2 - 1, why);
    }
};

// Each cursor type on the board: its icon, hotspot and extras. The act data are a melee act
// (image base 3) with 2 points of 3, so the act cursors show two affordable points and one
// missing; the attack name is the act's name, empty when the act is given by numbers. Run with
// the icon at its configured size and at an odd, oblong one.
TEST_F(GamePointer, EachCursorTypeHasItsIconHotspotAndExtras) {
    enum Hotspot { ORIGIN, CENTRED, TEN };
    struct Row {
        int type;
        bool enabled;
        int icon;
        Hotspot hotspot;
        const char* indicators;
        const char* attackName;
    };
    const Row rows[] = {
        {0, true, 0, ORIGIN, "", "hidden"},
        {1, true, 0, ORIGIN, "", "hidden"},
        {2, true, 2, CENTRED, "", "hidden"},
        {3, true, 3, ORIGIN, "0:3 1:3 2:7", "[]"},
        {3, false, 6, ORIGIN, "0:11 1:11 2:15", "[]"},
        {4, true, 1, CENTRED, "", "hidden"},
        {5, true, 4, CENTRED, "", "hidden"},
        {6, true, 7, TEN, "0:3 1:3 2:7", "hidden"},
        {6, false, 10, TEN, "0:11 1:11 2:15", "hidden"},
        {7, true, 8, TEN, "0:3 1:3 2:7", "hidden"},
        {7, false, 11, TEN, "0:11 1:11 2:15", "hidden"},
        {8, true, 9, CENTRED, "", "hidden"},
        {9, true, 13, CENTRED, "", "hidden"},
    };
    for (int size = 0; size < 2; ++size) {
        if (size == 1)
            icon()->setSize(41, 25);
        for (const Row& row : rows) {
            const std::string why =
                "type " + std::to_string(row.type) + (row.enabled ? "" : " disabled");
            pointer()->setCursorType(ActType::MeleeAct, 2, 3, row.type, row.enabled);
            EXPECT_EQ(pointer()->getCursorType(), row.type) << why;
            EXPECT_EQ(shownImage(icon()), row.icon) << why;
            EXPECT_FALSE(arrows()->getVisible()) << why;
            if (row.hotspot == ORIGIN)
                expectHotspot(0, 0, why);
            else if (row.hotspot == TEN)
                expectHotspot(10, 10, why);
            else
                expectCentred(why);
            EXPECT_EQ(indicators(), row.indicators) << why;
            EXPECT_EQ(attackName(), row.attackName) << why;
        }
    }
}

// A cursor type the pointer does not know shows the icon as it was, with its hotspot.
TEST_F(GamePointer, AnUnknownCursorTypeKeepsTheLookItHad) {
    struct Row {
        int before;
        bool enabled;
        int unknown;
        int icon;
    };
    const Row rows[] = {{2, true, 10, 2}, {6, false, 10, 10}, {8, true, -1, 9}, {3, true, 42, 3}};
    for (const Row& row : rows) {
        const std::string why = std::to_string(row.before) + " then " + std::to_string(row.unknown);
        pointer()->setCursorType(ActType::MeleeAct, 2, 3, row.before, row.enabled);
        const float hx = pointer()->getHotspotX(), hy = pointer()->getHotspotY();
        pointer()->setCursorType(ActType::MeleeAct, 2, 3, row.unknown, row.enabled);
        EXPECT_EQ(shownImage(icon()), row.icon) << why;
        expectHotspot(hx, hy, why);
        EXPECT_EQ(indicators(), "") << why;
        EXPECT_EQ(attackName(), "hidden") << why;
    }
}

// The pointer moved in software mode: clamped to the screen, handed to the render driver as a
// fraction of the screen and to kel-input, and the edge it touches (corners before sides) shows
// the scroll arrows. Run with the arrows at their configured size and at an oblong one.
TEST_F(GamePointer, ScreenEdgesShowTheirArrowsCornersFirst) {
    const float W = root->getScreenWidth(), H = root->getScreenHeight();
    ASSERT_EQ(W, 1024.0f);
    ASSERT_EQ(H, 768.0f);
    struct Row {
        float x, y;          // asked for
        float atX, atY;      // after clamping
        int edge;            // 0: the icon look
        int image;           // of the arrows
        float posW, posH;    // arrows position, in units of the arrows' width and height
        float right, bottom; // taken off the hotspot (w, h)
    };
    const Row rows[] = {
        {500, 300, 500, 300, 0, -1, 0, 0, 0, 0},
        {-20, 300, 0, 300, 1, 0, 1, 0.5f, 0, 0},
        {0.5f, 300, 0.5f, 300, 0, -1, 0, 0, 0, 0},
        {0, 300, 0, 300, 1, 0, 1, 0.5f, 0, 0},
        {2000, 300, 1023, 300, 2, 1, 0, 0.5f, 1, 0},
        {1022.5f, 300, 1022.5f, 300, 0, -1, 0, 0, 0, 0},
        {1023, 300, 1023, 300, 2, 1, 0, 0.5f, 1, 0},
        {500, -5, 500, 0, 3, 2, 0.5f, 1, 0, 0},
        {500, 0.5f, 500, 0.5f, 0, -1, 0, 0, 0, 0},
        {500, 900, 500, 767, 4, 3, 0.5f, 0, 0, 1},
        {500, 766.5f, 500, 766.5f, 0, -1, 0, 0, 0, 0},
        {-1, -1, 0, 0, 5, 4, 1, 1, 0, 0},
        {1023, 0, 1023, 0, 6, 5, 0, 1, 1, 0},
        {2000, -300, 1023, 0, 6, 5, 0, 1, 1, 0},
        {0, 767, 0, 767, 7, 6, 1, 0, 0, 1},
        {-50, 800, 0, 767, 7, 6, 1, 0, 0, 1},
        {5000, 5000, 1023, 767, 8, 7, 0, 0, 1, 1},
    };
    pointer()->setCursorType(ActType::MeleeAct, -1, 0, 4, true); // icon 1, centred
    for (int size = 0; size < 2; ++size) {
        if (size == 1)
            arrows()->setSize(30, 20);
        const float w = arrows()->getWidth(), h = arrows()->getHeight();
        for (const Row& row : rows) {
            const std::string why = "at " + std::to_string(row.x) + ", " + std::to_string(row.y);
            moveTo(row.x, row.y);
            EXPECT_FLOAT_EQ(pointer()->getX(), row.atX) << why;
            EXPECT_FLOAT_EQ(pointer()->getY(), row.atY) << why;
            EXPECT_FLOAT_EQ(theRenderDriver->getPointerX(), row.atX / W) << why;
            EXPECT_FLOAT_EQ(theRenderDriver->getPointerY(), row.atY / H) << why;
            EXPECT_FLOAT_EQ(theKelInput->getMouseX(), row.atX) << why;
            EXPECT_FLOAT_EQ(theKelInput->getMouseY(), row.atY) << why;
            EXPECT_EQ(pointer()->getEdge(), row.edge) << why;
            if (row.edge == 0) {
                EXPECT_FALSE(arrows()->getVisible()) << why;
                EXPECT_EQ(shownImage(icon()), 1) << why;
                expectCentred(why);
            } else {
                EXPECT_FALSE(icon()->getVisible()) << why;
                EXPECT_EQ(shownImage(arrows()), row.image) << why;
                EXPECT_FLOAT_EQ(arrows()->getXPosition(), row.posW * w) << why;
                EXPECT_FLOAT_EQ(arrows()->getYPosition(), row.posH * h) << why;
                expectHotspot(w - row.right, h - row.bottom, why);
            }
            // Moved there again (nothing changes): the picture hangs from the hotspot.
            moveTo(row.x, row.y);
            EXPECT_FLOAT_EQ(pointer()->getPointerContainer()->getXPosition(),
                            row.atX - pointer()->getHotspotX())
                << why;
            EXPECT_FLOAT_EQ(pointer()->getPointerContainer()->getYPosition(),
                            row.atY - pointer()->getHotspotY())
                << why;
        }
    }
}

// With the hardware cursor the position is left as it is and the render driver is not told it;
// kel-input and the edge still follow.
TEST_F(GamePointer, TheHardwareCursorIsNeitherClampedNorPlacedByThePointer) {
    moveTo(300, 200);
    pointer()->setHardwareSupport(true);
    moveTo(2000, -40);
    EXPECT_FLOAT_EQ(pointer()->getX(), 2000);
    EXPECT_FLOAT_EQ(pointer()->getY(), -40);
    EXPECT_FLOAT_EQ(theRenderDriver->getPointerX(), 300 / 1024.0f);
    EXPECT_FLOAT_EQ(theRenderDriver->getPointerY(), 200 / 768.0f);
    EXPECT_FLOAT_EQ(theKelInput->getMouseX(), 2000);
    EXPECT_FLOAT_EQ(theKelInput->getMouseY(), -40);
    EXPECT_EQ(pointer()->getEdge(), 6);
    pointer()->setHardwareSupport(false);
}

// Mode 0 wins over everything, then an edge, then free-look, then the cursor type.
TEST_F(GamePointer, TheInterfaceLookWinsThenEdgeThenFreelookThenCursorType) {
    struct Row {
        int mode;
        bool atEdge;
        bool freelook;
        const char* look;
    };
    const Row rows[] = {
        {0, true, true, "interface"}, {0, false, true, "interface"}, {0, false, false, "interface"},
        {1, true, true, "arrows"},    {1, true, false, "arrows"},    {1, false, true, "freelook"},
        {1, false, false, "cursor"},
    };
    pointer()->setCursorType(ActType::MeleeAct, -1, 0, 5, true); // icon 4, centred
    for (const Row& row : rows) {
        const std::string why = std::string("mode ") + std::to_string(row.mode) +
                                (row.atEdge ? " edge" : "") + (row.freelook ? " freelook" : "");
        pointer()->setMode(row.mode);
        moveTo(row.atEdge ? 0 : 500, 300);
        pointer()->setFreelookMode(row.freelook);
        const std::string look = row.look;
        if (look == "interface") {
            EXPECT_EQ(shownImage(icon()), 5) << why;
            expectHotspot(0, 0, why);
        } else if (look == "arrows") {
            EXPECT_EQ(shownImage(icon()), -1) << why;
            EXPECT_EQ(shownImage(arrows()), 0) << why;
        } else if (look == "freelook") {
            EXPECT_EQ(shownImage(icon()), 0) << why;
            expectHotspot(0, 0, why);
        } else {
            EXPECT_EQ(shownImage(icon()), 4) << why;
            expectCentred(why);
        }
        if (look != "arrows") {
            EXPECT_FALSE(arrows()->getVisible()) << why;
        }
    }
}

// Indicator images of the act cursors: base by act type (0 -> 3, 1 -> 0, 2 -> 1, 3 -> 2), the
// affordable point at base + offset, the missing one at base + 4 + offset, offset 0 enabled and
// 8 disabled; the first min(pool, cost) show the point, the rest up to the cost (at most four)
// the missing point; no indicators without a pool (-1).
TEST_F(GamePointer, ActIndicatorsShowAffordableAndMissingPointsByActType) {
    struct Row {
        int cursor;
        int actType;
        int pool, cost;
        bool enabled;
        const char* indicators;
    };
    const Row rows[] = {
        {3, 0, 2, 3, true, "0:3 1:3 2:7"},
        {3, 0, 2, 3, false, "0:11 1:11 2:15"},
        {3, 1, 4, 4, true, "0:0 1:0 2:0 3:0"},
        {6, 1, 1, 3, false, "0:8 1:12 2:12"},
        {7, 2, 0, 2, true, "0:5 1:5"},
        {3, 2, 3, 1, false, "0:9"},
        {6, 3, 1, 4, true, "0:2 1:6 2:6 3:6"},
        {7, 3, 3, 2, false, "0:10 1:10"},
        {3, 0, 6, 6, true, "0:3 1:3 2:3 3:3"},
        {3, 0, 0, 0, true, ""},
        {3, 1, -1, 3, true, ""},
        {6, 2, -1, 2, false, ""},
    };
    for (const Row& row : rows) {
        pointer()->setCursorType(ActType(row.actType), row.pool, row.cost, row.cursor, row.enabled);
        EXPECT_EQ(indicators(), row.indicators)
            << "cursor " << row.cursor << " act type " << row.actType << " pool " << row.pool
            << " cost " << row.cost << (row.enabled ? "" : " disabled");
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
    kel::logic::Unit* knight = nullptr;
    kel::logic::Unit* archer = nullptr;
    kel::logic::Unit* priest = nullptr;
    for (kel::logic::Unit* unit : game.getBoard().getUnits()) {
        const std::string& name = unit->getInternalName();
        if (name == "knight")
            knight = unit;
        else if (name == "archer")
            archer = unit;
        else if (name == "priest")
            priest = unit;
    }
    ASSERT_TRUE(knight && archer && priest);
    ASSERT_EQ(knight->getActType(), ActType::MeleeAct);
    ASSERT_EQ(archer->getActType(), ActType::RangedAct);
    knight->addAct("Unnamed", 1, "");
    kel::logic::Unit stranger("dragon", nullptr, "knight"); // no attack names of its own
    stranger.setActType(ActType::MagicAct);
    stranger.addAct("Slash", 2, "");
    ASSERT_NE(priest->findAct("HelpMe"), nullptr);

    struct Row {
        kel::logic::Unit* unit;
        const char* act;
        int pool;
        bool enabled;
        int type;
        int icon;
        const char* indicators;
        const char* attackName;
    };
    const Row rows[] = {
        {knight, "ShieldBash", 2, true, 3, 3, "0:3 1:3 2:7", "[Shield Bash]"},
        {knight, "ShieldBash", 2, false, 3, 6, "0:11 1:11 2:15", "[Shield Bash]"},
        {knight, "Slash", 4, true, 3, 3, "0:3 1:3", "[Sword Slash]"},
        {archer, "Shoot", 1, true, 3, 3, "0:0 1:4", "[Aimed Shot]"},
        {knight, "Unnamed", 3, true, 3, 3, "0:3", "[Unnamed]"},    // no such act there
        {&stranger, "Slash", 1, true, 3, 3, "0:1 1:5", "[Slash]"}, // no such unit there
        {priest, "HelpMe", 3, true, 9, 13, "", "hidden"},
    };
    for (const Row& row : rows) {
        const std::string why = row.unit->getInternalName() + " " + row.act;
        row.unit->setActPool(row.pool);
        pointer()->setCursorType(row.unit->findAct(row.act), row.enabled);
        EXPECT_EQ(pointer()->getCursorType(), row.type) << why;
        EXPECT_EQ(shownImage(icon()), row.icon) << why;
        EXPECT_EQ(indicators(), row.indicators) << why;
        EXPECT_EQ(attackName(), row.attackName) << why;
        if (row.type == 9)
            expectCentred(why);
        else
            expectHotspot(0, 0, why);
    }

    // Given by numbers, the act has no name: the unit's names are not looked at.
    pointer()->setCursorType(knight->findAct("Slash"), true);
    pointer()->setCursorType(ActType::MeleeAct, 2, 2, 3, true);
    EXPECT_EQ(attackName(), "[]");
}

// The setters recompute the look only when the value changes; the two setCursorType with
// arguments always do. A recomputation is seen by the icon losing a picture put on it by hand.
TEST_F(GamePointer, TheLookIsRecomputedOnlyOnAChange) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    kel::logic::Act* act = game.getBoard().getUnits().front()->getActs().front().get();
    pointer()->setCursorType(ActType::MeleeAct, -1, 0, 2, true);
    enum Setter { MODE, TYPE, EDGE, FREELOOK, ACT, NUMBERS };
    struct Row {
        Setter setter;
        int value;
        bool recomputed;
    };
    const Row rows[] = {
        {MODE, 1, false},    {MODE, 0, true},      {MODE, 0, false},    {MODE, 1, true},
        {TYPE, 2, false},    {TYPE, 4, true},      {TYPE, 4, false},    {EDGE, 0, false},
        {EDGE, 3, true},     {EDGE, 3, false},     {EDGE, 0, true},     {FREELOOK, 0, false},
        {FREELOOK, 1, true}, {FREELOOK, 1, false}, {FREELOOK, 0, true}, {ACT, 0, true},
        {ACT, 0, true},      {NUMBERS, 4, true},   {NUMBERS, 4, true},
    };
    for (const Row& row : rows) {
        icon()->getSprite()->setImage(12);
        icon()->setVisible(true);
        switch (row.setter) {
        case MODE:
            pointer()->setMode(row.value);
            break;
        case TYPE:
            pointer()->setCursorType(row.value);
            break;
        case EDGE:
            pointer()->setEdge(row.value);
            break;
        case FREELOOK:
            pointer()->setFreelookMode(row.value != 0);
            break;
        case ACT:
            pointer()->setCursorType(act, true);
            break;
        case NUMBERS:
            pointer()->setCursorType(ActType::MeleeAct, -1, 0, row.value, true);
            break;
        }
        const bool untouched = icon()->getVisible() && icon()->getSprite()->getImage() == 12;
        EXPECT_EQ(!untouched, row.recomputed) << "setter " << row.setter << "(" << row.value << ")";
    }
}

TEST_F(GamePointer, PointerMovementIsScaledByTheMouseSensitivity) {
    profile::InputSettings* settings = nullptr;
    theProfile->getSettings(&settings);
    settings->mouseSensitivity = 2.5f;
    theKelInput->updateProfileSettings();
    EXPECT_FLOAT_EQ(pointer()->getXIncrease(4), 10);
    EXPECT_FLOAT_EQ(pointer()->getYIncrease(-2), -5);
    settings->mouseSensitivity = 1.0f;
    theKelInput->updateProfileSettings();
}

// The hardware cursor: a 64 x 64 picture of the shown parts on black, handed to the render
// driver with the hotspot in whole units; turning it off switches the window's cursor off and
// shows the pointer's own picture again.
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
    EXPECT_FLOAT_EQ(image->getLogicalWidth(), 64);
    EXPECT_FLOAT_EQ(image->getLogicalHeight(), 64);
    EXPECT_EQ(theRenderDriver->getHardwareCursorWidth(), 64);
    EXPECT_EQ(theRenderDriver->getHardwareCursorHeight(), 64);
    EXPECT_EQ(theRenderDriver->getHardwareCursorImage(), image->getRenderImage());
    EXPECT_EQ(theRenderDriver->getHardwareCursorHotspotX(), 19);
    EXPECT_EQ(theRenderDriver->getHardwareCursorHotspotY(), 11);
    EXPECT_FALSE(pointer()->getPointerContainer()->getVisible());
    EXPECT_TRUE(kel::ui::BoardTraceSwitch::getPointerVisible());

    // What the picture holds: "bar x,y wxh colour; " and "source x,y wxh from region; ".
    const auto box = [](float x, float y, float w, float h) {
        return std::to_string(int(x)) + "," + std::to_string(int(y)) + " " +
               std::to_string(int(w)) + "x" + std::to_string(int(h));
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
    EXPECT_EQ(theRenderWindow->getHardwareCursorSwitchCount(), switches + 1);
    EXPECT_FALSE(theRenderWindow->isHardwareCursorOn());
    EXPECT_EQ(pointer()->getHardwareImage(), nullptr);
    EXPECT_TRUE(pointer()->getPointerContainer()->getVisible());

    pointer()->setVisible(false);
    EXPECT_FALSE(kel::ui::BoardTraceSwitch::getPointerVisible());
    EXPECT_FALSE(pointer()->getPointerContainer()->getVisible());
}

} // namespace
