#include "ui/Loading.h"
#include "ui/KELFactory.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"

#include "host/engine/RenderDriver.h"
#include "host/logic/GameBoard.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/UI.h"

namespace kel::ui {

Loading::Loading()
    : Container(::ui::theUI, 0, 0, 0, 0), pictureNames{"Lighthouse", "Watermill",
                                                       "Garden",     "ScorchedWatermill",
                                                       "Sacrifice",  "Den",
                                                       "OdinsTower", "Water",
                                                       "Fire",       "Swamp"} {}

::ui::SpriteComponent* Loading::getBack() {
    ::ui::SpriteComponent* back = nullptr;
    theFactory->getComponent("back", &back, this, false);
    return back;
}

::ui::SpriteComponent* Loading::getGadget() {
    ::ui::SpriteComponent* gadget = nullptr;
    theFactory->getComponent("gadget", &gadget, this, false);
    return gadget;
}

void Loading::showBar(float percent) {
    if (::ui::SpriteComponent* gadget = getGadget())
        gadget->setRegion(0, 0, gadget->getWidth() * percent / 100.0f, gadget->getHeight());
}

void Loading::readConfig(config::Block* block) {
    Container::readConfig(block);
    showBar(0);
}

void Loading::updateSize() {
    Container::updateSize();
}

void Loading::updateShowed() {
    Container::updateShowed();
    const bool shown = isShowed();
    if (theKELUI)
        if (KELMousePointer* pointer = theKELUI->getKELMousePointer())
            pointer->setVisible(!shown);
    theRenderDriver->setBackground(config::Color(0, 0, 0, 1), shown);
}

void Loading::preStartLoading(const std::string& missionName) {
    std::string pictures = "another";
    for (const std::string& name : pictureNames)
        if (name == missionName)
            pictures = name;
    if (::ui::SpriteComponent* back = getBack())
        back->setImage(pictures);
    if (::ui::SpriteComponent* gadget = getGadget())
        gadget->setImage(pictures);
    showBar(0);
    setVisible(true);
    theRenderDriver->beginLoading();
    theRenderDriver->drawFrameAtOnce();
}

void Loading::startLoading(logic::GameBoard* board, const std::vector<float>& weights) {
    phaseWeights = weights;
    phase = -1;
    lastPercent = -1;
    board->registerListener(this, 0);
}

void Loading::startLoadPhase() {
    ++phase;
    setLoadProgress(0.0f);
}

void Loading::finishLoadPhase() {
    setLoadProgress(1.0f);
}

void Loading::setLoadProgress(float progress) {
    // Progress before the first phase (or before startLoading) has nothing to measure and is
    // ignored. A phase beyond the weights counts as weighing nothing: the bar stays where the
    // weighted phases left it.
    if (phase < 0)
        return;
    const size_t running = static_cast<size_t>(phase);
    float percent = 0.0f;
    for (size_t i = 0; i < running && i < phaseWeights.size(); ++i)
        percent += phaseWeights[i];
    if (running < phaseWeights.size())
        percent += progress * phaseWeights[running];
    if (percent > 100.0f)
        percent = 100.0f;
    // A step of the bar each time the progress passes the next threshold (-1, 9, 19, ... 99):
    // one forced frame per call, so a big jump is caught up over the following calls.
    if (static_cast<float>(lastPercent) < percent) {
        showBar(percent);
        theRenderDriver->drawFrameAtOnce();
        lastPercent += 10;
    }
}

void Loading::finishLoading(logic::GameBoard* board) {
    setVisible(false);
    theRenderDriver->endLoading();
    board->unregisterListener(this);
}

} // namespace kel::ui
