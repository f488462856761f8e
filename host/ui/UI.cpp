#include "host/ui/UI.h"
#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/Camera.h"
#include "host/engine/ListSnapshot.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"
#include "host/input/Device.h"
#include "host/ui/Font.h"
#include "host/ui/ImageManager.h"
#include "host/ui/MousePointer.h"
#include "host/ui/Scene.h"

#include <algorithm>
#include <utility>

namespace ui {

UI* theUI = nullptr;

namespace {
debug::Filter& uiFilter() {
    static debug::Filter filter("ui", true);
    return filter;
}
} // namespace

UI::UI()
    : camera(std::make_unique<Camera>()),
      view(std::make_unique<View>(camera.get(), Viewport(), "ui")),
      textureCamera(std::make_unique<Camera>()),
      textureView(std::make_unique<View>(textureCamera.get(), Viewport(), "ui-texture")),
      fonts(std::make_unique<FontManager>()), sprites(std::make_unique<ImageManager>("sprite")),
      textures(std::make_unique<ImageManager>("texture")),
      mouseDevice(input::devices::PCMouse::instance()) {
    setUI(this);
    theUI = this;
    camera->setTransformation(Camera::lookingAt(0, 0), Vector());
    textureCamera->setTransformation(Camera::lookingAt(0, 0), Vector());
    // The UI's views draw after every 3D scene.
    view->setRenderPriority(1000);
    textureView->setRenderPriority(1001);
    scene = std::make_unique<Scene>(this, "ui-scene");
    defaultPointer = std::make_unique<MousePointer>(this);
}

UI::~UI() {
    deleteAllComponents();
    // Top-level components that outlive the UI must not call back into it.
    for (Component* component : topLevel)
        component->setUI(nullptr);
    topLevel.clear();
    theRenderDriver->removeView(view.get());
    theRenderDriver->removeView(textureView.get());
    if (theUI == this)
        theUI = nullptr;
}

void UI::init() {
    uiThread = std::this_thread::get_id();
    view->activate();
    textureView->activate();
    theRenderDriver->addView(view.get());
    theRenderDriver->addView(textureView.get());
    theRenderDriver->setScreenSize(screenWidth, screenHeight);
    Container::init();
}

void UI::term() {
    Container::term();
    theRenderDriver->removeView(view.get());
    theRenderDriver->removeView(textureView.get());
    view->deactivate();
    textureView->deactivate();
}

void UI::readConfig() {
    config::Config layout;
    if (!layout.readFile("/Configs/UI/layout.cfg")) {
        debug::Error error(debug::Context("/Configs/UI/layout.cfg", 0),
                           "cannot read the layout; the UI stays empty");
        debug::report(uiFilter(), error);
        return;
    }
    setLayoutSource("/Configs/UI/layout.cfg", 1);
    readConfig(&layout);
    for (const auto& path : layout.getList("include")) {
        config::Config part;
        if (!part.readFile(path)) {
            const config::Location where = layout.getPropertyLocation("include");
            debug::Error error(debug::Context(layout.getSourceFile(), where.line, where.column),
                               "cannot read the included layout '" + path + "'");
            debug::report(uiFilter(), error);
            continue;
        }
        buildChildren(&part);
    }
}

void UI::readConfig(config::Block* block) {
    Container::readConfig(block);
}

void UI::setResolution(float width, float height) {
    screenWidth = width;
    screenHeight = height;
    // The root covers the screen, so its children can centre themselves in it.
    setSize(width, height);
    theRenderDriver->setScreenSize(width, height);
    getMousePointer()->setScreenSize(width, height);
}

void UI::updateResolution() {
    theRenderDriver->setScreenSize(screenWidth, screenHeight);
    Container::updateResolution();
    for (Component* component : std::vector<Component*>(topLevel))
        component->updateResolution();
}

MousePointer* UI::getMousePointer() const {
    return pointer ? pointer : defaultPointer.get();
}

void UI::setMousePointer(MousePointer* newPointer) {
    pointer = newPointer;
    Container::layoutChanged();
}

bool UI::setFocusedComponent(Component* component) {
    if (component == focused)
        return true;
    if (component) {
        // Shown, or being shown: a screen that appears may focus a child in its updateShowed,
        // before the child's own turn comes.
        if (!component->computeShowed() || !component->isFocusable())
            return false;
        // Nothing behind a modal box takes it.
        const Component* box = getModalBox();
        const Container* boxContainer = box ? box->asContainer() : nullptr;
        if (box && component != box && !(boxContainer && boxContainer->isAncestorOf(component)))
            return false;
    }
    Component* previous = focused;
    focused = component;
    if (previous) {
        previous->repaint();
        previous->updateFocused();
    }
    if (focused && focused == component) {
        focused->repaint();
        focused->updateFocused();
    }
    return true;
}

void UI::loseFocus() {
    focusLost = true;
    setFocusedComponent(nullptr);
}

Component* UI::getModalBox() const {
    for (auto it = topLevel.rbegin(); it != topLevel.rend(); ++it)
        if ((*it)->isShowed() && (*it)->isModal())
            return *it;
    return nullptr;
}

namespace {

// The first candidate `component` offers for the focus, or null.
Component* candidateOf(Component* component) {
    Component* candidate = nullptr;
    if (component->isShowed())
        component->refocus(&candidate);
    return candidate;
}

} // namespace

void UI::chooseFocus() {
    if (Component* box = getModalBox()) {
        setFocusedComponent(candidateOf(box));
        return;
    }
    for (auto it = topLevel.rbegin(); it != topLevel.rend(); ++it)
        if (Component* candidate = candidateOf(*it)) {
            setFocusedComponent(candidate);
            return;
        }
    setFocusedComponent(candidateOf(this));
}

void UI::shownChanged(Component* component, bool wasShowed) {
    const bool appeared = !wasShowed && component->isShowed();
    if (component->isModal() && component != modalHolder && appeared &&
        getModalBox() == component) {
        // The box takes the keys: nothing behind it keeps the focus.
        if (!modalHolder)
            focusBehindModal = focused;
        modalHolder = component;
        focusLost = false;
        Component* candidate = candidateOf(component);
        if (candidate != focused) {
            setFocusedComponent(nullptr);
            setFocusedComponent(candidate);
        }
        return;
    }
    if (component == modalHolder && !component->isShowed()) {
        // The box went: the focus goes back to what had it, when it still can take it.
        Component* back = focusBehindModal;
        modalHolder = nullptr;
        focusBehindModal = nullptr;
        if (getModalBox())
            chooseFocus();
        else if (!(back && back->getEnabled() && setFocusedComponent(back)))
            focusLost = true;
    }
    if (focusLost) {
        focusLost = false;
        if (!focused)
            chooseFocus();
        return;
    }
    // A screen (a child of the root, or a top-level component) shown while the focus is free
    // offers it (refused behind a modal box).
    if (appeared && !focused && (component->getMaster() == this || isTopLevel(component)))
        setFocusedComponent(candidateOf(component));
}

Font* UI::getFont(const std::string& name) const {
    return fonts->getFont(name);
}

void UI::processEvent(const counting_ptr<input::Event>& e) {
    processInputEvent(e);
}

void UI::clean() {
    thread::Lock hold(*this);
    Container::clean();
    for (Component* top : std::vector<Component*>(topLevel))
        top->clean();
}

void UI::processInputEvent(const counting_ptr<input::Event>& event) {
    // Input changes the tree: other threads (a host asking a question) take the same lock.
    thread::Lock hold(*this);
    if (!isShowed())
        return;
    auto* button = event.as<input::events::Button>();
    const bool mouse = button && button->getDevice() == mouseDevice;
    if (mouse && button->isPressed()) {
        const MousePointer* current = getMousePointer();
        const float x = current->getX(), y = current->getY();
        // Where the fly-by found nothing changed, the component under the pointer is the one
        // found there before (the pointer's picture, moving with it, is left out of that).
        const Component* picture = current->getComponent();
        const bool known = sameAsLastFlyby(x, y) && !(picture && picture->isShowed());
        if (known && hitKnown) {
            mouseTarget = hitThere;
        } else {
            mouseTarget = componentAt(x, y);
            hitThere = mouseTarget;
            hitKnown = known;
        }
    }
    // Top-level components are in front of the tree: they see the event first. Only what is
    // shown when the event arrives takes it.
    // The top-level components are copied to a per-thread list reused from event to event:
    // delivery allocates nothing. The screens' delivery starts now, whatever the event: a
    // top-level component may give the focus to one of them before their turn, or show one.
    Delivery tree(*this);
    // A mouse button over a top-level component is its alone: the screens behind never see a
    // click on a box in front of them, nor any input at all while a modal one is shown.
    bool covered = false;
    if (!topLevel.empty()) {
        ListSnapshot<Component*> front;
        front.items().assign(topLevel.rbegin(), topLevel.rend());
        for (Component* component : front)
            covered = covered || (component->isShowed() && component->isModal());
        if (mouse) {
            const MousePointer* current = getMousePointer();
            for (Component* component : front)
                covered = covered || (component->isShowed() &&
                                      component->contains(current->getX(), current->getY()) &&
                                      component != current->getComponent());
        }
        for (Component* component : front)
            if (std::find(topLevel.begin(), topLevel.end(), component) != topLevel.end() &&
                component->isShowed() && component->mayTake(*event))
                component->processInputEvent(event);
    }
    if (!covered) {
        deliver(event, tree, inputTarget(*event));
        Component::processInputEvent(event);
    }
    if (event->getKind() == input::Event::Kind::Motion)
        refreshFlyby();
}

void UI::findPath(const Component* target) {
    path.target = target;
    path.changes = Container::masterChanges();
    path.taken = 0;
    size_t depth = 0;
    for (const Component* at = target; at; at = at->getMaster())
        ++depth;
    path.length = depth <= TargetPath::kDeepest ? depth : 0;
    if (path.length)
        for (const Component* at = target; at; at = at->getMaster())
            path.items[--depth] = at;
}

const Component* UI::stepTowardOtherwise(const Container& from, const Component* target) {
    if (!target)
        return nullptr;
    if (target != path.target || path.changes != Container::masterChanges())
        findPath(target);
    if (path.length == 0)
        return from.childToward(target);
    // Each level takes the step after the one before it; a level reached another way (a
    // hearer's master, an event sent from a handler) looks itself up.
    size_t at = path.taken;
    if (at >= path.length || path.items[at] != &from) {
        at = 0;
        while (at < path.length && path.items[at] != &from)
            ++at;
    }
    // Not on the path, or the target itself: nothing below leads to it.
    if (at + 1 >= path.length)
        return nullptr;
    path.taken = at + 1;
    return path.items[at + 1];
}

namespace {

// The front-most, deepest component under a point that takes mouse buttons. The walk carries
// each component's absolute position down rather than asking every component for its own.
Component* hit(Component* component, float x, float y, float masterX, float masterY) {
    if (!component->isShowed() || !component->getEnabled())
        return nullptr;
    const float left = masterX + component->getXPosition();
    const float top = masterY + component->getYPosition();
    if (Container* container = component->asContainer()) {
        const auto& children = container->getChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            if (Component* found = hit(*it, x, y, left, top))
                return found;
    }
    const bool inside = x >= left && x < left + component->getWidth() && y >= top &&
                        y < top + component->getHeight();
    return inside && component->acceptsMouse() ? component : nullptr;
}

} // namespace

Component* UI::componentAt(float x, float y) const {
    for (auto it = topLevel.rbegin(); it != topLevel.rend(); ++it)
        if (Component* found = hit(*it, x, y, 0, 0))
            return found;
    const float left = getAbsoluteX(), top = getAbsoluteY();
    for (auto it = getChildren().rbegin(); it != getChildren().rend(); ++it)
        if (Component* found = hit(*it, x, y, left, top))
            return found;
    return nullptr;
}

void UI::refreshFlyby() {
    const MousePointer* current = getMousePointer();
    const float x = current->getX(), y = current->getY();
    // The pointer's picture moves with it: it is looked at every time, and it narrows no area.
    Component* picture = current->getComponent();
    if (picture && (picture->getMaster() || !isTopLevel(picture)))
        picture = nullptr;
    if (sameAsLastFlyby(x, y)) {
        if (picture)
            picture->reFlybyMoved(this, x, y, 0, 0, nullptr);
        return;
    }
    const unsigned before = Container::layoutChanges();
    FlybyArea area;
    if (!topLevel.empty())
        for (Component* component : ListSnapshot<Component*>(topLevel))
            component->reFlybyMoved(this, x, y, 0, 0, component == picture ? nullptr : &area);
    const float left = getAbsoluteX(), top = getAbsoluteY();
    const Extent& below = extent();
    const float belowLeft = left + below.left, belowTop = top + below.top;
    const float belowRight = left + below.right, belowBottom = top + below.bottom;
    if (watchedBelow > 0 ||
        (!below.empty && x >= belowLeft && x < belowRight && y >= belowTop && y < belowBottom)) {
        for (size_t i = 0; i < getChildren().size(); ++i)
            getChildren()[i]->reFlybyMoved(this, x, y, left, top, &area);
    } else if (!below.empty) {
        area.outside(x, y, belowLeft, belowTop, belowRight, belowBottom);
    }
    // A fly-by that changed ran handlers that may have changed anything: nothing is kept.
    flybyKnown = Container::layoutChanges() == before;
    flybyArea = area;
    flybyChanges = before;
    hitKnown = false;
}

void UI::setTopLevel(Component* component, bool on) {
    auto at = std::find(topLevel.begin(), topLevel.end(), component);
    if (!on) {
        if (at != topLevel.end()) {
            topLevel.erase(at);
            Container::layoutChanged();
        }
        return;
    }
    if (at != topLevel.end())
        return;
    Container::layoutChanged();
    // Kept in drawing order, like siblings: lower priorities in front (later).
    auto place = topLevel.end();
    while (place != topLevel.begin() && (*(place - 1))->getPriority() < component->getPriority())
        --place;
    topLevel.insert(place, component);
}

bool UI::isTopLevel(const Component* component) const {
    return std::find(topLevel.begin(), topLevel.end(), component) != topLevel.end();
}

void UI::forget(Component* component) {
    setTopLevel(component, false);
    if (focused == component)
        focused = nullptr;
    if (mouseTarget == component)
        mouseTarget = nullptr;
    if (focusBehindModal == component)
        focusBehindModal = nullptr;
    if (modalHolder == component) {
        // A box deleted while shown: the focus goes back as when it is hidden.
        modalHolder = nullptr;
        Component* back = focusBehindModal;
        focusBehindModal = nullptr;
        if (back && back->getEnabled())
            setFocusedComponent(back);
    }
}

} // namespace ui
