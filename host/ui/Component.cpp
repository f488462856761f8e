#include "host/ui/Component.h"
#include "host/config/Block.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/ui/ComponentIndex.h"
#include "host/ui/Container.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/PaintRecord.h"
#include "host/ui/Paintable.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace ui {

namespace {

// One copy of each layout file name for every component built from it; never freed.
const std::string* internFileName(const std::string& file) {
    // A layout's components come one after the other from the same file.
    thread_local const std::string* last = nullptr;
    if (last && *last == file)
        return last;
    static std::mutex mutex;
    static std::set<std::string> names{std::string()};
    std::lock_guard<std::mutex> guard(mutex);
    last = &*names.insert(file).first;
    return last;
}

// The name of no file, for components made in code.
const std::string* noFileName() {
    static const std::string* const none = internFileName(std::string());
    return none;
}

} // namespace

Component::Component(UI* ui, float x, float y, float width, float height)
    : ui(ui), x(x), y(y), width(width), height(height), layoutFile(noFileName()) {}

void Component::setLayoutSource(const std::string& file, int line) {
    layoutFile = internFileName(file);
    layoutLine = line;
}

Component::~Component() {
    visible = false;
    if (master)
        master->removeComponent(this);
    if (ui && ui != this)
        ui->forget(this);
    if (!name.empty())
        ComponentIndex::instance().remove(name, this);
}

void Component::setName(const std::string& newName) {
    if (newName == name)
        return;
    if (!name.empty())
        ComponentIndex::instance().remove(name, this);
    name = newName;
    if (!name.empty())
        ComponentIndex::instance().add(name, this);
}

void Component::setPosition(float newX, float newY) {
    if (newX == x && newY == y)
        return;
    x = newX;
    y = newY;
    extentChanged();
    // The pointer may now be over it or off it without moving.
    reFlybyTree();
}

void Component::setSize(float newWidth, float newHeight) {
    const bool changed = newWidth != width || newHeight != height;
    width = newWidth;
    height = newHeight;
    updateSize();
    if (changed) {
        extentChanged();
        // A picture of another size is painted anew.
        repaint();
        reFlybyTree();
    }
}

void Component::centerBoth() {
    centerHorizontal();
    centerVertical();
}

float Component::getOuterWidth() const {
    return master ? master->getWidth() : (ui ? ui->getScreenWidth() : 0);
}

float Component::getOuterHeight() const {
    return master ? master->getHeight() : (ui ? ui->getScreenHeight() : 0);
}

void Component::centerHorizontal() {
    setPosition((getOuterWidth() - width) / 2, y);
}

void Component::centerVertical() {
    setPosition(x, (getOuterHeight() - height) / 2);
}

float Component::getAbsoluteX() const {
    return x + (master ? master->getAbsoluteX() : 0);
}

float Component::getAbsoluteY() const {
    return y + (master ? master->getAbsoluteY() : 0);
}

void Component::getAbsolutePosition(float* absoluteX, float* absoluteY) const {
    // The sums run from the top of the tree down, as getAbsoluteX's do, so that a fractional
    // position gives the same float either way; the chain is kept on the stack for that.
    constexpr size_t kDeepest = 32;
    const Component* chain[kDeepest];
    size_t depth = 0;
    for (const Component* at = this; at; at = at->master) {
        if (depth == kDeepest) {
            *absoluteX = getAbsoluteX();
            *absoluteY = getAbsoluteY();
            return;
        }
        chain[depth++] = at;
    }
    float sumX = 0, sumY = 0;
    while (depth > 0) {
        const Component* at = chain[--depth];
        sumX = at->x + sumX;
        sumY = at->y + sumY;
    }
    *absoluteX = sumX;
    *absoluteY = sumY;
}

bool Component::contains(float screenX, float screenY) const {
    float left, top;
    getAbsolutePosition(&left, &top);
    return screenX >= left && screenX < left + width && screenY >= top && screenY < top + height;
}

bool Component::computeShowed() const {
    if (!visible)
        return false;
    if (ui == this)
        return true;
    if (master)
        return master->showed;
    // A top-level component of a UI.
    return ui && ui->isShowed() && ui->isTopLevel(this);
}

void Component::setVisible(bool on) {
    visible = on;
    if (!master && ui && ui != this)
        ui->setTopLevel(this, on);
    refreshShowed();
}

void Component::setAllVisible(bool on) {
    setVisible(on);
}

void Component::refreshShowed() {
    const bool wasShowed = showed;
    refreshShowedTree();
    if (ui)
        ui->shownChanged(this, wasShowed);
}

