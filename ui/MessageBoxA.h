#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <map>
#include <string>

namespace thread {
class Event;
}
namespace ui {
class Ramka;
class TextComponent;
} // namespace ui

namespace kel::ui {

// A small modal box built in code: a message and one button per answer asked for. It is shown as
// a top-level component of the root UI (drawn above the screens); the first button pressed sets
// the result and signals the caller's event.
class KEL_UI_API MessageBoxA : public ::ui::Container {
public:
    // One bit per answer; a style is the OR of the buttons wanted.
    enum Button : int32_t {
        OK = 0x01,
        YES = 0x02,
        NO = 0x04,
        ABORT = 0x08,
        RETRY = 0x10,
        IGNORE = 0x20,
        CANCEL = 0x40,
    };

    // The event is the caller's; it is signalled when the player answers.
    MessageBoxA(::ui::UI* ui, const std::string& text, int style, thread::Event* event);
    ~MessageBoxA() override;

    std::string getClassName() const override { return "messagebox"; }
    void notify(::ui::NotifyEvent& event) override;
    Button getResult() const { return result; }

private:
    ::ui::Ramka* frame;        // a child of the box
    ::ui::TextComponent* text; // a child of the box
    std::map<Button, std::string> buttonLabels;
    thread::Event* event; // not owned
    Button result;
};

} // namespace kel::ui
