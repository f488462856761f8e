#pragma once

#include "host/HostApi.h"
#include "host/input/counting_ptr.h"

#include <memory>
#include <string>
#include <string_view>

namespace config {
class Block;
}
namespace input {
class Event;
}

class View;

namespace ui {

class Canvas;
class Container;
struct FlybyArea;
class NotifyEvent;
class ComponentIndex;
class PaintRecord;
class UI;

// A node of the UI tree: a named rectangle that can be shown, enabled, focused and flown over by
// the pointer, that takes input events and reports to its master with notifications.
//
// Ownership: a master owns its children; deleting a component detaches it first. A component
// with a UI but no master that is made visible becomes a top-level component of that UI: it is
// drawn above the tree and takes input first (message boxes, the pointer's picture).
//
// Shown state: a component is shown when it and all its masters are visible and it hangs in the
// UI's tree (or is a visible top-level component of a shown UI). Whenever that state really
// changes, show() or hide() and then updateShowed() run, masters before their children; then the
// fly-by is recomputed, and the UI moves the keyboard focus if it has to (see UI::refocus).
//
// Picture: a component that paints (ui::Paintable) is drawn from what it painted the last time
// it was drawn after a repaint(). A change to what it paints shows only after a repaint(); the
// toolkit repaints on what it changes itself (shown, enabled, focus, fly-by, size).
class KEL_HOST_API Component {
public:
    explicit Component(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                       float height = 0);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    const std::string& getName() const { return name; }
    virtual void setName(const std::string& newName);
    // The class name layouts use for it ("container", "textbutton", "roundmenu"...).
    virtual std::string_view getClassName() const { return "component"; }
    UI* getUI() const { return ui; }
    Container* getMaster() const { return master; }

    // Position relative to the master, in screen units.
    float getXPosition() const { return x; }
    float getYPosition() const { return y; }
    float getWidth() const { return width; }
    float getHeight() const { return height; }
    // Moves the component; the fly-by of it and its descendants follows at once.
    virtual void setPosition(float newX, float newY);
    void setSize(float newWidth, float newHeight);
    // Centres the component in its master (in the screen when it has none).
    void centerBoth();
    void centerHorizontal();
    void centerVertical();
    // Places the component as its layout asked, in its master's current size: centred ("center")
    // and at a distance from the master's right or bottom edge ("right", "bottom"). Run after
    // readConfig and again on every resolution change.
    void placeInMaster();
    // The screen's size, kept through resolution changes.
    void setFullscreen(bool on);
    // The size of what the component centres in: its master's, or the screen's without one.
    float getOuterWidth() const;
    float getOuterHeight() const;
    float getAbsoluteX() const;
    float getAbsoluteY() const;
    // Both in one walk up the tree, the same floats as those two give.
    void getAbsolutePosition(float* absoluteX, float* absoluteY) const;
    // Whether a screen point lies inside the component's absolute rectangle.
    bool contains(float screenX, float screenY) const;

    virtual void setVisible(bool visible);
    bool getVisible() const { return visible; }
    bool isShowed() const { return showed; }
    // Sets the visible flag of the component and of every descendant.
    virtual void setAllVisible(bool visible);

    virtual void setEnabled(bool enabled);
    bool getEnabled() const { return enabled; }

    // Whether the component reports its own input (clicks, widget actions) to its master.
    void setNotify(bool on) { notifyOn = on; }
    bool getNotify() const { return notifyOn; }
    // Receives a notification from a child (or from itself); the base passes it to the master.
    virtual void notify(NotifyEvent& event);

    bool isFocused() const;
    // Called on the component that gained or lost the keyboard focus, after the change.
    virtual void updateFocused();
    // Offers the component (or one of its descendants) as a candidate for the keyboard focus:
    // fills an empty candidate with itself when it is shown, enabled and focusable.
    virtual void refocus(Component** candidate);
    // Whether the component may take the keyboard focus (widgets and screens that read keys);
    // the UI refuses the focus to the others.
    virtual bool isFocusable() const { return false; }

    // The pointer is over the component.
    bool getFlyby() const { return flyby; }
    void setFlyby(bool on);
    // Called when the fly-by state changed.
    virtual void updateFlyby();
    // Recomputes the fly-by state from the pointer's position.
    virtual void reFlyby();
    // Recomputes the fly-by state of the component and of its shown descendants.
    void reFlybyTree();
    // Whether the component's fly-by follows a rule of its own (an override of reFlyby): the
    // pointer's moves then always reach it, wherever it stands.
    bool hasOwnFlyby() const { return ownFlyby; }

    // The component as a container, or null: a test cheap enough for walks run on every event.
    virtual Container* asContainer() { return nullptr; }
    virtual const Container* asContainer() const { return nullptr; }

    // Drawing order among siblings: lower priorities are drawn later (in front) and take input
    // first; equal priorities keep their order.
    int getPriority() const { return priority; }
    void updatePriority(int newPriority);
    // Moves the component to the back of its siblings (drawn first).
    void toBack();

