#include "host/ui/Container.h"
#include "host/config/Block.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/ui/ComponentIndex.h"
#include "host/ui/Factory.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <utility>

namespace ui {

std::atomic<unsigned> Container::masterChangeCount{0};
std::atomic<unsigned> Container::layoutChangeCount{0};

Container::Container(UI* ui, float x, float y, float width, float height)
    : Component(ui, x, y, width, height) {}

Container::~Container() {
    deleteAllComponents();
}

Component* Container::getComponent(const std::string& childName) const {
    for (Component* child : children)
        if (child->getName() == childName)
            return child;
    return nullptr;
}

Component* Container::getComponent(int index) const {
    return index >= 0 && index < getComponentsCount() ? children[index] : nullptr;
}

Component* Container::getNextComponent(const Component* current) const {
    if (!current)
        return children.empty() ? nullptr : children.front();
    auto at = std::find(children.begin(), children.end(), current);
    if (at == children.end() || ++at == children.end())
        return nullptr;
    return *at;
}

bool Container::isAncestorOf(const Component* component) const {
    for (const Component* m = component ? component->getMaster() : nullptr; m; m = m->getMaster())
        if (m == this)
            return true;
    return false;
}

Component* Container::getDescendant(const std::string& descendantName) const {
    return ComponentIndex::instance().firstBelow(this, descendantName);
}

void Container::addComponent(Component* child, bool first) {
    if (!child || child == this)
        return;
    if (child->master)
        child->master->removeComponent(child);
    if (child->ui && child->ui != child)
        child->ui->setTopLevel(child, false);
    child->master = this;
    masterChanged();
    auto at = children.begin();
    if (first) {
        while (at != children.end() && (*at)->getPriority() > child->getPriority())
            ++at;
    } else {
        at = children.end();
        while (at != children.begin() && (*(at - 1))->getPriority() < child->getPriority())
            --at;
    }
    childrenChanging();
    children.insert(at, child);
    countSubtree(child, 1);
    extentStale();
    child->refreshShowed();
}

Component* Container::removeComponent(Component* child) {
    auto at = std::find(children.begin(), children.end(), child);
    if (at == children.end())
        return nullptr;
    childrenChanging();
    children.erase(at);
    ++removals;
    countSubtree(child, -1);
    extentStale();
    child->master = nullptr;
    masterChanged();
    // Detached, it is hidden until it is added again or shown as a top-level component.
    child->refreshShowed();
    return child;
}

void Container::deleteComponent(Component* child) {
    if (removeComponent(child))
        delete child;
}

void Container::deleteAllComponents() {
    if (!children.empty())
        childrenChanging();
    while (!children.empty()) {
        Component* child = children.back();
        children.pop_back();
        ++removals;
        countSubtree(child, -1);
        extentStale();
        child->master = nullptr;
        masterChanged();
        // Gone with its master: it never becomes a top-level component on the way out.
        child->visible = false;
        delete child;
    }
}

void Container::countSubtree(const Component* child, int sign) {
    const Container* inner = child->asContainer();
    const int hearers = (child->hearsAll ? 1 : 0) + (inner ? inner->hearersBelow : 0);
    const int watched =
        (child->ownFlyby ? 1 : 0) + (child->flyby ? 1 : 0) + (inner ? inner->watchedBelow : 0);
    addBelow(this, sign * hearers, sign * watched);
}

void Container::addBelow(Container* from, int hearers, int watched) {
    if (hearers == 0 && watched == 0)
        return;
    for (Container* at = from; at; at = at->master) {
        at->hearersBelow += hearers;
        at->watchedBelow += watched;
    }
}

void Container::extentStale() {
    // A stale container's masters are stale already.
    for (Container* at = this; at && !at->coveredStale; at = at->master)
        at->coveredStale = true;
}

const Container::Extent& Container::extent() {
    if (!coveredStale)
        return covered;
    Extent all;
    for (Component* child : children) {
        all.add(child->x, child->y, child->x + child->width, child->y + child->height);
        // Asked of every container below, empty ones too: each one that is not stale then has
        // masters that are not stale either, so a change below always reaches this one.
        if (Container* inner = child->asContainer()) {
            const Extent& below = inner->extent();
            if (!below.empty)
                all.add(child->x + below.left, child->y + below.top, child->x + below.right,
                        child->y + below.bottom);
        }
    }
    covered = all;
    coveredStale = false;
    return covered;
}

void Container::sortChild(Component* child) {
    auto at = std::find(children.begin(), children.end(), child);
    if (at == children.end())
        return;
    childrenChanging();
    layoutChanged();
    children.erase(at);
    auto place = children.end();
    while (place != children.begin() && (*(place - 1))->getPriority() < child->getPriority())
        --place;
    children.insert(place, child);
}

void Container::setCycleDimention(bool on) {
    cycleDimension = on;
    if (on)
        repaint();
}

void Container::repaint() {
    Component::repaint();
    if (!cycleDimension)
        return;
    float right = 0, bottom = 0;
    for (const Component* child : children)
        if (child->getVisible()) {
            right = std::max(right, child->getXPosition() + child->getWidth());
            bottom = std::max(bottom, child->getYPosition() + child->getHeight());
        }
    setSize(right, bottom);
}

void Container::setAllVisible(bool on) {
    for (Component* child : snapshot())
        child->setAllVisible(on);
    setVisible(on);
}

void Container::refocus(Component** candidate) {
    Component::refocus(candidate);
    for (Component* child : children) {
        if (*candidate)
            return;
        child->refocus(candidate);
    }
}

void Container::updateResolution() {
    Component::updateResolution();
    for (Component* child : snapshot())
        child->updateResolution();
}

void Container::init() {
    if (children.empty())
        return; // a widget built from a layout: no copy of an empty list
    for (Component* child : snapshot())
        child->init();
}

void Container::term() {
    for (Component* child : snapshot())
        child->term();
}

namespace {
debug::Filter& layoutFilter() {
    static debug::Filter filter("ui", true);
    return filter;
}
} // namespace

void Container::readConfig(config::Block* block) {
    Component::readConfig(block);
    buildChildren(block);
    bool on = false;
    if (LayoutOptions::readBool(block, "visible", &on))
        setVisible(on);
}

void Container::buildChildren(config::Block* block) {
    // Most sub-blocks of a layout block are children: room for them at once when the container
    // is new (a container filled again grows as usual).
    if (children.empty())
        children.reserve(static_cast<size_t>(block->getBlockCount()));
    config::BlockEntry<config::Block*>* entry = nullptr;
    for (block->getProperties(&entry); entry; entry = entry->getNext()) {
        config::Block* childBlock = entry->getValue();
        // The child's options are all read from its block now: list them once.
        const LayoutOptions::BlockScope options(childBlock);
        std::string className;
        if (!LayoutOptions::readValue(childBlock, "class", &className))
            continue; // an option block of this component
        Component* child = getFactory()->createComponent(className);
        if (!child) {
            debug::Error error(LayoutOptions::placeOf(childBlock, "class"),
                               "unknown component class '" + className + "' for '" +
                                   entry->getName() + "': skipped");
            debug::report(layoutFilter(), error);
            continue;
        }
        child->setName(entry->getName());
        child->setLayoutSource(childBlock->getSourceFile(), entry->getLine());
        addComponent(child);
        child->readConfig(childBlock);
        // What a layout names is visible unless it says otherwise, once it is configured; a
        // "visible" that is no bool was reported and the default holds.
        const config::NameEntry* visible = LayoutOptions::findOption(childBlock, "visible");
        bool said = true;
        std::string scratch;
        if (!visible || config::Block::valueCount(*visible) != 1 ||
            !LayoutOptions::isBool(config::Block::valueAt(*visible, 0, scratch), &said))
            child->setVisible(true);
        child->init();
    }
}

void Container::processInputEvent(const counting_ptr<input::Event>& event) {
    // Children first, front-most first. An event reaches the children that were shown when it
    // arrived: a screen that one child opens does not also take the key that opened it, and a
    // child that left or was hidden during the walk is skipped.
    // A container is reached only when the event can concern it (see Concern): the children
    // that cannot act on it are passed over in deliver.
    const Component* target = ui ? ui->inputTarget(*event) : nullptr;
    if (!children.empty()) {
        Delivery delivery(*this);
        target = deliverHere(event, delivery, target);
    }
    // A container acts on an event only as its target (see Component::processInputEvent).
    if (target == this)
        Component::processInputEvent(event);
}

void Container::clean() {
    for (Component* child : snapshot())
        if (child->getMaster() == this)
            child->clean();
}

std::vector<Component*> Container::shownChildren() const {
    std::vector<Component*> shown;
    shown.reserve(children.size());
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->isShowed())
            shown.push_back(*it);
    return shown;
}

