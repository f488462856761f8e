#pragma once

#include "host/input/counting_ptr.h"
#include "host/ui/AutoRepeater.h"
#include "host/ui/Progresser.h"
#include "ui/UiApi.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class View;

namespace input {
class Event;
}

namespace kel::ui {

// A vertical list that draws nothing itself: the items, the current one and where the list
// stands in its menu area. It turns key names and clicks into cursor moves, a choice or leaving,
// and reports each through hooks that a drawing subclass implements. A held Up or Down repeats
// (first 0.5 s after the press, then every 0.1 s); two left clicks within 0.4 s choose the
// current item. The owner hands it every input event while it is shown and calls term() before
// the view goes.
class KEL_UI_API ProtoMenu : public ::ui::Progresser,
                             public ::ui::AutoRepeaterConsumer<std::string> {
public:
    // Registers itself and its auto-repeater with the view (not owned).
    explicit ProtoMenu(View* view);
    ~ProtoMenu() override;

    // Takes the auto-repeater off its view.
    virtual void term();

    // Setters only store; no hook runs.
    void setItemHeight(float height) { itemHeight = height; }
    void setMenuHeight(float height) { menuHeight = height; }
    // The gap between two items (it hides the progresser's interval, which stays 0.4 s).
    void setInterval(float gap) { interval = gap; }
    void setMenuXPosition(float x) { menuXPosition = x; }
    void setMenuWidth(float width) { menuWidth = width; }
    void setControl(bool on) { controled = on; }
    bool getControled() const { return controled; }

    void addItem(const std::string& name, const std::string& text);
    void setItem(int index, const std::string& name, const std::string& text);
    void removeAllItems();
    // "" on an empty list.
    std::string getCurrentItemName() const;
    int getCurrent() const { return current; }
    int getItemCount() const { return static_cast<int>(items.size()); }

    void processPageUp();
    void processPageDown();
    void processUp();
    void processDown();

    // Geometry in screen units, relative to the menu area.
    float calcItemsContainerHeight() const;
    float calcItemsContainerYPosition() const;
    float calcItemYPosition(int index) const;
    float calcCursorYPosition() const;
    float calcCursorHeight() const;
    static float calcItemsContainerXPosition(float outer, float inner);

    // Button events only: Up and Down feed the auto-repeater, presses act by key name.
    virtual void processInputEvent(const counting_ptr<::input::Event>& event);
    // A repeat of the held key acts as its press.
    void processAutoRepeation(std::string keyName) override;
    // The double-click window has closed.
    void end() override;

    // Stops repeating a held key (its release will not come: the menu was hidden or the window
    // lost the input).
    void stopAutoRepeat();
    const ::ui::AutoRepeater<std::string>& getAutoRepeater() const { return *autoRepeater; }

protected:
    // Hooks for the drawing subclass; the base versions do nothing.
    virtual void change(int index);
    virtual void select(int index, const std::string& name);
    virtual void cancel();
    virtual void cursorPosition(float y);
    virtual void cursorHeight(float height);
    virtual void itemsContainerPosition(float y);

    // Makes the item under a point of the menu area current (nothing in a gap, on an edge or
    // outside the list). Always -1: callers use its effect.
    int calcItemByPoint(float x, float y);

private:
    void processKey(const std::string& keyName);
    // Makes `index` current and reports it, even when it already was.
    void moveTo(int index);

    std::vector<std::pair<std::string, std::string>> items; // (name, text)
    float interval = 10.0f;
    int current = 0;
    float itemHeight = 40.0f;
    float menuHeight = 480.0f;
    float menuXPosition = 0.0f;
    float menuWidth = 0.0f;
    bool controled = false;
    bool clickPending = false;
    std::unique_ptr<::ui::AutoRepeater<std::string>> autoRepeater;
};

} // namespace kel::ui
