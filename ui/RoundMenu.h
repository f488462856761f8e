#pragma once

#include "host/engine/Math.h"
#include "host/engine/RenderDriverListener.h"
#include "ui/Scene.h"
#include "ui/UiApi.h"

#include <memory>
#include <string>

class SEContour;
class SEDirectHighlight;

namespace kel::ui {

class EntireMenuItem;
class RoundMenuContainer;

// The entries of a main or in-game menu as 3D models on a tilted ring seen from above; the
// entry at the front is the current one. Left and right turn the ring at 5 rad/s and it always
// comes to rest with an entry exactly at the front; the mouse picks the entry under the pointer.
// Showing it plays an appear animation, choosing an entry either asks for another round menu at
// once ("changemenu") or flies out and reports "command" on the frame after the fly-out. Every
// step goes up as a notification; the children are the entries (EntireMenuItem), in order.
//
// Locks: the frame step holds the root UI's lock; key and phase changes hold the render
// driver's, so a phase change made by the frame step takes it inside the UI lock. Frames come
// with the driver's lock held, so the frame step never waits for the UI lock: when another
// thread has it, the step is left to the next frame.
class KEL_UI_API RoundMenu : public Scene, public RenderDriverListener {
public:
    enum Phase { NONE = 0, START = 1, WORK = 2, END = 3, FINISHED = 4 };
    enum Rotation { STOPPED = 0, DECREASING = 1, INCREASING = 2 };

    // Registers itself as a frame listener of the render driver until term (or destruction).
    explicit RoundMenu(::ui::UI* ui);
    ~RoundMenu() override;

    std::string_view getClassName() const override { return "roundmenu"; }
    void term() override;
    void notify(::ui::NotifyEvent& event) override;
    // The entries, then "escapeEvent" and "escapeFlyOut".
    void readConfig(config::Block* block) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void updateShowed() override;
    // The current ring of its container has the keyboard focus.
    bool isFocusable() const override { return true; }
    void initFrame(float) override;

    virtual void leftKey(bool pressed);
    virtual void rightKey(bool pressed);
    virtual void enter();
    virtual void esc();
    // Hides the menu at the end of its fly-out.
    virtual void realyHide();

    // Forgets the held keys (the toolkit asks when the player's input went elsewhere).
    void clean() override;
    void flyOut();
    // Chooses the entry under the pointer at once, without a fly-out (work phase only).
    void mouseDoubleClicked();

    SEDirectHighlight* getHighlight() const { return highlight.get(); }
    SEContour* getContour() const { return contour.get(); }
    const std::string& getEscapeEvent() const { return escapeEvent; }
    bool getEscapeFlyOut() const { return escapeFlyOut; }
    // The name of entry `index`; empty for -1 (the exit) or an index out of range.
    std::string getItemName(int index) const;
    // Added to every entry's position.
    void setTransformationVector(const Vector& offset) { itemOffset = offset; }

    Phase getPhase() const { return phase; }
    Rotation getRotation() const { return rotation; }
    // 0 none, 1 left, 2 right, 3 right then left (left wins), 4 left then right (right wins).
    int getKeys() const { return keys; }
    // Radians, in [0, 2 pi] once the entries are placed.
    float getAngle() const { return angle; }
    float getHomeAngle() const { return homeAngle; }
    float getRadius() const { return radius; }
    const Vector& getRingCentre() const { return ringCentre; }
    const Matrix3& getRingOrientation() const { return ringOrientation; }
    const Matrix3& getItemOrientation() const { return itemOrientation; }
    int getFocusedItem() const { return focusedItem; }
    int getHighlighted() const { return highlighted; }
    int getItemCount() const;
    // Entry `index` in child order; null out of range.
    EntireMenuItem* getItem(int index) const;
    // The entry nearest the front by angle (first on ties); -1 without entries.
    int findCurrentItem() const;

private:
    void arrangeScene();
    void update();
    void startPhaseStep();
    void endPhaseStep();
    void workPhaseStep();
    // Places every entry on the ring at the current angle and radius.
    void rotate();
    // The first slot k (angle k * step) crossed moving from the angle to `next`; -1 for none.
    int crossedSlot(float next, int count) const;
    void setPhase(Phase value);
    void setRotation(Rotation value);
    void updateFocusedItem();
    void setContour(EntireMenuItem* item);
    void setHighlight(int index);
    void mouseClicked();
    void sendImmediateOrDeffredCommand(int index);
    // The first entry under the pointer; -1 for none.
    int itemUnderMouse() const;
    RoundMenuContainer* container() const;
    bool isMouseLastUsed() const;
    void setMouseLastUsed(bool on);
    void sendItemAction(const char* action, const std::string& itemName);

    Phase phase = NONE;
    Rotation rotation = STOPPED;
    int keys = 0;
    float now = 0;          // render-timer seconds
    float previousTime = 0; // render-timer seconds
    float frameTime = 0;
    float phaseStartTime = 0;
    bool phaseStarted = false;
    bool commandPending = false;
    float angle = 0;
    float endStartAngle = 0;
    float homeAngle = 0;
    Matrix3 itemOrientation;
    Vector itemOffset;
    Matrix3 ringOrientation;
    float radius = 1.5f;
    Vector ringCentre;
    std::unique_ptr<SEDirectHighlight> highlight;
    std::unique_ptr<SEContour> contour;
    int highlighted = -1;
    EntireMenuItem* contoured = nullptr; // one of the entries, owned by the tree
    std::string escapeEvent;
    // -2 none, -1 the exit, else the entry whose command waits for the fly-out.
    int deferredItem = -2;
    bool escapeFlyOut = false;
    int focusedItem = -1;
};

} // namespace kel::ui