const Component* Container::childToward(const Component* target) const {
    while (target && target->master != this)
        target = target->master;
    return target;
}

namespace {
// The child of `from` on the way to `target`, along the UI's path to it (see UI::stepToward);
// taken at every level of every event, so kept where it can be inlined.
inline const Component* stepFrom(const Container& from, UI* ui, const Component* target) {
    return ui ? ui->stepToward(from, target) : nullptr;
}
} // namespace

inline const Component* Container::deliverHere(const counting_ptr<input::Event>& event,
                                               Delivery& delivery, const Component* target) {
    const Component* after = nullptr;
    if (!delivery.saved && hearersBelow == 0) {
        // Nothing below hears every event: only the child on the way to the component the event
        // is meant for can take it, and it is found without walking the others.
        Component* toward = const_cast<Component*>(stepFrom(*this, ui, target));
        if (!toward || !toward->showed)
            return target;
        toward->processInputEvent(event);
        // The others are asked only when its handlers moved the target or made a hearer.
        const Component* now = ui ? ui->inputTarget(*event) : nullptr;
        if (hearersBelow == 0 && now == target)
            return now;
        after = toward;
    }
    deliverToOthers(event, delivery, after);
    return ui ? ui->inputTarget(*event) : nullptr;
}

Container::Concern::Concern(const Container& master, const input::Event& event)
    : master(master), event(event) {}

