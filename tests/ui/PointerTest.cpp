#include "support/RootFixture.h"

#include "host/engine/Image2D.h"
#include "host/engine/RenderWindow.h"
#include "host/logic/Act.h"
#include "host/logic/Game.h"
#include "host/logic/Unit.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Sprite.h"
#include "host/ui/SpriteComponent.h"

namespace {

class GamePointer : public kel::test::RootFixture {
protected:
    ::ui::SpriteComponent* sprite(const char* name) {
        return dynamic_cast<::ui::SpriteComponent*>(
            pointer()->getPointerContainer()->getComponent(name));
    }
    // "indicator i: image" for the shown indicators.
    std::string indicators() {
        std::string shown;
        for (int i = 0; i < 4; ++i) {
            auto* indicator = sprite(("indicator" + std::to_string(i)).c_str());
            if (indicator->getVisible())
                shown += std::to_string(i) + ":" +
                         std::to_string(indicator->getSprite()->getImage()) + " ";
        }
        return shown;
    }
    std::string attackName() {
        auto* text = dynamic_cast<::ui::BothTextSprite*>(
            pointer()->getPointerContainer()->getComponent("attackName"));
        return text->getVisible() ? text->getText() : "(hidden)";
    }
};

TEST_F(GamePointer, ClampsToTheScreenAndReportsEdgesCornersFirst) {
    const float w = root->getScreenWidth(), h = root->getScreenHeight();
    moveTo(w + 500, 200);
    EXPECT_FLOAT_EQ(pointer()->getX(), w - 1);
    EXPECT_EQ(pointer()->getEdge(), 2);
    moveTo(w - 1, -40);
    EXPECT_EQ(pointer()->getEdge(), 6) << "top-right, not top";
    moveTo(-3, h + 3);
    EXPECT_EQ(pointer()->getEdge(), 7);
    moveTo(200, 200);
    EXPECT_EQ(pointer()->getEdge(), 0);
    EXPECT_FLOAT_EQ(theRenderDriver->getPointerX(), 200 / w);
    EXPECT_FLOAT_EQ(theKelInput->getMouseX(), 200);
}

TEST_F(GamePointer, TheLookIsRecomputedOnlyOnChangeAndEdgesWinOnTheBoard) {
    root->setState(kel::ui::State::GAME);
    const int before = pointer()->getAppearanceCount();
    pointer()->setMode(1);
    pointer()->setMode(1);
    EXPECT_EQ(pointer()->getAppearanceCount(), before);
    moveTo(0, 200);
    EXPECT_TRUE(sprite("arrows")->getVisible());
    EXPECT_EQ(sprite("arrows")->getSprite()->getImage(), 0);
    EXPECT_FALSE(sprite("icon")->getVisible());
    EXPECT_FLOAT_EQ(pointer()->getHotspotX(), sprite("arrows")->getWidth());
    moveTo(300, 200);
    pointer()->setFreelookMode(true);
    EXPECT_EQ(sprite("icon")->getSprite()->getImage(), 0);
    pointer()->setMode(0);
    EXPECT_EQ(sprite("icon")->getSprite()->getImage(), 5) << "the interface look wins";
}

TEST_F(GamePointer, ActCursorsShowIndicatorsAndTheAttackName) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    root->setState(kel::ui::State::GAME);
    kel::logic::Unit* knight = nullptr;
    kel::logic::Unit* priest = nullptr;
    for (kel::logic::Unit* unit : game.getBoard().getUnits()) {
        if (unit->getInternalName() == "knight")
            knight = unit;
        if (unit->getInternalName() == "priest")
            priest = unit;
    }
    ASSERT_TRUE(knight && priest);

    knight->setActPool(2);
    pointer()->setCursorType(knight->findAct("ShieldBash"), true); // cost 3
    EXPECT_EQ(pointer()->getCursorType(), 3);
    EXPECT_EQ(sprite("icon")->getSprite()->getImage(), 3);
    // Melee act: image base 3; two affordable points, one missing, the fourth hidden.
    EXPECT_EQ(indicators(), "0:3 1:3 2:7 ");
    EXPECT_EQ(attackName(), "Shield Bash");

    pointer()->setCursorType(knight->findAct("ShieldBash"), false);
    EXPECT_EQ(indicators(), "0:11 1:11 2:15 ") << "the disabled look adds 8";
    EXPECT_EQ(sprite("icon")->getSprite()->getImage(), 6);

    pointer()->setCursorType(kel::logic::ActType(1), -1, 3, 6, true);
    EXPECT_EQ(indicators(), "") << "no indicators without a pool";
    EXPECT_EQ(attackName(), "(hidden)");

    pointer()->setCursorType(priest->findAct("HelpMe"), true);
    EXPECT_EQ(pointer()->getCursorType(), 9);
    EXPECT_EQ(sprite("icon")->getSprite()->getImage(), 13);
    EXPECT_EQ(indicators(), "");
    EXPECT_FLOAT_EQ(pointer()->getHotspotX(), sprite("icon")->getWidth() / 2 - 1);

    knight->addAct("Unnamed", 1, "");
    pointer()->setCursorType(knight->findAct("Unnamed"), true);
    EXPECT_EQ(attackName(), "Unnamed") << "without an entry the internal name is shown";
}

TEST_F(GamePointer, HardwareSupportComposesTheCursorImage) {
    pointer()->setHardwareSupport(true);
    EXPECT_FALSE(pointer()->getPointerContainer()->getVisible());
    ASSERT_NE(pointer()->getHardwareImage(), nullptr);
    EXPECT_EQ(theRenderDriver->getHardwareCursorWidth(), 64);
    EXPECT_EQ(theRenderDriver->getHardwareCursorImage(), pointer()->getHardwareImage());
    const auto& drawn = pointer()->getHardwareImage()->getDrawOperations();
    ASSERT_GE(drawn.size(), 2u) << "the background bar and the icon";
    pointer()->setHardwareSupport(false);
    EXPECT_FALSE(theRenderWindow->isHardwareCursorOn());
    EXPECT_EQ(pointer()->getHardwareImage(), nullptr);
}

} // namespace
