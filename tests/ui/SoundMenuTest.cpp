#include "ui/SoundMenu.h"
#include "support/ScreenUnderTest.h"

#include "host/logic/Game.h"
#include "host/profile/Profile.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"

#include <array>
#include <tuple>

namespace {

using kel::ui::SoundMenu;
using profile::SoundSettings;

// The sounds of the page: its container, the sound class and voice group it drives, and its
// fields in the profile's sound settings.
struct Channel {
    const char *group, *voices; // voices null: no voice group
    int soundClass;
    float SoundSettings::*volume;
    bool SoundSettings::*on;
};
const Channel kChannels[] = {
    {"music", "bgm", 3, &SoundSettings::musicVolume, &SoundSettings::musicOn},
    {"effects", "ui", 0, &SoundSettings::effectsVolume, &SoundSettings::effectsOn},
    {"environment", nullptr, 1, &SoundSettings::environmentVolume, &SoundSettings::environmentOn},
};

SoundSettings* settings() {
    SoundSettings* s = nullptr;
    theProfile->getSettings(&s);
    return s;
}

// Whether each sound class was on and how often it had been switched.
struct Classes {
    Classes() {
        for (int c = 0; c < 4; ++c) {
            enabled[c] = theInsonificatorManager->getIsEnabled(c);
            switches[c] = theInsonificatorManager->getSwitchCount(c);
        }
    }
    bool enabled[4];
    int switches[4];
};

class SoundPage : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        menu = dynamic_cast<SoundMenu*>(root->getDescendant("soundmenu"));
        ASSERT_NE(menu, nullptr);
    }
    template <class T> T* part(const char* group, const char* name) {
        return dynamic_cast<T*>(
            dynamic_cast<::ui::Container*>(menu->getComponent(group))->getComponent(name));
    }
    ::ui::HSlider* slider(const Channel& c) { return part<::ui::HSlider>(c.group, "scroll"); }
    ::ui::CheckBox* box(const Channel& c) { return part<::ui::CheckBox>(c.group, "check"); }
    ::ui::CheckBox* quality() {
        return dynamic_cast<::ui::CheckBox*>(menu->getComponent("check_3d_quality"));
    }
    // A click on the box itself, at the left of its text.
    void tick(::ui::Component* c) {
        clickAt(c->getAbsoluteX() + 6, c->getAbsoluteY() + c->getHeight() / 2);
    }
    // The profile's settings reached the sound modules: volumes and switches of every class
    // and group, each class switched only when its state had to change, and 3D emulation.
    void expectApplied(const Classes& before) {
        const SoundSettings* s = settings();
        for (const Channel& c : kChannels) {
            SCOPED_TRACE(c.group);
            const bool on = s->*c.on;
            EXPECT_NEAR(theInsonificatorManager->getVolume(c.soundClass), s->*c.volume, 1e-5);
            EXPECT_EQ(theInsonificatorManager->getIsEnabled(c.soundClass), on);
            EXPECT_EQ(theInsonificatorManager->getSwitchCount(c.soundClass) -
                          before.switches[c.soundClass],
                      before.enabled[c.soundClass] != on ? 1 : 0);
            if (c.voices) {
                EXPECT_NEAR(sound::MANAGER->getVolume(c.voices), s->*c.volume, 1e-5);
                EXPECT_EQ(sound::MANAGER->getEnabled(c.voices), on);
            }
        }
        EXPECT_EQ(theLandInsonificator->getEmulate3dSound(), !s->quality3d);
    }

    SoundMenu* menu = nullptr;
};

TEST_F(SoundPage, ShowingSetsEveryControlFromTheProfile) {
    const std::tuple<std::array<float, 3>, const char*, bool> rows[] = {
        {{0.3f, 0.5f, 0.9f}, "010", false}, {{1.0f, 0.0f, 0.2f}, "101", true}};
    for (const auto& [volumes, on, quality3d] : rows) {
        for (int i = 0; i < 3; ++i) {
            settings()->*kChannels[i].volume = volumes[i];
            settings()->*kChannels[i].on = on[i] == '1';
        }
        settings()->quality3d = quality3d;
        menu->setVisible(true);
        for (int i = 0; i < 3; ++i) {
            const Channel& c = kChannels[i];
            EXPECT_FLOAT_EQ(slider(c)->getMin(), 0);
            EXPECT_FLOAT_EQ(slider(c)->getMax(), 10);
            EXPECT_NEAR(slider(c)->getValue(), volumes[i] * 10, 1e-4) << c.group;
            EXPECT_EQ(std::string(slider(c)->getEnabled() ? "slider " : "") +
                          (box(c)->getValue() ? "ticked " : "") + box(c)->getText(),
                      on[i] == '1' ? "slider ticked On" : "Off")
                << c.group;
        }
        EXPECT_EQ(quality()->getValue(), quality3d);
        menu->setVisible(false);
    }
}