bool Container::Concern::operator()(const Component* child) {
    if (child->hearsAll)
        return true;
    if (const Container* inner = child->asContainer(); inner && inner->hearersBelow > 0)
        return true;
    // The component the event is meant for is asked for each child: a handler may have moved
    // the focus since the last one.
    const Component* target = master.getUI() ? master.getUI()->inputTarget(event) : nullptr;
    if (target != lastTarget) {
        lastTarget = target;
        toward = stepFrom(master, master.getUI(), target);
    }
    return child == toward;
}

void Container::deliver(const counting_ptr<input::Event>& event,
                        const std::vector<Component*>& to) {
    Concern concerns(*this, *event);
    for (Component* child : to)
        if (std::find(children.begin(), children.end(), child) != children.end() &&
            child->isShowed() && concerns(child))
            child->processInputEvent(event);
}

void Container::childrenChanging() {
    for (Delivery* delivery = deliveries; delivery && !delivery->saved;
         delivery = delivery->outer) {
        // Once a delivery has saved its list, those around it have too.
        delivery->arrived.clear();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            if ((*it)->showed)
                delivery->arrived.push_back(*it);
        delivery->saved = true;
    }
}

Component* Container::nextArrived(Delivery& delivery, const Component* after) {
    const bool saved = delivery.saved;
    const std::vector<Component*>& list = saved ? delivery.arrived : children;
    const size_t count = list.size();
    // Unsaved, the children have not changed since the event arrived: walked from the back of
    // the list (the front-most), the shown ones are the list of then.
    const auto at = [&](size_t i) { return saved ? list[i] : list[count - 1 - i]; };
    size_t i = 0;
    if (after && delivery.at == after && delivery.atSaved == saved) {
        i = delivery.atIndex + 1;
    } else if (after) {
        while (i < count && at(i) != after)
            ++i;
        ++i;
    }
    for (; i < count; ++i) {
        Component* child = at(i);
        if (saved || child->showed) {
            delivery.at = child;
            delivery.atIndex = i;
            delivery.atSaved = saved;
            return child;
        }
    }
    return nullptr;
}

const Component* Container::deliver(const counting_ptr<input::Event>& event, Delivery& delivery,
                                    const Component* target) {
    return deliverHere(event, delivery, target);
}

void Container::deliverToOthers(const counting_ptr<input::Event>& event, Delivery& delivery,
                                const Component* after) {
    Concern concerns(*this, *event);
    while (Component* child = nextArrived(delivery, after)) {
        after = child;
        // A listed child is still a child, and alive, as long as none has left since the event
        // arrived; after a removal each one is looked up before it is touched.
        if (removals != delivery.removals &&
            std::find(children.begin(), children.end(), child) == children.end())
            continue;
        if (child->isShowed() && concerns(child))
            child->processInputEvent(event);
    }
}

} // namespace ui
