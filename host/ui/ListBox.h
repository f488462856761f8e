#pragma once

#include "host/HostApi.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <string>
#include <vector>

namespace ui {

class Font;

// A list of strings, one row per line height of its font, scrolled by its top item. The player
// selects a row by pressing the left button on it, by Up (57) and Down (58) while the list has
// the focus, and scrolls with the wheel; each selection by the player notifies "selchanged" with
// the selected string as "value" and its index as the int "index". Changes from code notify
// nothing. The first string added to an empty list is selected, so a list that has strings
// always has a selection until it is emptied.
//
// Layout options: font, items (a list of strings; "@key" for interface strings), selected (an
// index).
class KEL_HOST_API ListBox : public Component, public Paintable {
public:
    explicit ListBox(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "listbox"; }
    bool acceptsMouse() const override { return true; }
    bool isFocusable() const override { return true; }

    // Appends a string; its index.
    int addString(const std::string& text);
    // Removes the first occurrence; the selection stays on the same string, or moves to the row
    // that takes the removed one's place. False when the string is not in the list.
    bool removeString(const std::string& text);
    void resetContent();
    int getCount() const { return static_cast<int>(items.size()); }
    const std::string& getString(int index) const;

    // "" when nothing is selected.
    std::string getSelectedString() const;
    int getSelectedIndex() const { return selected; }
    // Selects the first occurrence; false (selection kept) when absent.
    bool selectString(const std::string& text);
    // -1 clears the selection; false when out of range.
    bool selectIndex(int index);

    // The first row shown; kept so the last page is full when possible.
    void setTopItem(int index);
    int getTopItem() const { return top; }
    int getVisibleRows() const;
    // The index of the row at a screen point, or -1.
    int itemAt(float screenX, float screenY) const;

    void setFont(const std::string& fontName);
    Font* getFont() const { return font; }

    void updateFocused() override;
    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onMouseButton(int code, bool pressed) override;
    void onKey(int code, const std::string& name, bool pressed) override;

private:
    float rowHeight() const;
    // Selection by the player: scrolls it into view and notifies when it changed.
    void choose(int index);
    void scrollToSelection();

    std::vector<std::string> items;
    int selected = -1;
    int top = 0;
    Font* font = nullptr; // owned by the UI's font manager
};

} // namespace ui
