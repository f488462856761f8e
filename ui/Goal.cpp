#include "ui/Goal.h"
#include "ui/KELFactory.h"
#include "ui/ModuleLog.h"

#include "host/engine/View.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {

// Cancel and the two confirm keys of the menus; of the mouse, buttons 3, 4 and 5.
constexpr int kClosingKeys[] = {102, 51, 101};
constexpr int kClosingMouseButtons[] = {3, 4, 5};

template <size_t N> bool among(int code, const int (&codes)[N]) {
    for (int candidate : codes)
        if (candidate == code)
            return true;
    return false;
}

} // namespace

Goal::Goal()
    : Container(::ui::theUI, 0, 0, ::ui::theUI ? ::ui::theUI->getScreenWidth() : 0,
                ::ui::theUI ? ::ui::theUI->getScreenHeight() : 0) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
    if (::ui::theUI && (listenedView = ::ui::theUI->getView()))
        listenedView->registerListener(this, 0);
}

Goal::~Goal() {
    stopListening();
}

void Goal::term() {
    Container::term();
    stopListening();
}

void Goal::stopListening() {
    if (listenedView)
        listenedView->unregisterListener(this);
    listenedView = nullptr;
}

::ui::DFormattedSpriteText* Goal::getText() {
    ::ui::DFormattedSpriteText* text = nullptr;
    theFactory->getComponent("text", &text, this, false);
    return text;
}

void Goal::readConfig(config::Block* block) {
    Container::readConfig(block);
    if (::ui::DFormattedSpriteText* text = getText())
        text->centerBoth();
}

void Goal::setText(const std::string& value) {
    if (::ui::DFormattedSpriteText* text = getText()) {
        text->setText(value);
        text->centerBoth();
    }
}

void Goal::updateShowed() {
    Container::updateShowed();
    if (isShowed()) {
        getUI()->setFocusedComponent(this);
        setText("Not implemented");
    }
}

void Goal::initView() {
    // Only a goal on screen scrolls, and only it can close by scrolling: a hidden one has
    // reported its closing already. A host thread may be showing it meanwhile (doModal): the
    // step runs under the UI's lock (frames call view listeners without the driver's lock).
    thread::Lock hold(*getUI());
    ::ui::DFormattedSpriteText* text = getText();
    if (!isShowed() || !text)
        return;
    text->setPosition(text->getXPosition(), text->getYPosition() - 1.0f);
    if (text->getYPosition() + text->getHeight() < 0.0f)
        close();
}

bool Goal::isClosingPress(const counting_ptr<::input::Event>& event) {
    const auto* button = event.as<::input::events::Button>();
    if (!button || !button->isPressed())
        return false;
    const int code = button->getState()->getCode();
    if (button->getDevice() == ::input::devices::PCKeyboard::instance())
        return among(code, kClosingKeys);
    if (button->getDevice() == ::input::devices::PCMouse::instance())
        return among(code, kClosingMouseButtons);
    return false;
}

void Goal::processInputEvent(const counting_ptr<::input::Event>& event) {
    Container::processInputEvent(event);
    if (isShowed() && isClosingPress(event))
        close();
}

void Goal::close() {
    modal.close(*this);
}

void Goal::doModal() {
    modal.showAndWait(*this, "goal");
}

} // namespace kel::ui