    // Asks for the component to be painted anew the next time it is drawn; until then the
    // drawing shows what it painted before. Counted.
    virtual void repaint();
    unsigned getRepaintCount() const { return repaints; }
    // Whether the next drawing paints the component anew.
    bool needsPaint() const { return pictureStale; }
    // Draws the component's own picture (not its children's) onto a canvas: the one it painted
    // when it was last drawn, where it stands now, painted anew first when a repaint asked for
    // it. Draws nothing for a component that does not paint. Toolkit use (the drawing).
    void draw(Canvas& canvas) const;
    // The 3D view whose content this component shows (a model of a menu's scene), or null. A
    // frame draws such a view where the first shown component showing it stands in the tree,
    // so that 2D drawn before it lies behind it and 2D drawn after it in front.
    virtual const View* getShownView() const { return nullptr; }

    virtual void updateSize();
    virtual void updateResolution();
    virtual void updateShowed();
    virtual void init();
    virtual void term();
    // Reads the component's own options from its layout block: position, size, fullscreen (the
    // size of the screen, kept through resolution changes), visible, enabled, notify, priority,
    // center (see docs/host-ui.md).
    virtual void readConfig(config::Block* block);
    // Input: containers hand an event to their children first; a component then acts on it.
    // The toolkit hands an event only to the components that can act on it: the mouse target
    // (mouse buttons), the focused component (keys, characters), their masters, and the
    // components that hear every event (see setHearsEveryEvent) with their masters.
    virtual void processInputEvent(const counting_ptr<input::Event>& event);
    bool hearsEveryEvent() const { return hearsAll; }
    // Forgets transient input state such as held keys: the player's input went elsewhere (the
    // window lost the focus), so no release will come. Containers pass it to their children.
    virtual void clean() {}

    // Recomputes the shown state of the component and its descendants (toolkit use).
    void refreshShowed();

    // Where the layout described the component: its file (a game path) and the line of its
    // block; "" and 0 for components made in code. For messages about the layout.
    const std::string& getLayoutFile() const { return *layoutFile; }
    int getLayoutLine() const { return layoutLine; }
    void setLayoutSource(const std::string& file, int line);
    // Whether a mouse button on the component makes it the mouse target (widgets do).
    virtual bool acceptsMouse() const { return false; }
    // A modal top-level component takes all input while it is shown: the screens behind it see
    // no key and no click (a question the player must answer first).
    virtual bool isModal() const { return false; }

protected:
    // Run when the shown state changes, before updateShowed().
    virtual void show() {}
    virtual void hide() {}
    // Input for the component itself: a mouse button pressed or released while the component is
    // the UI's mouse target, a key while it has the focus, a typed character while it has the
    // focus. Only enabled, shown components get them.
    virtual void onMouseButton(int code, bool pressed);
    virtual void onKey(int code, const std::string& name, bool pressed);
    virtual void onCharacter(const std::string& text);
    // Whether the component acts on that mouse button itself (a button's left click becomes its
    // "job"); presses of such buttons are not also reported as "mouseclick".
    virtual bool actsOnMouseButton(int) const { return false; }
    // Sends a notification from this component with the given action.
    void notifyAction(const std::string& action);
    // Whether the component reads a layout option itself under a name the toolkit also reads
    // ("right", "bottom"): the toolkit then leaves that option alone.
    virtual bool readsOwnOption(const std::string&) const { return false; }

    // Fields read by subclasses' readConfig.
    void setUI(UI* newUI) { ui = newUI; }
    // A component that overrides processInputEvent to watch input not meant for it (a screen's
    // keys, a click anywhere) asks for every event that reaches its master.
    void setHearsEveryEvent(bool on);
    // A component that overrides reFlyby says so: see hasOwnFlyby.
    void setOwnFlyby(bool on);

private:
    friend class Container;
    friend class UI;
    friend class ComponentIndex;
    bool computeShowed() const;
    // Recomputes the shown state below this component, without moving the focus.
    void refreshShowedTree();
    // After the pointer moved to (px, py): recomputes the fly-by of the component and of the
    // shown descendants whose state may change (those under the pointer, those flown over until
    // now, those with a rule of their own). `left` and `top` are the master's absolute position.
    // With an `area`, narrows it to where what was looked at stays as it is.
    void reFlybyMoved(const UI* by, float px, float py, float masterLeft, float masterTop,
                      FlybyArea* area);
    // Whether the event can make the component, or one below it, act (see processInputEvent).
    bool mayTake(const input::Event& event) const;
    // The position or size changed: the masters' extents are stale.
    void extentChanged();
    // The options of readConfig other than position, size and visible.
    void readPlacement(config::Block* block);

    UI* ui;
    Container* master = nullptr;
    std::string name;
    float x;
    float y;
    float width;
    float height;
    bool visible = false;
    bool showed = false;
    bool enabled = true;
    bool notifyOn = false;
    bool flyby = false;
    bool hearsAll = false;
    bool ownFlyby = false;
    bool fullscreen = false;
    enum Centering : unsigned char { NotCentred, Both, Horizontal, Vertical };
    Centering centering = NotCentred;
    int priority = 0;
    float rightMargin = -1; // kept from the master's right edge when not negative
    float bottomMargin = -1;
    unsigned repaints = 0;
    mutable std::unique_ptr<PaintRecord> picture; // made on the first drawing
    mutable bool pictureStale = true;
    const std::string* layoutFile; // interned: layouts are few, components many
    int layoutLine = 0;
    // The chain of the components of the same name (see ComponentIndex), kept by the index
    // under its lock: the next one, the link that points at this one, and whether that link is
    // the index's own.
    Component* nextNamed = nullptr;
    Component** previousNamed = nullptr;
    bool firstNamed = false;
};

} // namespace ui
