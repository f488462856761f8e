#pragma once

#include "host/ui/Container.h"
#include "host/ui/ViewListener.h"
#include "ui/ModalScreen.h"
#include "ui/UiApi.h"

#include <string>

class View;

namespace ui {
class DFormattedSpriteText;
}

namespace kel::ui {

// A full-screen text (its child "text") that scrolls upward one unit each time the UI's view is
// drawn, and closes on a confirm or cancel key (Escape, Return, NumpadEnter) or a mouse button
// (3, 4, 5), or by itself when the text has left the top of the screen. Closing hides it,
// reports to its master (a notification with no action) and releases a host thread waiting in
// doModal. The root reacts to the reports of "maingoal" and "gamegoal".
class KEL_UI_API Goal : public ::ui::Container, public ::ui::ViewListener {
public:
    // Full-screen on the root UI; listens to the UI's view until term (or destruction).
    Goal();
    ~Goal() override;

    std::string_view getClassName() const override { return "goal"; }
    void readConfig(config::Block* block) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void updateShowed() override;
    // Shown, it takes the keyboard focus.
    bool isFocusable() const override { return true; }
    void term() override;
    // One drawing of the view: the text moves up by one unit.
    void initView() override;

    // The text, centred on the screen.
    void setText(const std::string& text);
    // Shows the screen and blocks the calling host thread until the player (or the scrolling)
    // closes it. On the UI thread, which must deliver the closing, it reports an error and
    // returns at once.
    void doModal();

    ::ui::DFormattedSpriteText* getText();

    // The keys and mouse buttons that close the goal and results screens.
    static bool isClosingPress(const counting_ptr<::input::Event>& event);

private:
    void close();
    void stopListening();

    ModalScreen modal;
    View* listenedView = nullptr;
};

} // namespace kel::ui
