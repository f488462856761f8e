// The loading screen: pictures by mission, the bar's steps and forced frames, the pointer and
// the black behind it, and what the board reports while it listens.
#include "ui/Loading.h"
#include "support/RootFixture.h"

#include "host/logic/Game.h"
#include "host/ui/Plane.h"
#include "host/ui/SpriteComponent.h"
#include <tuple>

namespace {

using kel::ui::Loading;

class LoadingScreen : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        loading = kel::ui::theAccessor.getLoading();
        ASSERT_NE(loading, nullptr);
        gadget = dynamic_cast<::ui::SpriteComponent*>(loading->getComponent("gadget"));
        back = dynamic_cast<::ui::SpriteComponent*>(loading->getComponent("back"));
        ASSERT_TRUE(gadget && back);
    }
    void TearDown() override {
        if (game.getBoard().hasListener(loading))
            loading->finishLoading(&game.getBoard());
        RootFixture::TearDown();
    }
    // The part of the bar that shows, in percent of its width.
    float bar() const { return gadget->getPlane()->getRegion()[2] * 100 / gadget->getWidth(); }
    unsigned long forced() const { return theRenderDriver->getForcedFrameCount(); }

    kel::logic::Game game;
    Loading* loading = nullptr;
    ::ui::SpriteComponent* gadget = nullptr;
    ::ui::SpriteComponent* back = nullptr;
};

TEST_F(LoadingScreen, PicturesFollowTheMissionAndTheScreenIsUpBeforeLoading) {
    const std::pair<const char*, std::string> kRows[] = {
        {"Garden", "garden"},         {"Eden", "another"},   {"Swamp", "swamp"},
        {"OdinsTower", "odinstower"}, {"garden", "another"}, {"", "another"}};
    for (const auto& [mission, picture] : kRows) {
        SCOPED_TRACE(mission);
        const unsigned long before = forced();
        loading->preStartLoading(mission);
        EXPECT_EQ(back->getPlane()->getImageName() + " " + gadget->getPlane()->getImageName(),
                  "/Images/Loading/" + picture + ".tga /Images/Loading/bar_" + picture + ".tga");
        EXPECT_TRUE(loading->isShowed() && theRenderDriver->isLoading());
        EXPECT_EQ(forced(), before + 1);
        EXPECT_EQ(bar(), 0);
        loading->finishLoading(&game.getBoard());
        EXPECT_FALSE(theRenderDriver->isLoading());
    }
}

// Each report: the bar afterwards and whether it drew a frame. Weights 30 and 70.
TEST_F(LoadingScreen, TheBarStepsAtTenPercentThresholdsAndCatchesUpAJump) {
    loading->preStartLoading("Garden");
    loading->startLoading(&game.getBoard(), {30, 70});
    // the report, its progress; the bar then, whether it drew
    const std::tuple<std::string, float, float, bool> kRows[] = {
        {"start", 0, 0, true},         // phase 0 at 0 %: past -1
        {"progress", 0.5f, 15, true},  // past 9
        {"progress", 0.6f, 15, false}, // 18 is not past 19
        {"finish", 1, 30, true},       // past 19
        {"start", 0, 30, true},        // phase 1 at 30 %: past 29
        {"progress", 0.1f, 30, false}, // 37 is not past 39
        {"progress", 0.2f, 44, true},  // past 39
        {"progress", 1.0f, 100, true}, // a jump to the end: one step per report
        {"progress", 1.0f, 100, true}, // past 59
        {"progress", 1.0f, 100, true}, // past 69
        {"progress", 1.0f, 100, true}, // past 79
        {"progress", 1.0f, 100, true}, // past 89
        {"finish", 1, 100, true},      // past 99
        {"finish", 1, 100, false},     // 100 is not past 109
    };
    for (const auto& [report, progress, shown, draws] : kRows) {
        const unsigned long before = forced();
        if (report == "start")
            loading->startLoadPhase();
        else if (report == "finish")
            loading->finishLoadPhase();
        else
            loading->setLoadProgress(progress);
        EXPECT_NEAR(bar(), shown, 0.01) << report << " " << progress;
        EXPECT_EQ(forced() - before, draws ? 1u : 0u) << report << " " << progress;
    }
}

// Weights over 100 keep the bar at full width; more phases than weights and progress before
// any phase read nothing beyond the weights and leave the bar as it was.
TEST_F(LoadingScreen, TheBarNeverOverflowsNorReadsBeyondItsWeights) {
    loading->preStartLoading("Den");
    loading->startLoading(&game.getBoard(), {80, 80});
    loading->setLoadProgress(0.5f); // before the first phase
    EXPECT_EQ(bar(), 0);
    for (int phase = 0; phase < 4; ++phase) {
        loading->startLoadPhase();
        loading->finishLoadPhase();
    }
    for (int i = 0; i < 10; ++i)
        loading->setLoadProgress(1.0f);
    EXPECT_FLOAT_EQ(gadget->getPlane()->getRegion()[2], gadget->getWidth());
}

// The real board loading a map: the screen listens from startLoading to finishLoading, the bar
// ends full, the pointer is hidden and the engine draws black behind the screen meanwhile.
TEST_F(LoadingScreen, ListensToTheBoardWhileItLoadsAndHidesThePointer) {
    root->command(kel::ui::Command::BEGIN_LOADING);
    pointer()->setVisible(true);
    loading->preStartLoading("Lighthouse");
    EXPECT_FALSE(pointer()->getVisible());
    EXPECT_TRUE(theRenderDriver->isBackgroundEnabled());
    const config::Color black = theRenderDriver->getBackground();
    EXPECT_TRUE(black.r == 0 && black.g == 0 && black.b == 0 && black.a == 1);
    loading->startLoading(&game.getBoard(), {20, 30, 50});
    EXPECT_TRUE(game.getBoard().hasListener(loading));
    const unsigned long before = forced();
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    EXPECT_GE(forced() - before, 10u) << "a frame per step of the bar";
    EXPECT_FLOAT_EQ(bar(), 100);
    loading->finishLoading(&game.getBoard());
    EXPECT_EQ(std::make_tuple(game.getBoard().hasListener(loading), loading->isShowed(),
                              pointer()->getVisible(), theRenderDriver->isBackgroundEnabled()),
              std::make_tuple(false, false, true, false));
}

} // namespace
