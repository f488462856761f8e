#include "ui/SoundMenu.h"
#include "support/RootFixture.h"
#include "ui/KELFactory.h"

#include "host/profile/Profile.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"

namespace {

class SoundPage : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        menu = dynamic_cast<kel::ui::SoundMenu*>(root->getDescendant("soundmenu"));
        ASSERT_NE(menu, nullptr);
        menu->setVisible(true);
    }
    template <class T> T* part(const char* group, const char* name) {
        ::ui::Container* container = nullptr;
        T* found = nullptr;
        kel::ui::theFactory->getComponent(group, &container, menu, false);
        kel::ui::theFactory->getComponent(name, &found, container, false);
        return found;
    }
    void clickOn(::ui::Component* c, float fraction = 0.5f) {
        clickAt(c->getAbsoluteX() + c->getWidth() * fraction,
                c->getAbsoluteY() + c->getHeight() / 2);
    }
    profile::SoundSettings* settings() {
        profile::SoundSettings* s = nullptr;
        theProfile->getSettings(&s);
        return s;
    }
    kel::ui::SoundMenu* menu = nullptr;
};

TEST_F(SoundPage, TheMusicSliderSetsTheVolumeOfItsClassAndGroupAtOnce) {
    auto* music = part<::ui::HSlider>("music", "scroll");
    EXPECT_FLOAT_EQ(music->getMax(), 10);
    EXPECT_FLOAT_EQ(music->getValue(), settings()->musicVolume * 10);
    root->setFocusedComponent(music);
    while (music->getValue() < 7 - 1e-3f)
        tap("Right");
    while (music->getValue() > 7 + 1e-3f)
        tap("Left");
    EXPECT_NEAR(settings()->musicVolume, 0.7f, 1e-5);
    EXPECT_NEAR(theInsonificatorManager->getVolume(3), 0.7f, 1e-5);
    EXPECT_NEAR(sound::MANAGER->getVolume("bgm"), 0.7f, 1e-5);
}

TEST_F(SoundPage, EffectsOffDisablesTheirSliderClassAndGroup) {
    auto* check = part<::ui::CheckBox>("effects", "check");
    ASSERT_TRUE(check->getValue());
    theInsonificatorManager->enable(0);
    clickOn(check, 0.1f);
    EXPECT_FALSE(settings()->effectsOn);
    EXPECT_FALSE(part<::ui::HSlider>("effects", "scroll")->getEnabled());
    EXPECT_EQ(check->getText(), "Off");
    EXPECT_FALSE(theInsonificatorManager->getIsEnabled(0));
    EXPECT_FALSE(sound::MANAGER->getEnabled("ui"));

    auto* quality = menu->getComponent("check_3d_quality");
    clickOn(quality, 0.1f);
    EXPECT_EQ(theLandInsonificator->getEmulate3dSound(), !settings()->quality3d);
}

TEST_F(SoundPage, ClosingSavesTheProfileOnlyAfterAChange) {
    const int saves = theProfile->getSaveCount();
    menu->setVisible(false);
    EXPECT_EQ(theProfile->getSaveCount(), saves) << "nothing changed";
    menu->setVisible(true);
    clickOn(part<::ui::CheckBox>("music", "check"), 0.1f);
    tap("Escape");
    EXPECT_FALSE(menu->isShowed());
    EXPECT_EQ(theProfile->getSaveCount(), saves + 1);
}

TEST_F(SoundPage, TheSoundModesFollowTheRoot) {
    kel::ui::SoundMenu::setGameMenuMode();
    EXPECT_FALSE(theSoundManager->isLoud());
    EXPECT_FALSE(theInsonificatorManager->getIsEnabled(0));
    kel::ui::SoundMenu::setGameMode();
    EXPECT_TRUE(theSoundManager->isLoud());
    EXPECT_TRUE(theInsonificatorManager->getIsEnabled(0));
    EXPECT_TRUE(theInsonificatorManager->getIsEnabled(1));
    kel::ui::SoundMenu::setMainMenuMode();
    EXPECT_FALSE(theInsonificatorManager->getIsEnabled(1));
}

} // namespace