void Component::refreshShowedTree() {
    const bool now = computeShowed();
    if (now != showed) {
        if (master)
            master->childrenChanging();
        Container::layoutChanged();
        showed = now;
        if (now) {
            pictureStale = true;
            show();
        } else {
            hide();
            if (ui && ui->getFocusedComponent() == this)
                ui->loseFocus();
            setFlyby(false);
        }
        updateShowed();
        if (now && showed)
            reFlyby();
    } else if (!now && ui && ui != this && ui->getFocusedComponent() == this) {
        // Focused on its way to being shown, and hidden again before it was.
        ui->loseFocus();
    }
    // Most containers built from layouts are widgets without children: no copy for them.
    if (Container* container = asContainer(); container && !container->children.empty())
        for (Component* child : container->snapshot())
            if (child->master == container)
                child->refreshShowedTree();
    if (ui == this)
        for (Component* top : std::vector<Component*>(ui->getTopLevel()))
            top->refreshShowedTree();
}

void Component::setEnabled(bool on) {
    if (on != enabled) {
        repaint();
        Container::layoutChanged();
    }
    enabled = on;
}

void Component::notify(NotifyEvent& event) {
    if (master)
        master->notify(event);
}

void Component::notifyAction(const std::string& action) {
    NotifyEvent event(this);
    event.setSValue("action", action);
    notify(event);
}

bool Component::isFocused() const {
    return ui && ui->getFocusedComponent() == this;
}

void Component::updateFocused() {}

void Component::refocus(Component** candidate) {
    if (!*candidate && showed && enabled && isFocusable())
        *candidate = this;
}

void Component::setFlyby(bool on) {
    if (on == flyby)
        return;
    flyby = on;
    Container::layoutChanged();
    Container::addBelow(master, 0, on ? 1 : -1);
    repaint();
    updateFlyby();
}

void Component::updateFlyby() {}

void Component::reFlyby() {
    MousePointer* pointer = ui ? ui->getMousePointer() : nullptr;
    setFlyby(showed && pointer && contains(pointer->getX(), pointer->getY()));
}

void Component::setHearsEveryEvent(bool on) {
    if (on == hearsAll)
        return;
    hearsAll = on;
    Container::addBelow(master, on ? 1 : -1, 0);
}

void Component::setOwnFlyby(bool on) {
    if (on == ownFlyby)
        return;
    ownFlyby = on;
    Container::layoutChanged();
    Container::addBelow(master, 0, on ? 1 : -1);
}

void Component::extentChanged() {
    if (master)
        master->extentStale();
    // The pointer's own picture follows the pointer: where the pointer is, nothing else changed.
    if (master || !ui || ui == this || ui->getMousePointer()->getComponent() != this)
        Container::layoutChanged();
}

void Component::reFlybyMoved(const UI* by, float px, float py, float masterLeft, float masterTop,
                             FlybyArea* area) {
    if (!showed)
        return;
    const float left = masterLeft + x;
    const float top = masterTop + y;
    if (ownFlyby || ui != by) {
        reFlyby();
        if (area)
            area->usable = false;
    } else {
        const float right = left + width, bottom = top + height;
        const bool over = px >= left && px < right && py >= top && py < bottom;
        if (area) {
            if (over)
                area->inside(left, top, right, bottom);
            else
                area->outside(px, py, left, top, right, bottom);
        }
        if (over != flyby)
            setFlyby(over);
    }
    // Below, only what is under the pointer or was flown over can change.
    Container* container = asContainer();
    if (!container)
        return;
    const Container::Extent& below = container->extent();
    if (below.empty && container->watchedBelow == 0)
        return;
    const float belowLeft = left + below.left, belowTop = top + below.top;
    const float belowRight = left + below.right, belowBottom = top + below.bottom;
    if (container->watchedBelow > 0 ||
        (px >= belowLeft && px < belowRight && py >= belowTop && py < belowBottom)) {
        for (size_t i = 0; i < container->children.size(); ++i)
            container->children[i]->reFlybyMoved(by, px, py, left, top, area);
    } else if (area) {
        area->outside(px, py, belowLeft, belowTop, belowRight, belowBottom);
    }
}

bool Component::mayTake(const input::Event& event) const {
    const Container* container = asContainer();
    if (hearsAll || (container && container->hearersBelow > 0))
        return true;
    const Component* target = ui ? ui->inputTarget(event) : nullptr;
    return target && (target == this || (container && container->isAncestorOf(target)));
}

void Component::reFlybyTree() {
    if (!showed)
        return;
    reFlyby();
    if (Container* container = asContainer())
        for (size_t i = 0; i < container->children.size(); ++i)
            container->children[i]->reFlybyTree();
}

void Component::updatePriority(int newPriority) {
    priority = newPriority;
    if (master)
        master->sortChild(this);
}

