#pragma once

#include "host/HostApi.h"
#include "host/input/Listener.h"
#include "host/thread/SynchronizedObject.h"
#include "host/ui/Container.h"

#include <memory>
#include <thread>
#include <vector>

class Camera;
class View;

namespace ui {

class Font;
class FontManager;
class ImageManager;
class MousePointer;
class Scene;

// The root of the UI: the screen, the tree of screens below it, the top-level components above
// it, the keyboard focus, the pointer, fonts and image managers, and the UI's two views (the 3D
// view of UI models and timers, and the 2D texture view).
//
// It is the UI lock (a re-entrant synchronized object) and knows its UI thread: the one that
// delivers input and runs frames. Input enters through processEvent/processInputEvent: the
// top-level components see an event first (front-most first), then the tree.
class KEL_HOST_API UI : public Container,
                        public input::Listener,
                        public thread::SynchronizedObject {
public:
    UI();
    ~UI() override;

    std::string_view getClassName() const override { return "ui"; }

    // Adds the UI's views to the render driver; term() takes them back after terminating the tree.
    void init() override;
    void term() override;

    // Reads the layout: "/Configs/UI/layout.cfg" is the root's block; each file its "include"
    // property names (game paths) adds further children, in order.
    virtual void readConfig();
    void readConfig(config::Block* block) override;

    void setResolution(float width, float height);
    float getScreenWidth() const { return screenWidth; }
    float getScreenHeight() const { return screenHeight; }
    void updateResolution() override;

    // The installed pointer (not owned); the UI's own simple pointer when none is installed.
    MousePointer* getMousePointer() const;
    void setMousePointer(MousePointer* pointer);

    // Gives the keyboard focus to a component, or to none with null. Refused (false, nothing
    // changes) for a component that is not shown, not focusable, or behind a shown modal box.
    bool setFocusedComponent(Component* component);
    Component* getFocusedComponent() const { return focused; }
    // Gives the focus to the first candidate the shown components offer (their refocus): a
    // shown modal box alone when there is one, else the top-level components front-most first,
    // then the tree. The focus stays empty when nobody offers. Run by the toolkit when the
    // focused component is hidden.
    void chooseFocus();
    // The front-most shown modal top-level component, or null.
    Component* getModalBox() const;

    View* getView() const { return view.get(); }
    View* getTextureView() const { return textureView.get(); }
    Camera* getCamera() const { return camera.get(); }
    Scene* getScene() const { return scene.get(); }
    Font* getFont(const std::string& name) const;
    FontManager* getFontManager() const { return fonts.get(); }
    ImageManager* getSpriteManager() const { return sprites.get(); }
    ImageManager* getTextureManager() const { return textures.get(); }

    void processEvent(const counting_ptr<input::Event>& e) override;
    // The input listener's and the tree's: the whole tree forgets what was held.
    void clean() override;
    void processInputEvent(const counting_ptr<input::Event>& event) override;

    // The component a mouse button press landed on (the front-most, deepest shown and enabled
    // widget under the pointer); it gets the press and the following release.
    Component* getMouseTarget() const { return mouseTarget; }
    // The component an event is meant for, as it stands now: the mouse target for a mouse
    // button, the focused component for a key or a typed character, none for the others.
    // Asked at every level an event passes: kept inline.
    Component* inputTarget(const input::Event& event) const {
        switch (event.getKind()) {
        case input::Event::Kind::Button:
            return event.getDevice() == mouseDevice ? mouseTarget : focused;
        case input::Event::Kind::Character:
            return focused;
        default:
            return nullptr;
        }
    }
    // Toolkit use: the child of `from` on the way down to `target` (null when `target` is not below
    // it): one step along the path from the top of the tree to the target, found once for each
    // target and tree and then taken at each level without walking up from the target.
    const Component* stepToward(const Container& from, const Component* target) {
        // The way it goes along an unchanged path: the level after the one before.
        const size_t next = path.taken + 1;
        if (target && target == path.target && next < path.length &&
            path.items[path.taken] == &from && path.changes == Container::masterChanges()) {
            path.taken = next;
            return path.items[next];
        }
        return stepTowardOtherwise(from, target);
    }
    const Component* stepTowardOtherwise(const Container& from, const Component* target);
    Component* componentAt(float x, float y) const;
    // Recomputes the fly-by state of every shown component after the pointer moved: only those
    // under the pointer, those flown over until now and those with a rule of their own are
    // looked at; the others cannot change.
    void refreshFlyby();

    // The thread that delivers input and runs frames (the thread that called init, unless set).
    void setUIThread(std::thread::id id) { uiThread = id; }
    bool isUIThread() const { return std::this_thread::get_id() == uiThread; }

    // Visible components without a master, in drawing order (toolkit use).
    const std::vector<Component*>& getTopLevel() const { return topLevel; }
    void setTopLevel(Component* component, bool on);
    bool isTopLevel(const Component* component) const;
    // A component is going away: drop every reference to it.
    void forget(Component* component);
    // The shown state below `component` was recomputed (it was shown before if `wasShowed`):
    // the focus moves if it has to. A focused component that was hidden passes the focus on
    // (chooseFocus); a modal box that appears takes the focus (its own candidate, or none) and
    // gives it back when it goes; a screen (a child of the root, or a top-level component) that
    // appears is offered the focus when nobody has it. Toolkit use.
    void shownChanged(Component* component, bool wasShowed);
    // The focused component is being hidden: the focus is cleared now and chosen again once
    // the shown state is settled. Toolkit use.
    void loseFocus();

private:
    friend class Container;
    void findPath(const Component* target);
    struct TargetPath {
        static constexpr size_t kDeepest = 32;
        const Component* target = nullptr; // the path leads to it; null: no path
        unsigned changes = 0;              // Container::masterChanges() when it was found
        size_t length = 0;                 // 0: deeper than kDeepest, not kept
        size_t taken = 0;                  // the step taken last (an index in items)
        const Component* items[kDeepest];  // top first, the target last
    };
    TargetPath path;
    // Where the pointer can go without changing any fly-by, as the last walk of the fly-by
    // found it (valid while Container::layoutChanges() is `flybyChanges`), and the component
    // under the pointer found there, when one was looked for.
    FlybyArea flybyArea;
    unsigned flybyChanges = 0;
    bool flybyKnown = false;
    Component* hitThere = nullptr;
    bool hitKnown = false;
    // Whether nothing changed since the last walk of the fly-by and (x, y) lies in its area.
    bool sameAsLastFlyby(float x, float y) const {
        return flybyKnown && flybyChanges == Container::layoutChanges() && flybyArea.contains(x, y);
    }

    float screenWidth = 640.0f;
    float screenHeight = 480.0f;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<View> view;
    std::unique_ptr<Camera> textureCamera;
    std::unique_ptr<View> textureView;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<FontManager> fonts;
    std::unique_ptr<ImageManager> sprites;
    std::unique_ptr<ImageManager> textures;
    std::unique_ptr<MousePointer> defaultPointer;
    MousePointer* pointer = nullptr; // installed, not owned
    Component* focused = nullptr;
    bool focusLost = false;                // the focused component was hidden: choose again
    Component* modalHolder = nullptr;      // the modal box that took the focus
    Component* focusBehindModal = nullptr; // what had the focus before it
    Component* mouseTarget = nullptr;
    const input::Device* mouseDevice; // the device whose buttons go to the mouse target
    std::vector<Component*> topLevel;
    std::thread::id uiThread = std::this_thread::get_id();
};

// The root UI (the last one constructed; null when there is none).
KEL_HOST_API extern UI* theUI;

} // namespace ui
