#include "ui/Sky.h"
#include "support/UiFixture.h"

#include "host/config/Config.h"
#include "host/engine/Camera.h"
#include "host/engine/SEFading.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"

#include <algorithm>
#include <sstream>

namespace {

class SkyTest : public kel::test::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        sky = new kel::ui::Sky();
        ui->addComponent(sky);
    }
    View* ownView() { return sky->getScene().getView(); }
    std::string name(const View* view) { return view == ownView() ? "own" : "board"; }
    // Where the fade lies and at which value: "0.6@own", or "none".
    std::string fade() {
        std::ostringstream out;
        for (View* view : {ownView(), static_cast<View*>(&board)})
            if (view->hasObject(sky->getFading()))
                out << (out.tellp() ? " " : "") << sky->getFading()->getValue() << "@"
                    << name(view);
        EXPECT_EQ(sky->isFadingRegistered(), out.tellp() > 0);
        return out.tellp() ? out.str() : "none";
    }
    // What is drawn: the own scene, and each view the environment is drawn in.
    std::string drawn() {
        std::string out = sky->getScene().isActive() ? "scene" : "-";
        for (const View* view : sky->getEnvironment()->getViews())
            out += " env@" + name(view);
        return out;
    }
    kel::ui::Sky* sky = nullptr;
    Camera boardCamera;
    View board{&boardCamera, Viewport(), "board"};
};

// The five fading patterns, with the fade level L = 0.6: the opacity at the start and at
// progress p (above 1 counting as 1). An opacity above 0 lays the fade object over the current
// view with that value; 0 takes it out; the last step (p of 1 or more) ends the fade.
TEST_F(SkyTest, EveryFadePatternAtEveryProgressInTheCurrentView) {
    constexpr float L = 0.6f;
    const std::pair<float, float (*)(float)> kPatterns[] = {
        {0, [](float p) { return L * p; }},
        {L, [](float p) { return (1 - L) * p + L; }},
        {L, [](float p) { return (1 - p) * L; }},
        {1, [](float p) { return 1 - p; }},
        {0, [](float p) { return p; }}};
    sky->setVisible(true);
    for (View* view : {ownView(), static_cast<View*>(&board)}) {
        sky->setCustomView(view == ownView() ? nullptr : view);
        auto at = [&](float opacity) {
            std::ostringstream out;
            out << opacity << "@" << name(view);
            return opacity > 0 ? out.str() : "none";
        };
        for (int type = 1; type <= 5; ++type) {
            const auto& [start, pattern] = kPatterns[type - 1];
            for (float p : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f, 1.5f}) {
                SCOPED_TRACE("type " + std::to_string(type) + " at " + std::to_string(p) + " in " +
                             name(view));
                sky->startFading(type);
                EXPECT_EQ(sky->getFadingType(), type);
                EXPECT_EQ(fade(), at(start));
                sky->doFading(p);
                const float opacity = pattern(std::min(p, 1.0f));
                EXPECT_EQ(fade(), at(opacity));
                EXPECT_EQ(sky->getFadingType(), p >= 1 ? 0 : type);
                if (p < 1)
                    continue;
                sky->doFading(0.5f); // the fade is over: nothing changes any more
                EXPECT_EQ(fade(), at(opacity));
            }
        }
        sky->startFading(4);
        sky->doFading(1); // nothing left in the view
    }
    sky->setCustomView(nullptr);
}

// A fade on screen leaves the old view when the view changes; its next step lies over the new one.
TEST_F(SkyTest, ChangingTheViewMovesTheFade) {
    sky->setVisible(true);
    sky->startFading(2);
    EXPECT_EQ(fade(), "0.6@own");
    sky->setCustomView(&board);
    EXPECT_EQ(fade(), "none");
    sky->doFading(0.5f);
    EXPECT_EQ(fade(), "0.8@board");
    sky->setCustomView(nullptr);
    EXPECT_EQ(fade(), "none");
    sky->doFading(1.0f);
    EXPECT_EQ(fade(), "1@own");
    EXPECT_EQ(sky->getFadingType(), 0);
}

TEST_F(SkyTest, TheDrawingFollowsTheShownStateTheCustomViewAndTheEnvironmentSwitch) {
    EXPECT_EQ(sky->getScene().getSetup(), "uisky") << "its own scene as scenes.cfg sets it up";
    sky->setEnvironmentVisible(false); // while hidden: nothing happens in any view
    EXPECT_EQ(drawn(), "-");
    sky->setVisible(true);
    EXPECT_EQ(drawn(), "scene") << "only the scene, the environment is off";
    sky->setEnvironmentVisible(true);
    EXPECT_EQ(drawn(), "scene env@own");
    sky->setCustomView(&board);
    EXPECT_EQ(drawn(), "- env@board");
    sky->setVisible(false);
    EXPECT_EQ(drawn(), "-");
    sky->setCustomView(nullptr);
}

TEST_F(SkyTest, AMapSkyKeepsItsConfigurationAndSetsTheFogColour) {
    config::Config map;
    ASSERT_TRUE(map.readString("sky = Eden\ndayTime = 600\n", "map.cfg"));
    theSphereVertexFogManager->setFogColor(config::Color(1, 1, 1, 1));
    sky->loadConfiguration(&map);
    EXPECT_EQ(theSphereVertexFogManager->getFogColor(), config::Color(0, 0, 0, 1));
    EXPECT_EQ(sky->getEnvironment()->getSkyName(), "Eden");
    config::Block back;
    sky->saveConfiguration(&back);
    int minutes = 0;
    EXPECT_TRUE(back.getProperty("dayTime", &minutes));
    EXPECT_EQ(minutes, 600);
}

} // namespace