void Component::toBack() {
    if (!master)
        return;
    master->childrenChanging();
    Container::layoutChanged();
    auto& siblings = master->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    auto at = siblings.begin();
    while (at != siblings.end() && (*at)->priority > priority)
        ++at;
    siblings.insert(at, this);
}

void Component::repaint() {
    ++repaints;
    pictureStale = true;
}

void Component::draw(Canvas& canvas) const {
    const auto* paintable = dynamic_cast<const Paintable*>(this);
    if (!paintable)
        return;
    const float left = getAbsoluteX(), top = getAbsoluteY();
    if (!picture) {
        picture = std::make_unique<PaintRecord>();
        pictureStale = true;
    }
    if (pictureStale) {
        picture->begin(left, top);
        paintable->paint(*picture);
        pictureStale = false;
    }
    picture->replay(canvas, left, top);
}

void Component::updateSize() {}

void Component::setFullscreen(bool on) {
    fullscreen = on;
    if (on && ui)
        setSize(ui->getScreenWidth(), ui->getScreenHeight());
}

void Component::updateResolution() {
    if (fullscreen && ui)
        setSize(ui->getScreenWidth(), ui->getScreenHeight());
    placeInMaster();
}

void Component::placeInMaster() {
    if (centering == Both || centering == Horizontal)
        centerHorizontal();
    if (centering == Both || centering == Vertical)
        centerVertical();
    if (rightMargin >= 0)
        setPosition(getOuterWidth() - width - rightMargin, y);
    if (bottomMargin >= 0)
        setPosition(x, getOuterHeight() - height - bottomMargin);
}

void Component::updateShowed() {
    repaint();
}

void Component::init() {}

void Component::term() {}

void Component::readConfig(config::Block* block) {
    float pair[2];
    if (LayoutOptions::readNumbers(block, "position", 2, pair))
        setPosition(pair[0], pair[1]);
    if (LayoutOptions::readNumbers(block, "size", 2, pair, config::Range::atLeast(0))) {
        setSize(pair[0], pair[1]);
        fullscreen = false; // a size of its own: no longer the screen's
    }
    bool flag = false;
    // The options below are rare in layouts: most blocks have none of them.
    static const LayoutOptions::OptionSet seldom{"enabled", "notify", "priority", "fullscreen",
                                                 "center",  "right",  "bottom"};
    if (LayoutOptions::mayHaveAny(block, seldom))
        readPlacement(block);
    placeInMaster();
    // A plain component shows itself at once; a container waits for its children.
    if (!asContainer() && LayoutOptions::readBool(block, "visible", &flag))
        setVisible(flag);
}

void Component::readPlacement(config::Block* block) {
    bool flag = false;
    if (LayoutOptions::readBool(block, "enabled", &flag))
        setEnabled(flag);
    if (LayoutOptions::readBool(block, "notify", &flag))
        setNotify(flag);
    int order = 0;
    if (LayoutOptions::readInt(block, "priority", config::Range(), &order))
        updatePriority(order);
    if (LayoutOptions::readBool(block, "fullscreen", &flag) && flag)
        setFullscreen(true);
    // Numbered as a formatted text's centring, which reads the same option.
    int center = 0;
    if (LayoutOptions::readChoice(block, "center", {"none", "horizontal", "both", "vertical"},
                                  &center))
        centering = center == 1   ? Horizontal
                    : center == 2 ? Both
                    : center == 3 ? Vertical
                                  : NotCentred;
    float margin = 0;
    if (!readsOwnOption("right") &&
        LayoutOptions::readNumber(block, "right", config::Range::atLeast(0), &margin))
        rightMargin = margin;
    if (!readsOwnOption("bottom") &&
        LayoutOptions::readNumber(block, "bottom", config::Range::atLeast(0), &margin))
        bottomMargin = margin;
}

void Component::processInputEvent(const counting_ptr<input::Event>& event) {
    if (!showed || !enabled || !ui)
        return;
    static const input::Device* const mouse = input::devices::PCMouse::instance();
    if (auto* button = event.as<input::events::Button>()) {
        const int code = button->getCode();
        if (button->getDevice() == mouse) {
            if (ui->getMouseTarget() != this)
                return;
            onMouseButton(code, button->isPressed());
            if (button->isPressed() && notifyOn && !actsOnMouseButton(code)) {
                NotifyEvent click(this);
                click.setSValue("action", "mouseclick");
                click.setIValue("value", code);
                notify(click);
            }
        } else if (isFocused()) {
            onKey(code, button->getState()->getName(), button->isPressed());
        }
    } else if (auto* typed = event.as<input::events::Character>()) {
        if (isFocused())
            onCharacter(typed->getText());
    }
}

void Component::onMouseButton(int, bool) {}

void Component::onKey(int, const std::string&, bool) {}

void Component::onCharacter(const std::string&) {}

} // namespace ui
