#pragma once

#include "host/HostApi.h"
#include "host/engine/ListSnapshot.h"
#include "host/ui/Component.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <vector>

namespace ui {

// A rectangle around the pointer (screen units, half-open like Component::contains) in which
// every shown component lies wholly inside or wholly outside as it does for the pointer: while
// nothing in the tree changes, the fly-by and the component under the pointer are the same
// anywhere in it. A walk of the fly-by narrows it with each component it looks at.
struct FlybyArea {
    float left = -std::numeric_limits<float>::infinity();
    float top = -std::numeric_limits<float>::infinity();
    float right = std::numeric_limits<float>::infinity();
    float bottom = std::numeric_limits<float>::infinity();
    bool usable = true; // false: a component follows a rule of its own, nothing is known

    bool contains(float px, float py) const {
        return usable && px >= left && px < right && py >= top && py < bottom;
    }
    // (px, py) lies in the rectangle [l, r) x [t, b): so must the area.
    void inside(float l, float t, float r, float b) {
        left = std::max(left, l);
        top = std::max(top, t);
        right = std::min(right, r);
        bottom = std::min(bottom, b);
    }
    // (px, py) lies outside it: the area keeps to the pointer's side of one of its edges.
    void outside(float px, float py, float l, float t, float r, float b) {
        if (px < l)
            right = std::min(right, l);
        else if (px >= r)
            left = std::max(left, r);
        else if (py < t)
            bottom = std::min(bottom, t);
        else
            top = std::max(top, b);
    }
};

// A component with children, kept in drawing order (see Component::updatePriority). It owns
// its children: they are deleted with it or by deleteComponent.
class KEL_HOST_API Container : public Component {
public:
    explicit Container(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                       float height = 0);
    ~Container() override;

    std::string_view getClassName() const override { return "container"; }
    Container* asContainer() override { return this; }
    const Container* asContainer() const override { return this; }

    // The direct child of that name (the first one), or null.
    Component* getComponent(const std::string& childName) const;
    Component* getComponent(int index) const;
    Component* operator[](int index) const { return getComponent(index); }
    int getComponentsCount() const { return static_cast<int>(children.size()); }
    // The child after `current` in order; the first child for null; null after the last.
    Component* getNextComponent(const Component* current) const;
    // The first component of that name below this one, depth first in child order.
    Component* getDescendant(const std::string& descendantName) const;
    bool isAncestorOf(const Component* component) const;

    // Adds a child and takes ownership; with `first` it goes in front of its equal-priority
    // siblings' order instead of after them. A child of another master is moved here.
    virtual void addComponent(Component* child, bool first = false);
    // Detaches a child without deleting it; the caller owns it again.
    Component* removeComponent(Component* child);
    void deleteComponent(Component* child);
    void deleteAllComponents();

    void setAllVisible(bool visible) override;
    void refocus(Component** candidate) override;
    void updateResolution() override;
    void init() override;
    void term() override;
    // The component's options, then one child per sub-block that names a "class": the child is
    // created by the installed factory, named after its block, added, configured from its block
    // (and made visible then, unless the block says "visible = false") and initialised. Other
    // sub-blocks are options. An unknown class is reported with file and line and skipped. The
    // container's own "visible" is applied last, once its children exist.
    void readConfig(config::Block* block) override;
    void processInputEvent(const counting_ptr<input::Event>& event) override;
    void clean() override;

    const std::vector<Component*>& getChildren() const { return children; }

    // Whether the container keeps its rich content (full-size pictures) loaded. A host may drop
    // it while a screen waits behind a battle; the reference host keeps everything in memory and
    // only records the request.
    void setRich(bool on) { rich = on; }
    bool isRich() const { return rich; }

