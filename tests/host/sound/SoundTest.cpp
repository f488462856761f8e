#include "host/engine/Timer.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundCatalogue.h"
#include "host/sound/SoundManager.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
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
        theTimer->reset();
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

// Calls with the shipped catalogue's names and with names it does not know: whether the call is
// reported, and what it did (the music, the groups that came to be, the switches of class 3).
TEST_F(SoundTest, UnknownTracksGroupsSoundsAndClassesAreReportedAndChangeNothing) {
    using sound::MANAGER;
    const struct {
        const char* call;
        std::function<void()> make;
        bool reported;
        const char* after;
    } rows[] = {
        {"known track", [] { theSoundManager->startMusic("MenuMusic"); }, false, "MenuMusic|0"},
        {"unknown track", [] { theSoundManager->startMusic("BattleHymn"); }, true, "|0"},
        {"known sound", [] { MANAGER->play("ui", "focus", false); }, false, "|0ui"},
        {"unknown group", [] { MANAGER->play("sfx", "focus", false); }, true, "|0"},
        {"sound of another group", [] { MANAGER->play("bgm", "focus", false); }, true, "|0"},
        {"unknown sound", [] { MANAGER->rewind("ui", "explosion"); }, true, "|0"},
        {"volume", [] { MANAGER->volume("voices", 0.5f); }, true, "|0"},
        {"enable", [] { MANAGER->enable("voices", true); }, true, "|0"},
        {"fade", [] { MANAGER->startFading("music", 0, 1); }, true, "|0"},
        {"fade step", [] { MANAGER->doFading("music", 0.5f); }, true, "|0"},
        {"fade end", [] { MANAGER->endFading("music"); }, true, "|0"},
        {"known class", [] { theInsonificatorManager->disable(3); }, false, "|1"},
        {"unknown class", [] { theInsonificatorManager->enable(7); }, true, "|0"},
        {"unknown class volume", [] { theInsonificatorManager->setVolume(-1, 0.f); }, true, "|0"},
    };
    for (const auto& row : rows) {
        resetAll();
        kel::test::LogCapture log;
        row.make();
        std::string after = theSoundManager->getMusicName() + "|" +
                            std::to_string(theInsonificatorManager->getSwitchCount(3) +
                                           theInsonificatorManager->getSwitchCount(7));
        for (const std::string& name : sound::MANAGER->getGroups())
            after += name;
        const auto records = log.take();
        EXPECT_EQ(records.size(), row.reported ? 1u : 0u) << row.call;
        for (const auto& record : records)
            EXPECT_EQ(record.filter, "sound") << row.call;
        EXPECT_EQ(after, row.after) << row.call;
        EXPECT_FLOAT_EQ(theInsonificatorManager->getVolume(-1), 1.0f) << row.call;
    }
}

// What the player hears of the music: one level from the music group's volume and fade, the
// Music class's volume and switch, and loud or quiet (the shipped quiet level is 0.4).
TEST_F(SoundTest, TheHeardMusicCombinesGroupClassAndLoudness) {
    const struct {
        bool playing;
        float groupVolume, fade, classVolume;
        bool groupOn, classOn, loud;
        float heard;
    } rows[] = {
        {true, 1, 1, 1, true, true, true, 1.0f},
        {false, 1, 1, 1, true, true, true, 0.0f},
        {true, 0.5f, 1, 1, true, true, true, 0.5f},
        {true, 0.5f, 1, 0.5f, true, true, true, 0.25f},
        {true, 1, 1, 1, true, true, false, 0.4f},
        {true, 1, 0.5f, 1, true, true, false, 0.2f},
        {true, 1, 1, 1, true, false, true, 0.0f},
        {true, 1, 1, 1, false, true, true, 0.0f},
        {true, 0.5f, 1, 0.5f, true, true, false, 0.1f},
    };
    for (const auto& row : rows) {
        resetAll();
        if (row.playing)
            theSoundManager->startMusic("MenuMusic");
        sound::MANAGER->volume("bgm", row.groupVolume);
        sound::MANAGER->startFading("bgm", 0, 1);
        sound::MANAGER->doFading("bgm", row.fade);
        sound::MANAGER->enable("bgm", row.groupOn);
        theInsonificatorManager->setVolume(sound::InsonificatorManager::Music, row.classVolume);
        if (!row.classOn)
            theInsonificatorManager->disable(sound::InsonificatorManager::Music);
        theInsonificatorManager->disable(sound::InsonificatorManager::Effects);
        if (!row.loud)
            theSoundManager->quiet();
        EXPECT_FLOAT_EQ(theSoundManager->getHeardMusic(), row.heard)
            << row.playing << " " << row.groupVolume << " " << row.fade << " " << row.classVolume
            << " " << row.groupOn << row.classOn << row.loud;
    }
}

