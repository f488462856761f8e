#pragma once

#include "host/HostApi.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <string>

namespace ui {

class Font;

// A one-line text field. While it has the keyboard focus, typed characters
// (input::events::Character) are appended and Backspace removes the last character; every
// change by the player notifies "changed" with the whole text as "value". A press of the left
// button on it gives it the focus. setText changes the text silently. Return is left to the
// menu around it.
//
// Layout options: text ("@key" for an interface string), font, maxLength (characters; 0 for no
// limit).
class KEL_HOST_API EditBox : public Component, public Paintable {
public:
    explicit EditBox(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "editbox"; }
    bool acceptsMouse() const override { return true; }
    bool isFocusable() const override { return true; }

    void setText(const std::string& newText);
    const std::string& getText() const { return text; }
    void setMaxLength(int characters) { maxLength = characters; }
    int getMaxLength() const { return maxLength; }
    void setFont(const std::string& fontName);
    Font* getFont() const { return font; }

    void updateFocused() override;
    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onMouseButton(int code, bool pressed) override;
    void onKey(int code, const std::string& name, bool pressed) override;
    void onCharacter(const std::string& typed) override;

private:
    void changed();

    std::string text;
    int maxLength = 0;
    Font* font = nullptr; // owned by the UI's font manager
};

} // namespace ui
