#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { resetAll(); }
    void TearDown() override { resetAll(); }
    static void resetAll() {
        sound::MANAGER->reset();
        theSoundManager->reset();
        theInsonificatorManager->reset();
        theLandInsonificator->reset();
    }
};

TEST_F(SoundTest, AFadeRunsFromItsStartToItsEndAndNeverOvershoots) {
    sound::MANAGER->volume("bgm", 0.5f);
    sound::MANAGER->startFading("bgm", 0, 1);
    EXPECT_TRUE(sound::MANAGER->isFading("bgm"));
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("bgm"), 0.0f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getAudibleVolume("bgm"), 0.0f);

    sound::MANAGER->doFading("bgm", 0.25f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("bgm"), 0.25f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getAudibleVolume("bgm"), 0.125f);
    sound::MANAGER->doFading("bgm", 3.0f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("bgm"), 1.0f) << "progress past the end";

    sound::MANAGER->endFading("bgm");
    EXPECT_FALSE(sound::MANAGER->isFading("bgm"));
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("bgm"), 1.0f);
    sound::MANAGER->doFading("bgm", 0.0f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("bgm"), 1.0f) << "no fade is running";
}

TEST_F(SoundTest, AFadeOutEndsSilentEvenWhenItsLastFrameCameEarly) {
    sound::MANAGER->startFading("bgm", 1, 0);
    sound::MANAGER->doFading("bgm", 0.6f);
    EXPECT_NEAR(sound::MANAGER->getFadeLevel("bgm"), 0.4f, 1e-6);
    sound::MANAGER->endFading("bgm");
    EXPECT_FLOAT_EQ(sound::MANAGER->getAudibleVolume("bgm"), 0.0f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getFadeLevel("ui"), 1.0f) << "other groups are untouched";
}

TEST_F(SoundTest, GroupsKeepTheirOwnVolumeSwitchAndPlayedSounds) {
    EXPECT_TRUE(sound::MANAGER->getEnabled("ui"));
    EXPECT_FLOAT_EQ(sound::MANAGER->getVolume("ui"), 1.0f);

    sound::MANAGER->volume("ui", 0.6f);
    sound::MANAGER->volume("bgm", 7.0f);
    sound::MANAGER->enable("ui", false);
    sound::MANAGER->play("ui", "focus", false);
    EXPECT_FLOAT_EQ(sound::MANAGER->getAudibleVolume("ui"), 0.0f);
    EXPECT_FLOAT_EQ(sound::MANAGER->getVolume("bgm"), 1.0f) << "clamped";

    sound::MANAGER->enable("ui", true);
    sound::MANAGER->play("ui", "click", false);
    sound::MANAGER->play("bgm", "lighthouse", true);
    sound::MANAGER->rewind("bgm", "lighthouse");

    const auto ui = sound::MANAGER->getPlayed("ui");
    ASSERT_EQ(ui.size(), 2u);
    EXPECT_EQ(ui[0].name, "focus");
    EXPECT_FALSE(ui[0].audible) << "played while the group was off";
    EXPECT_EQ(ui[1].name, "click");
    EXPECT_TRUE(ui[1].audible);
    EXPECT_FLOAT_EQ(sound::MANAGER->getAudibleVolume("ui"), 0.6f);

    const auto bgm = sound::MANAGER->getPlayed("bgm");
    ASSERT_EQ(bgm.size(), 1u);
    EXPECT_TRUE(bgm[0].loop);
    EXPECT_EQ(sound::MANAGER->getRewound("bgm"), std::vector<std::string>{"lighthouse"});
    EXPECT_TRUE(sound::MANAGER->getRewound("ui").empty());
    EXPECT_EQ(sound::MANAGER->getGroups(), (std::vector<std::string>{"bgm", "ui"}));
}

TEST_F(SoundTest, SoundClassesSwitchAndCountEveryCall) {
    using Classes = sound::InsonificatorManager;
    EXPECT_TRUE(theInsonificatorManager->getIsEnabled(Classes::Effects)) << "on by default";
    theInsonificatorManager->disable(Classes::Effects);
    theInsonificatorManager->disable(Classes::Effects);
    theInsonificatorManager->setVolume(Classes::Music, 0.7f);
    theInsonificatorManager->setVolume(Classes::Environment, -2.0f);

    EXPECT_FALSE(theInsonificatorManager->getIsEnabled(Classes::Effects));
    EXPECT_TRUE(theInsonificatorManager->getIsEnabled(Classes::Music));
    EXPECT_EQ(theInsonificatorManager->getSwitchCount(Classes::Effects), 2)
        << "a redundant disable is still a call a menu should not have made";
    EXPECT_EQ(theInsonificatorManager->getSwitchCount(Classes::Music), 0);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getVolume(Classes::Music), 0.7f);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getVolume(Classes::Environment), 0.0f);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getAudibleVolume(Classes::Effects), 0.0f);

    theInsonificatorManager->enable(Classes::Effects);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getAudibleVolume(Classes::Effects), 1.0f);
}

TEST_F(SoundTest, MusicAndLandscapeFollowTheCalls) {
    theSoundManager->startMusic("MenuMusic");
    theSoundManager->startMusic("MenuMusic");
    EXPECT_TRUE(theSoundManager->isMusicPlaying());
    EXPECT_EQ(theSoundManager->getMusicName(), "MenuMusic");
    EXPECT_EQ(theSoundManager->getMusicStartCount(), 1) << "the playing track does not restart";
    theSoundManager->quiet();
    EXPECT_FALSE(theSoundManager->isLoud());
    theSoundManager->stopMusic();
    EXPECT_FALSE(theSoundManager->isMusicPlaying());
    EXPECT_EQ(theSoundManager->getMusicName(), "");
    theSoundManager->startMusic("MenuMusic");
    EXPECT_EQ(theSoundManager->getMusicStartCount(), 2);
    theSoundManager->loud();
    EXPECT_TRUE(theSoundManager->isLoud());

    EXPECT_TRUE(theLandInsonificator->getEmulate3dSound());
    theLandInsonificator->emulate3dsound(false);
    theLandInsonificator->forceUpdate();
    theLandInsonificator->forceUpdate();
    EXPECT_FALSE(theLandInsonificator->getEmulate3dSound());
    EXPECT_EQ(theLandInsonificator->getForceUpdateCount(), 2);
}

TEST_F(SoundTest, CallsFromSeveralThreadsAreAllKept) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 500; ++i) {
                sound::MANAGER->play("ui", "click", false);
                sound::MANAGER->volume("ui", static_cast<float>(t) / 4);
                theInsonificatorManager->disable(t);
                theLandInsonificator->forceUpdate();
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(sound::MANAGER->getPlayed("ui").size(), 2000u);
    EXPECT_EQ(theLandInsonificator->getForceUpdateCount(), 2000);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(theInsonificatorManager->getSwitchCount(t), 500);
}

} // namespace
