#include "HostInput.h"

#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"
#include "host/ui/MousePointer.h"
#include "host/ui/UI.h"

namespace kelplay {

bool HostInput::button(const std::string& name, bool pressed) {
    auto event = ::input::makeButton(name, pressed);
    if (!event)
        return false;
    theKelInput->feed(event);
    return true;
}

void HostInput::type(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        // A lead byte says how many bytes its character has.
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80    ? 1
                        : lead >= 0xF0 ? 4
                        : lead >= 0xE0 ? 3
                        : lead >= 0xC0 ? 2
                                       : 1;
        length = std::min(length, text.size() - i);
        theKelInput->feed(counting_ptr<::input::Event>(new ::input::events::Character(
            ::input::devices::PCKeyboard::instance(), text.substr(i, length))));
        i += length;
    }
}

void HostInput::motion(float dx, float dy) {
    theKelInput->feed(counting_ptr<::input::Event>(
        new ::input::events::Motion(::input::devices::PCMouse::instance(), dx, dy)));
}

void HostInput::moveTo(::ui::UI* ui, float x, float y) {
    const ::ui::MousePointer* pointer = ui->getMousePointer();
    const float multiplier = theKelInput->getMouseMultiplier();
    motion((x - pointer->getX()) / multiplier, (y - pointer->getY()) / multiplier);
}

} // namespace kelplay
