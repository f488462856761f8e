#pragma once

#include "host/thread/SynchronizedObject.h"
#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <map>
#include <string>
#include <vector>

namespace thread {
class Event;
}
namespace ui {
class Ramka;
class TextComponent;
} // namespace ui

// <windows.h> defines IGNORE as a macro. It is set aside while this header declares the answer of
// that name and put back at its end, so the header reads the same after <windows.h> and the
// includer keeps the macro (code that names MessageBoxA::IGNORE there sets it aside the same way).
#pragma push_macro("IGNORE")
#undef IGNORE

namespace kel::ui {

// A small modal box built in code: a message and one button per answer asked for. It is shown as
// a top-level component of the root UI (drawn above the screens, which see no input while it
// is up); the first button pressed sets the result and signals the caller's event, later ones
// change nothing. Escape answers CANCEL, or NO, when the box has that button. A question wider
// than the screen allows wraps, and the box grows down to fit it.
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

    std::string_view getClassName() const override { return "messagebox"; }
    void notify(::ui::NotifyEvent& event) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    bool isModal() const override { return true; }
    // Read by the waiting thread; written on the UI thread.
    Button getResult() const;

private:
    void answer(Button button);

    ::ui::Ramka* frame;        // a child of the box
    ::ui::TextComponent* text; // a child of the box
    std::map<Button, std::string> buttonLabels;
    thread::Event* event; // not owned
    Button result;
    bool answered = false;
    thread::SynchronizedObject resultLock; // guards result and answered
    std::vector<Button> buttons;           // in the order they stand
};

} // namespace kel::ui

#pragma pop_macro("IGNORE")
