#include "ui/PlayMenu.h"
#include "ui/KELFactory.h"
#include "ui/KelDataStorage.h"
#include "ui/Saves.h"

#include "host/config/Block.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureButton.h"
#include "host/ui/TextureComponent.h"
#include "host/ui/UI.h"

namespace kel::ui {

PlayMenu::~PlayMenu() {
    if (registered)
        theRenderDriver->unregisterListener(this);
}

void PlayMenu::readConfig(config::Block* block) {
    Container::readConfig(block);
    ::ui::LayoutOptions::readBool(block, "slowmotion", &slowMotionEnabled);
    // The cross-fade divides by its length: a length of 0 or less would freeze the menu.
    ::ui::LayoutOptions::readNumber(block, "motiontime", config::Range::above(0), &motionTime);
}

void PlayMenu::updateShowed() {
    Menu::updateShowed();
    if (isShowed()) {
        mission = theSaves.getCurrentMission();
        theFactory->getComponent("missionpicture1", &missionPicture1, this, true);
        theFactory->getComponent("missionname1", &missionName1, this, true);
        theFactory->getComponent("missionpicture2", &missionPicture2, this, true);
        theFactory->getComponent("missionname2", &missionName2, this, true);
        theFactory->getComponent("button_play", &playButton, this, true);
        theFactory->getComponent("button_left", &leftButton, this, true);
        theFactory->getComponent("button_right", &rightButton, this, true);
        updatePicture();
        theRenderDriver->registerListener(this, 0);
        registered = true;
    } else if (registered) {
        theRenderDriver->unregisterListener(this);
        registered = false;
    }
}

void PlayMenu::notify(::ui::NotifyEvent& event) {
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    if (name == "button_left" && action == "down")
        left();
    else if (name == "button_right" && action == "down")
        right();
    else if (name == "button_play" && action == "down")
        sendAction("ok");
    else
        Menu::notify(event);
}

void PlayMenu::processInputEvent(const counting_ptr<::input::Event>& event) {
    Menu::processInputEvent(event);
    if (inSlowMotion)
        return;
    auto* button = event.as<::input::events::Button>();
    if (!button || !button->isPressed() ||
        button->getDevice() != ::input::devices::PCKeyboard::instance())
        return;
    if (button->getCode() == 55)
        left();
    else if (button->getCode() == 56)
        right();
}

void PlayMenu::left() {
    const int index = theKelDataStorage->missionIndex(mission);
    if (index <= 0)
        return;
    mission = theKelDataStorage->getMission(index - 1);
    step();
}

void PlayMenu::right() {
    const int index = theKelDataStorage->missionIndex(mission);
    const int furthest = theKelDataStorage->missionIndex(theSaves.getMaximumMission());
    if (index >= furthest)
        return;
    mission = theKelDataStorage->getMission(index + 1);
    step();
}

void PlayMenu::step() {
    theSaves.setCurrentMission(mission);
    if (slowMotionEnabled)
        beginSlowMotion();
    else
        updatePicture();
}

void PlayMenu::updatePicture() {
    const bool first = missionPicture1 && missionPicture1->getVisible();
    ::ui::TextureComponent* picture = first ? missionPicture1 : missionPicture2;
    ::ui::TextureComponent* name = first ? missionName1 : missionName2;
    if (picture)
        picture->setImage(mission);
    if (name)
        name->setImage(mission);
}

void PlayMenu::setButtonsEnabled(bool on) {
    for (::ui::TextureButton* button : {playButton, leftButton, rightButton})
        if (button)
            button->setEnabled(on);
}

void PlayMenu::beginSlowMotion() {
    if (inSlowMotion || !missionPicture1 || !missionPicture2 || !missionName1 || !missionName2)
        return;
    firstPairVisible = missionPicture1->getVisible();
    for (::ui::TextureComponent* part :
         {missionPicture1, missionName1, missionPicture2, missionName2})
        part->setVisible(true);
    (firstPairVisible ? missionPicture2 : missionPicture1)->setImage(mission);
    (firstPairVisible ? missionName2 : missionName1)->setImage(mission);
    inSlowMotion = true;
    motionStart = theTimer->getTime();
    setButtonsEnabled(false);
}

void PlayMenu::initFrame(float) {
    thread::Lock hold(*getUI());
    if (!inSlowMotion)
        return;
    const float t = static_cast<float>((theTimer->getTime() - motionStart) / motionTime);
    if (t >= 1) {
        endSlowMotion();
        return;
    }
    const float first = firstPairVisible ? 1 - t : t;
    missionPicture1->getTexture()->setOpacity(first);
    missionName1->getTexture()->setOpacity(first);
    missionPicture2->getTexture()->setOpacity(1 - first);
    missionName2->getTexture()->setOpacity(1 - first);
    // The textures changed under their components: their pictures are painted anew.
    for (::ui::TextureComponent* part :
         {missionPicture1, missionName1, missionPicture2, missionName2})
        part->repaint();
}

void PlayMenu::endSlowMotion() {
    if (!inSlowMotion)
        return;
    for (::ui::TextureComponent* part :
         {missionPicture1, missionName1, missionPicture2, missionName2}) {
        part->getTexture()->setOpacity(1.0f);
        part->repaint();
    }
    (firstPairVisible ? missionPicture1 : missionPicture2)->setVisible(false);
    (firstPairVisible ? missionName1 : missionName2)->setVisible(false);
    inSlowMotion = false;
    setButtonsEnabled(true);
}

} // namespace kel::ui