    // With the cycle-dimension flag the container's size follows its content: each repaint fits
    // it to the shown children (a pointer whose picture grows with an act's name).
    void setCycleDimention(bool on);
    bool getCycleDimention() const { return cycleDimension; }
    void repaint() override;

protected:
    // The children as they are now, for walks that may change the tree.
    ListSnapshot<Component*> snapshot() const { return ListSnapshot<Component*>(children); }
    // Creates the children a layout block describes (see readConfig).
    void buildChildren(config::Block* block);
    // The shown children, front-most first, and the delivery of an event to those of them that
    // are still children and shown.
    std::vector<Component*> shownChildren() const;
    void deliver(const counting_ptr<input::Event>& event, const std::vector<Component*>& to);

private:
    friend class Component;
    friend class UI;
    void sortChild(Component* child);
    // The counts below a child's subtree adds to its masters' (or takes away, with -1).
    void countSubtree(const Component* child, int sign);
    static void addBelow(Container* from, int hearers, int watched);
    // The child on the way down to `target` (the target itself when it is a child), or null
    // when the target is not below.
    const Component* childToward(const Component* target) const;
    // Counts every change of any component's master, in any tree: a path down the tree found
    // before the count last changed may be stale.
    static unsigned masterChanges() { return masterChangeCount.load(std::memory_order_relaxed); }
    static void masterChanged() {
        masterChangeCount.fetch_add(1, std::memory_order_relaxed);
        layoutChanged();
    }
    static std::atomic<unsigned> masterChangeCount;
    // Counts every change that can change a fly-by or the component under the pointer: a
    // master, a position or size, the shown or enabled state, the order of siblings, a fly-by
    // set, a rule of its own. A FlybyArea found before the count last changed may be stale.
    static unsigned layoutChanges() { return layoutChangeCount.load(std::memory_order_relaxed); }
    static void layoutChanged() { layoutChangeCount.fetch_add(1, std::memory_order_relaxed); }
    static std::atomic<unsigned> layoutChangeCount;
    // One event being handed to the children: it reaches those shown when it arrived. While
    // the children stay as they were, they are walked where they stand; the first change to
    // them (a child added, removed, reordered, shown or hidden) saves the list as it was for
    // every delivery under way, and the walk goes on in that list.
    struct Delivery {
        explicit Delivery(Container& to) : to(to), outer(to.deliveries), removals(to.removals) {
            to.deliveries = this;
        }
        ~Delivery() { to.deliveries = outer; }
        Delivery(const Delivery&) = delete;
        Delivery& operator=(const Delivery&) = delete;

        Container& to;
        Delivery* outer;      // an earlier delivery to the same container, still under way
        unsigned removals;    // the container's removal count when the event arrived
        bool saved = false;   // `arrived` holds the children shown then, front-most first
        bool atSaved = false; // `at` and `atIndex` are a place in `arrived`, not in children
        const Component* at = nullptr; // the child reached last and its index (front-most 0)
        size_t atIndex = 0;
        std::vector<Component*> arrived;
    };
    // Hands an event to the children it concerns, in the order they were shown when it arrived.
    // `target` is the component the event was meant for when it arrived; returns the one it is
    // meant for once the children had it. deliverHere is the same walk, compiled into the
    // container's processInputEvent, which every event runs at every level on its way down;
    // deliver is its copy for the UI.
    const Component* deliver(const counting_ptr<input::Event>& event, Delivery& delivery,
                             const Component* target);
    const Component* deliverHere(const counting_ptr<input::Event>& event, Delivery& delivery,
                                 const Component* target);
    // The children listed after `after` (all of them for null), each asked whether the event
    // concerns it.
    void deliverToOthers(const counting_ptr<input::Event>& event, Delivery& delivery,
                         const Component* after);
    // The child after `after` (the first for null) among those shown when the event arrived.
    Component* nextArrived(Delivery& delivery, const Component* after);
    // The children are about to change: deliveries under way keep the list they started with.
    void childrenChanging();
    // Whether an event can concern a child or what lies below it: the child hears every event,
    // holds one that does, or is on the way to the component the event is meant for.
    class Concern {
    public:
        Concern(const Container& master, const input::Event& event);
        bool operator()(const Component* child);

    private:
        const Container& master;
        const input::Event& event;
        const Component* lastTarget = nullptr;
        const Component* toward = nullptr;
    };
    // The rectangle covering every child and what lies below them, relative to this container
    // (children are not clipped to their master); recomputed when stale.
    struct Extent {
        float left = 0, top = 0, right = 0, bottom = 0;
        bool empty = true;
        bool contains(float px, float py) const {
            return !empty && px >= left && px < right && py >= top && py < bottom;
        }
        void add(float l, float t, float r, float b) {
            left = empty ? l : std::min(left, l);
            top = empty ? t : std::min(top, t);
            right = empty ? r : std::max(right, r);
            bottom = empty ? b : std::max(bottom, b);
            empty = false;
        }
    };
    const Extent& extent();
    void extentStale();

    std::vector<Component*> children; // owned
    unsigned removals = 0;            // children that left, ever: a list taken earlier is stale
    Delivery* deliveries = nullptr;   // the innermost event being handed to the children
    // Below this container (every depth): components that hear every event; and components
    // whose fly-by a pointer's move must recompute wherever it goes (flown over now, or with a
    // rule of their own). Delivery and the fly-by skip the children that have none and that the
    // event or the pointer cannot concern.
    int hearersBelow = 0;
    int watchedBelow = 0;
    Extent covered;
    bool coveredStale = true;
    bool rich = true;
    bool cycleDimension = false;
};

} // namespace ui