TEST_F(SoundPage, EverySliderStepAndBoxReachesItsClassAndGroupAtOnce) {
    menu->setVisible(true);
    const int forced = theLandInsonificator->getForceUpdateCount();
    for (const Channel& c : kChannels) {
        SCOPED_TRACE(c.group);
        root->setFocusedComponent(slider(c));
        for (float value : {7.0f, 10.0f, 0.0f, 3.0f})
            for (int taps = 0; slider(c)->getValue() != value; ++taps) {
                ASSERT_LT(taps, 10) << "the slider does not reach " << value;
                const Classes before;
                tap(slider(c)->getValue() < value ? "Right" : "Left");
                expectApplied(before);
            }
        EXPECT_NEAR(settings()->*c.volume, 0.3f, 1e-5);
        for (bool on : {false, true}) {
            const Classes before;
            tick(box(c));
            EXPECT_EQ(settings()->*c.on, on);
            EXPECT_EQ(box(c)->getText(), on ? "On" : "Off");
            EXPECT_EQ(slider(c)->getEnabled(), on);
            expectApplied(before);
        }
    }
    for (bool quality3d : {false, true}) {
        const Classes before;
        tick(quality());
        EXPECT_EQ(settings()->quality3d, quality3d);
        expectApplied(before);
    }
    EXPECT_EQ(theLandInsonificator->getForceUpdateCount(), forced) << "only in the game menu";
}

TEST_F(SoundPage, ClosingSavesTheProfileOnlyWhenTheSettingsDiffer) {
    // The groups whose box is clicked, and how often closing saves the profile.
    const std::pair<std::vector<const char*>, int> rows[] = {
        {{}, 0}, {{"music"}, 1}, {{"effects", "effects"}, 0}};
    for (const auto& [ticks, saves] : rows) {
        menu->setVisible(true);
        const int saved = theProfile->getSaveCount();
        for (const char* group : ticks)
            tick(part<::ui::CheckBox>(group, "check"));
        EXPECT_EQ(theProfile->getSaveCount(), saved) << ticks.size() << ": not while it is open";
        tap("Escape");
        EXPECT_FALSE(menu->isShowed());
        EXPECT_EQ(theProfile->getSaveCount(), saved + saves) << ticks.size();
    }
}

TEST_F(SoundPage, TheModesSetTheLevelAndSwitchEffectsAndEnvironment) {
    // The mode; effects and environment on in the profile; classes 0 and 1 enabled before; the
    // level and classes 0 and 1 after.
    const std::tuple<void (*)(), const char*, const char*, const char*> rows[] = {
        {&SoundMenu::setMainMenuMode, "11", "11", "loud 00"},
        {&SoundMenu::setMainMenuMode, "11", "00", "loud 00"},
        {&SoundMenu::setGameMenuMode, "11", "11", "quiet 00"},
        {&SoundMenu::setGameMenuMode, "11", "10", "quiet 00"},
        {&SoundMenu::setGameMode, "11", "00", "loud 11"},
        {&SoundMenu::setGameMode, "10", "00", "loud 10"},
        {&SoundMenu::setGameMode, "01", "00", "loud 01"},
        {&SoundMenu::setGameMode, "00", "11", "loud 11"},
    };
    for (const auto& [apply, on, enabled, after] : rows) {
        SCOPED_TRACE(std::string(on) + " " + enabled + " " + after);
        settings()->effectsOn = on[0] == '1';
        settings()->environmentOn = on[1] == '1';
        for (int c = 0; c < 2; ++c)
            enabled[c] == '1' ? theInsonificatorManager->enable(c)
                              : theInsonificatorManager->disable(c);
        after[0] == 'l' ? theSoundManager->quiet() : theSoundManager->loud(); // the other first
        const Classes before;
        apply();
        std::string now = theSoundManager->isLoud() ? "loud " : "quiet ";
        for (int c = 0; c < 2; ++c) {
            now += theInsonificatorManager->getIsEnabled(c) ? "1" : "0";
            EXPECT_EQ(theInsonificatorManager->getSwitchCount(c) - before.switches[c],
                      enabled[c] != now.back())
                << "class " << c << " switched only when it must";
        }
        EXPECT_EQ(now, after);
        EXPECT_EQ(theInsonificatorManager->getSwitchCount(3), before.switches[3]) << "music";
    }
}

// Opened over the game menu, the page lets the battle be heard (the level and classes on the
// way in and out are the root's) and every change updates the land sounds at once.
TEST_F(SoundPage, OpenedFromTheGameMenuEveryChangeUpdatesTheLandSoundsAndClosingSaves) {
    kel::logic::Game game;
    beginBattle(game);
    root->command(kel::ui::Command::SHOW_GAME_MENU);
    frame();
    kel::test::choose(root.get(), "sound", "gameroundmenu");
    ASSERT_TRUE(menu->isShowed());
    const int forced = theLandInsonificator->getForceUpdateCount();
    const int saved = theProfile->getSaveCount();
    const Classes before;
    tick(box(kChannels[2]));
    EXPECT_EQ(theLandInsonificator->getForceUpdateCount(), forced + 1);
    expectApplied(before);
    tap("Escape");
    EXPECT_TRUE(root->getDescendant("gameroundmenu")->isShowed());
    EXPECT_EQ(theProfile->getSaveCount(), saved + 1);
    root->command(kel::ui::Command::END_GAME);
    root->resetGameBoard();
    root->command(kel::ui::Command::SHOW_MAIN_MENU);
}

} // namespace
