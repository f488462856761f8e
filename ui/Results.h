#pragma once

#include "host/ui/Container.h"
#include "ui/ModalScreen.h"
#include "ui/ResultsListener.h"
#include "ui/SubscribeDeliverer.h"
#include "ui/UiApi.h"

#include <string>

namespace ui {
class DFormattedSpriteText;
}

namespace kel::ui {

// The full-screen text of the mission's results (child "text"). It tells its subscribed
// listeners each time it is shown or hidden. The player closes it with the keys and mouse
// buttons that close the goal screen (Goal::isClosingPress): it hides, reports to its master
// and releases a host thread waiting in doModal.
class KEL_UI_API Results : public ::ui::Container, public SubscribeDeliverer<ResultsListener> {
public:
    // Full-screen on the root UI.
    Results();

    std::string_view getClassName() const override { return "results"; }
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void updateShowed() override;
    // Shown, it takes the keyboard focus.
    bool isFocusable() const override { return true; }

    void setText(const std::string& text);
    // As Goal::doModal.
    void doModal();

    ::ui::DFormattedSpriteText* getText();

private:
    ModalScreen modal;
};

} // namespace kel::ui
