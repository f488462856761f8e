#pragma once

#include "host/HostApi.h"
#include "host/engine/ListSnapshot.h"
#include "host/ui/Component.h"

#include <vector>

namespace ui {

// A component with children, kept in drawing order (see Component::updatePriority). It owns
// its children: they are deleted with it or by deleteComponent.
class KEL_HOST_API Container : public Component {
public:
    explicit Container(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                       float height = 0);
    ~Container() override;

    std::string getClassName() const override { return "container"; }
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
    void processInputEvent(counting_ptr<input::Event> event) override;
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
    // The same without a list of its own: the shown children go into `out`, and the list comes
    // back to deliver with the removal count taken with it (getRemovalCount), so that while no
    // child has left, no child needs looking up.
    void listShownChildren(std::vector<Component*>& out) const;
    unsigned getRemovalCount() const { return removals; }
    void deliver(const counting_ptr<input::Event>& event, const std::vector<Component*>& to,
                 unsigned removalsWhenListed);

private:
    friend class Component;
    void sortChild(Component* child);

    std::vector<Component*> children; // owned
    unsigned removals = 0;            // children that left, ever: a list taken earlier is stale
    bool rich = true;
    bool cycleDimension = false;
};

} // namespace ui