// Sounds last their catalogue length on the host clock ("focus" 0.15 s, "click" 0.1 s); a
// looping one goes on; a rewind starts the length again. Which play after each step.
TEST_F(SoundTest, ASoundEndsAfterItsLengthUnlessItLoops) {
    const auto playing = [] {
        std::string names;
        for (const auto& [group, name] : {std::pair<const char*, const char*>{"ui", "focus"},
                                          {"ui", "click"},
                                          {"bgm", "lighthouse"}})
            if (sound::MANAGER->isPlaying(group, name))
                names += std::string(name) + " ";
        return names;
    };
    sound::MANAGER->play("ui", "focus", false);
    sound::MANAGER->play("ui", "click", false);
    sound::MANAGER->play("bgm", "lighthouse", true);
    EXPECT_EQ(playing(), "focus click lighthouse ");
    theTimer->advance(0.12);
    EXPECT_EQ(playing(), "focus lighthouse ");
    sound::MANAGER->rewind("ui", "focus");
    theTimer->advance(0.12);
    EXPECT_EQ(playing(), "focus lighthouse ") << "rewound at 0.12 s";
    theTimer->advance(0.05);
    EXPECT_EQ(playing(), "lighthouse ");
    theTimer->advance(1000);
    EXPECT_EQ(playing(), "lighthouse ");
}

// Mistakes in a catalogue: its text; where they are reported ("line:column "); whether "focus"
// and "click" of group "ui" can then be played, and the quiet level.
TEST_F(SoundTest, ACatalogueWithMistakesIsReportedAtTheirPlacesAndKeepsTheRest) {
    const struct {
        const char *text, *reported, *known;
    } rows[] = {
        {"classes {\n Effects = x\n}\ngroups {\n ui { class = Effects; sounds { focus = 0.1 } "
         "}\n}\n",
         "2:2 5:7 ", "10 0.4"},
        {"classes { Effects = 0 }\ngroups {\n ui {\n  sounds { focus = 0; click = -1 }\n }\n}\n",
         "3:2 4:12 4:23 ", "00 0.4"},
        {"quietLevel = 2\nclasses { Effects = 0 }\ngroups { ui { class = Effects; sounds { click = "
         "1 } } }\n",
         "1:1 ", "01 0.4"},
        {"quietLevel = 0.25\n", "", "00 0.25"},
        {"quietLevel = 0.25\ngroups {\n ui { class = Effects; sounds { focus = 1 } }\n", "4:1 ",
         "00 0.4"},
    };
    for (const auto& row : rows) {
        kel::test::TempRoots roots;
        std::filesystem::create_directories(roots.data / "Configs/Sound");
        std::ofstream(roots.data / "Configs/Sound/sounds.cfg") << row.text;
        kel::test::LogCapture log;
        std::ostringstream known;
        known << sound::SoundCatalogue::instance().getQuietLevel();
        std::string reported;
        for (const auto& record : log.take())
            reported += std::to_string(record.line) + ":" + std::to_string(record.column) + " ";
        EXPECT_EQ(reported, row.reported) << row.text;
        std::string names;
        for (const char* name : {"focus", "click"})
            names += sound::SoundCatalogue::instance().checkSound("ui", name) ? "1" : "0";
        EXPECT_EQ(names + " " + known.str(), row.known) << row.text;
    }
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
