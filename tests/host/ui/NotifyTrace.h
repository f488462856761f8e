#pragma once

#include "host/ui/Container.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <string>

namespace kel::test {

// A full-screen container that writes every notification reaching it as
// "sender:action[=value] " so a test can compare what a player's input produced, whole.
class NotifyTrace : public ::ui::Container {
public:
    NotifyTrace() : Container(::ui::theUI, 0, 0, 640, 480) {}
    std::string_view getClassName() const override { return "notifytrace"; }
    void notify(::ui::NotifyEvent& event) override {
        std::string name, action, value;
        event.getProperty("name", &name);
        event.getProperty("action", &action);
        trace += name + ":" + action;
        if (event.getProperty("value", &value))
            trace += "=" + value;
        trace += " ";
        Container::notify(event);
    }
    // The trace so far, emptied.
    std::string take() { return std::exchange(trace, std::string()); }

    std::string trace;
};

} // namespace kel::test
