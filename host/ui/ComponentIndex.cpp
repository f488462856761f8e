#include "host/ui/ComponentIndex.h"
#include "host/ui/Container.h"

#include <algorithm>
#include <vector>

namespace ui {

ComponentIndex& ComponentIndex::instance() {
    static ComponentIndex index;
    return index;
}

void ComponentIndex::add(const std::string& name, Component* component) {
    std::lock_guard<std::mutex> guard(mutex);
    // Map nodes stay where they are when the map grows: the chain may point at the head.
    Component*& head = byName[name];
    component->nextNamed = head;
    if (head) {
        head->previousNamed = &component->nextNamed;
        head->firstNamed = false;
    }
    head = component;
    component->previousNamed = &head;
    component->firstNamed = true;
}

void ComponentIndex::remove(const std::string& name, Component* component) {
    std::lock_guard<std::mutex> guard(mutex);
    if (!component->previousNamed)
        return; // not listed
    Component* next = component->nextNamed;
    *component->previousNamed = next;
    if (next) {
        next->previousNamed = component->previousNamed;
        next->firstNamed = component->firstNamed;
    } else if (component->firstNamed) {
        byName.erase(name); // the last of its name
    }
    component->nextNamed = nullptr;
    component->previousNamed = nullptr;
    component->firstNamed = false;
}

Component* ComponentIndex::firstBelow(const Container* root, const std::string& name) const {
    std::lock_guard<std::mutex> guard(mutex);
    auto found = byName.find(name);
    if (found == byName.end())
        return nullptr;
    Component* best = nullptr;
    for (Component* candidate = found->second; candidate; candidate = candidate->nextNamed)
        if (root->isAncestorOf(candidate) && (!best || before(root, candidate, best)))
            best = candidate;
    return best;
}

bool ComponentIndex::before(const Container* root, const Component* a, const Component* b) {
    // The chains of masters from just below the root down to each component.
    auto chain = [root](const Component* c) {
        std::vector<const Component*> path;
        for (; c && c != root; c = c->getMaster())
            path.push_back(c);
        std::reverse(path.begin(), path.end());
        return path;
    };
    const auto pathA = chain(a), pathB = chain(b);
    size_t i = 0;
    while (i < pathA.size() && i < pathB.size() && pathA[i] == pathB[i])
        ++i;
    if (i == pathA.size())
        return true; // a is an ancestor of b: a depth-first walk meets it first
    if (i == pathB.size())
        return false;
    const auto& siblings = pathA[i]->getMaster()->getChildren();
    return std::find(siblings.begin(), siblings.end(), pathA[i]) <
           std::find(siblings.begin(), siblings.end(), pathB[i]);
}

} // namespace ui
