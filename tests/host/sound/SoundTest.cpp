#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"

#include <gtest/gtest.h>

#include <sstream>
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
    // A voice group as "volume fade audible on fading".
    static std::string group(const std::string& name) {
        std::ostringstream text;
        text << sound::MANAGER->getVolume(name) << " " << sound::MANAGER->getFadeLevel(name) << " "
             << sound::MANAGER->getAudibleVolume(name) << " " << sound::MANAGER->getEnabled(name)
             << sound::MANAGER->isFading(name);
        return text.str();
    }
};

TEST_F(SoundTest, AFadeRunsFromItsStartToItsEndAndNeverOvershoots) {
    EXPECT_EQ(group("ui"), "1 1 1 10") << "a group starts on, at volume 1 and fade level 1";
    sound::MANAGER->volume("bgm", 0.5f);
    sound::MANAGER->startFading("bgm", 0, 1);
    EXPECT_EQ(group("bgm"), "0.5 0 0 11");
    sound::MANAGER->doFading("bgm", 0.25f);
    EXPECT_EQ(group("bgm"), "0.5 0.25 0.125 11");
    sound::MANAGER->doFading("bgm", 3.0f);
    EXPECT_EQ(group("bgm"), "0.5 1 0.5 11") << "progress past the end";
    sound::MANAGER->endFading("bgm");
    sound::MANAGER->doFading("bgm", 0.0f);
    EXPECT_EQ(group("bgm"), "0.5 1 0.5 10") << "no fade is running";

    // A fade out ends silent even when its last frame came early.
    sound::MANAGER->startFading("bgm", 1, 0);
    sound::MANAGER->doFading("bgm", 0.5f);
    EXPECT_EQ(group("bgm"), "0.5 0.5 0.25 11");
    sound::MANAGER->endFading("bgm");
    sound::MANAGER->endFading("bgm");
    EXPECT_EQ(group("bgm"), "0.5 0 0 10");
    EXPECT_EQ(group("ui"), "1 1 1 10") << "other groups are untouched";
}

TEST_F(SoundTest, GroupsKeepTheirOwnVolumeSwitchAndPlayedSounds) {
    sound::MANAGER->volume("ui", 0.6f);
    sound::MANAGER->volume("bgm", 7.0f);
    sound::MANAGER->enable("ui", false);
    sound::MANAGER->play("ui", "focus", false);
    EXPECT_EQ(group("ui"), "0.6 1 0 00");
    EXPECT_EQ(group("bgm"), "1 1 1 10") << "clamped";

    sound::MANAGER->enable("ui", true);
    sound::MANAGER->play("ui", "click", false);
    sound::MANAGER->play("bgm", "lighthouse", true);
    sound::MANAGER->rewind("bgm", "lighthouse");
    EXPECT_EQ(group("ui"), "0.6 1 0.6 10");
    // name, loop, audible when played
    std::string played;
    for (const char* name : {"ui", "bgm"})
        for (const auto& sound : sound::MANAGER->getPlayed(name))
            played += sound.name + std::to_string(sound.loop) + std::to_string(sound.audible) + " ";
    EXPECT_EQ(played, "focus00 click01 lighthouse11 ");
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
    EXPECT_EQ(theInsonificatorManager->getSwitchCount(Classes::Effects), 2)
        << "a redundant disable is still a call a menu should not have made";
    EXPECT_EQ(theInsonificatorManager->getSwitchCount(Classes::Music), 0);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getAudibleVolume(Classes::Music), 0.7f);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getVolume(Classes::Environment), 0.0f);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getAudibleVolume(Classes::Effects), 0.0f);
    theInsonificatorManager->enable(Classes::Effects);
    EXPECT_FLOAT_EQ(theInsonificatorManager->getAudibleVolume(Classes::Effects), 1.0f);
}

TEST_F(SoundTest, MusicAndLandscapeFollowTheCalls) {
    const auto music = [] {
        return theSoundManager->getMusicName() + " " +
               std::to_string(theSoundManager->isMusicPlaying()) +
               std::to_string(theSoundManager->isLoud()) + " " +
               std::to_string(theSoundManager->getMusicStartCount());
    };
    theSoundManager->startMusic("MenuMusic");
    theSoundManager->startMusic("MenuMusic");
    theSoundManager->quiet();
    EXPECT_EQ(music(), "MenuMusic 10 1") << "the playing track does not restart";
    theSoundManager->stopMusic();
    EXPECT_EQ(music(), " 00 1");
    theSoundManager->startMusic("MenuMusic");
    theSoundManager->loud();
    EXPECT_EQ(music(), "MenuMusic 11 2");

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
