#include "ui/SoundMenu.h"
#include "ui/KELFactory.h"
#include "ui/KELUI.h"

#include "host/profile/Profile.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/NotifyEvent.h"

namespace kel::ui {

namespace {

// The three sounds the page edits: their container, sound class and volume/switch fields.
struct Channel {
    const char* container;
    int soundClass;
    float profile::SoundSettings::*volume;
    bool profile::SoundSettings::*on;
};

const Channel kChannels[] = {
    {"music", 3, &profile::SoundSettings::musicVolume, &profile::SoundSettings::musicOn},
    {"effects", 0, &profile::SoundSettings::effectsVolume, &profile::SoundSettings::effectsOn},
    {"environment", 1, &profile::SoundSettings::environmentVolume,
     &profile::SoundSettings::environmentOn},
};

profile::SoundSettings* settings() {
    profile::SoundSettings* sound = nullptr;
    theProfile->getSettings(&sound);
    return sound;
}

bool inGameMenu() {
    return theKELUI && theKELUI->getState() == State::GAME_MENU;
}

void enableClass(int soundClass, bool on) {
    if (theInsonificatorManager->getIsEnabled(soundClass) == on)
        return;
    if (on)
        theInsonificatorManager->enable(soundClass);
    else
        theInsonificatorManager->disable(soundClass);
}

} // namespace

void SoundMenu::readConfig(config::Block* block) {
    Container::readConfig(block);
    for (const Channel& channel : kChannels) {
        ::ui::Container* group = nullptr;
        ::ui::HSlider* slider = nullptr;
        if (theFactory->getComponent(channel.container, &group, this, false) &&
            theFactory->getComponent("scroll", &slider, group, false))
            slider->setRange(0, 10);
    }
}

void SoundMenu::update() {
    const profile::SoundSettings* sound = settings();
    for (const Channel& channel : kChannels) {
        ::ui::Container* group = nullptr;
        if (!theFactory->getComponent(channel.container, &group, this, false))
            continue;
        ::ui::HSlider* slider = nullptr;
        ::ui::CheckBox* check = nullptr;
        const bool on = sound->*channel.on;
        if (theFactory->getComponent("scroll", &slider, group, false)) {
            slider->setValue(sound->*channel.volume * 10);
            slider->setEnabled(on);
        }
        if (theFactory->getComponent("check", &check, group, false)) {
            check->setValue(on);
            check->setText(on ? "On" : "Off");
        }
    }
    ::ui::CheckBox* quality = nullptr;
    if (theFactory->getComponent("check_3d_quality", &quality, this, false))
        quality->setValue(sound->quality3d);
}

void SoundMenu::notify(::ui::NotifyEvent& event) {
    Menu::notify(event);
    std::string className;
    event.getProperty("class", &className);
    if (className == "hslider" || className == "checkbox")
        reflectChanging();
}

void SoundMenu::reflectChanging() {
    profile::SoundSettings* sound = settings();
    for (const Channel& channel : kChannels) {
        ::ui::Container* group = nullptr;
        if (!theFactory->getComponent(channel.container, &group, this, false))
            continue;
        ::ui::HSlider* slider = nullptr;
        ::ui::CheckBox* check = nullptr;
        if (theFactory->getComponent("scroll", &slider, group, false))
            sound->*channel.volume = slider->getValue() / 10;
        if (theFactory->getComponent("check", &check, group, false)) {
            sound->*channel.on = check->getValue();
            check->setText(check->getValue() ? "On" : "Off");
            if (slider)
                slider->setEnabled(check->getValue());
        }
    }
    ::ui::CheckBox* quality = nullptr;
    if (theFactory->getComponent("check_3d_quality", &quality, this, false))
        sound->quality3d = quality->getValue();
    updateProfileSettings();
    if (inGameMenu())
        theLandInsonificator->forceUpdate();
}

void SoundMenu::updateShowed() {
    Menu::updateShowed();
    if (isShowed()) {
        update();
        if (inGameMenu())
            setGameMode();
        shownSettings = *settings();
    } else {
        if (inGameMenu())
            setGameMenuMode();
        if (*settings() != shownSettings)
            theProfile->save();
    }
}

void SoundMenu::updateProfileSettings() {
    const profile::SoundSettings* sound = settings();
    for (const Channel& channel : kChannels)
        theInsonificatorManager->setVolume(channel.soundClass, sound->*channel.volume);
    sound::MANAGER->volume("ui", sound->effectsVolume);
    sound::MANAGER->volume("bgm", sound->musicVolume);
    for (const Channel& channel : kChannels)
        enableClass(channel.soundClass, sound->*channel.on);
    sound::MANAGER->enable("ui", sound->effectsOn);
    sound::MANAGER->enable("bgm", sound->musicOn);
    theLandInsonificator->emulate3dsound(!sound->quality3d);
}

void SoundMenu::setMainMenuMode() {
    theSoundManager->loud();
    enableClass(0, false);
    enableClass(1, false);
}

void SoundMenu::setGameMenuMode() {
    theSoundManager->quiet();
    enableClass(0, false);
    enableClass(1, false);
}

void SoundMenu::setGameMode() {
    theSoundManager->loud();
    const profile::SoundSettings* sound = settings();
    if (!theInsonificatorManager->getIsEnabled(0) && sound->effectsOn)
        theInsonificatorManager->enable(0);
    if (!theInsonificatorManager->getIsEnabled(1) && sound->environmentOn)
        theInsonificatorManager->enable(1);
}

} // namespace kel::ui
