#include "ui/VideoMenu.h"
#include "ui/KELFactory.h"
#include "ui/ModuleLog.h"

#include "host/config/Block.h"
#include "host/engine/DegradingManager.h"
#include "host/profile/Profile.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/RadioContainer.h"

namespace kel::ui {

namespace {

using profile::VideoSettings;

// A check box of the page and its setting; `capability` names what the renderer must be able to
// do for the box to be offered (-1: always offered).
struct Box {
    const char* name;
    bool VideoSettings::*setting;
    int capability;
};

const Box kBoxes[] = {
    {"traceenemyaction", &VideoSettings::traceEnemyActions, -1},
    {"detailscheck", &VideoSettings::detailsOn, -1},
    {"sceneactivity", &VideoSettings::sceneActivity, -1},
    {"mipmaps", &VideoSettings::mipmaps, DegradingManager::Mipmaps},
    {"dithering", &VideoSettings::dithering, DegradingManager::Dithering},
    {"specular", &VideoSettings::specular, DegradingManager::Specular},
    {"antialiasing", &VideoSettings::antialiasing, DegradingManager::Antialiasing},
    {"wbuffer", &VideoSettings::wbuffer, DegradingManager::WBuffer},
    {"hallo", &VideoSettings::halo, DegradingManager::Halo},
    {"shadows", &VideoSettings::shadows, DegradingManager::Shadows},
    {"lightmaps", &VideoSettings::lightmaps, DegradingManager::Lightmaps},
};

struct Slider {
    const char* name;
    float VideoSettings::*setting;
    float min, max;
};

const Slider kSliders[] = {
    {"fogdistanceslider", &VideoSettings::fogDistance, 0.8f, 1.0f},
    {"detailsslider", &VideoSettings::detailLevel, 0.0f, 2.0f},
};

const char* const kTexture = "radiocontainer";

VideoSettings* settings() {
    VideoSettings* video = nullptr;
    theProfile->getSettings(&video);
    return video;
}

template <class T> T* child(::ui::Container* page, const char* name) {
    T* found = nullptr;
    theFactory->getComponent(name, &found, page, true);
    return found;
}

} // namespace

void VideoMenu::readConfig(config::Block* block) {
    Menu::readConfig(block);
    std::string missing;
    const auto lacks = [&](const char* name) {
        missing += std::string(missing.empty() ? "" : ", ") + "'" + name + "'";
    };
    for (const Box& box : kBoxes)
        if (!child<::ui::CheckBox>(this, box.name))
            lacks(box.name);
    for (const Slider& slider : kSliders)
        if (!child<::ui::HSlider>(this, slider.name))
            lacks(slider.name);
    if (!child<::ui::RadioContainer>(this, kTexture))
        lacks(kTexture);
    if (!missing.empty())
        reportError(block->getSourceFile(), block->getSourceLine(), block->getSourceColumn(),
                    "the video page '" + getName() + "' has no " + missing +
                        ": those settings cannot be changed on it");
}

void VideoMenu::update() {
    const VideoSettings* video = settings();
    for (const Slider& slider : kSliders)
        if (auto* control = child<::ui::HSlider>(this, slider.name)) {
            control->setRange(slider.min, slider.max);
            control->setValue(video->*slider.setting);
        }
    for (const Box& box : kBoxes)
        if (auto* control = child<::ui::CheckBox>(this, box.name)) {
            control->setValue(video->*box.setting);
            if (box.capability == DegradingManager::Antialiasing)
                control->setEnabled(false);
            else if (box.capability >= 0)
                control->setEnabled(theDegradingManager->hasCapability(
                    static_cast<DegradingManager::Capability>(box.capability)));
        }
    if (auto* texture = child<::ui::RadioContainer>(this, kTexture))
        texture->setValue(video->getTextureString());
    enableDetailLevel();
}

void VideoMenu::reflectChanging() {
    VideoSettings* video = settings();
    for (const Box& box : kBoxes)
        if (auto* control = child<::ui::CheckBox>(this, box.name))
            video->*box.setting = control->getValue();
    for (const Slider& slider : kSliders)
        if (auto* control = child<::ui::HSlider>(this, slider.name))
            video->*slider.setting = control->getValue();
    if (auto* texture = child<::ui::RadioContainer>(this, kTexture))
        video->setTexture(texture->getValue()); // no choice, or an unknown one: kept
    theProfile->write();
    video->apply();
}

void VideoMenu::enableDetailLevel() {
    auto* details = child<::ui::CheckBox>(this, "detailscheck");
    auto* level = child<::ui::HSlider>(this, "detailsslider");
    if (details && level)
        level->setEnabled(details->getValue());
}

void VideoMenu::notify(::ui::NotifyEvent& event) {
    Menu::notify(event);
    enableDetailLevel();
}

void VideoMenu::updateShowed() {
    Menu::updateShowed();
    if (isShowed()) {
        shownSettings = *settings();
        update();
    } else {
        reflectChanging();
        if (*settings() != shownSettings)
            theProfile->save();
    }
}

} // namespace kel::ui
