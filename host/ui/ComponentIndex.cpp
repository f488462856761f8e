#include "host/ui/ComponentIndex.h"
#include "host/ui/Container.h"

#include <algorithm>

namespace ui {

ComponentIndex& ComponentIndex::instance() {
    static ComponentIndex index;
    return index;
}

void ComponentIndex::add(const std::string& name, Component* component) {
    std::lock_guard<std::mutex> guard(mutex);
    byName[name].push_back(component);
}

void ComponentIndex::remove(const std::string& name, Component* component) {
    std::lock_guard<std::mutex> guard(mutex);
    auto found = byName.find(name);
    if (found == byName.end())
        return;
    auto& list = found->second;
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
    if (list.empty())
        byName.erase(found);
}

Component* ComponentIndex::firstBelow(const Container* root, const std::string& name) const {
    std::lock_guard<std::mutex> guard(mutex);
    auto found = byName.find(name);
    if (found == byName.end())
        return nullptr;
    Component* best = nullptr;
    for (Component* candidate : found->second)
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
