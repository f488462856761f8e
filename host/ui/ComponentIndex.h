#pragma once

#include "host/HostApi.h"

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

class Component;
class Container;

// Every named component by name, so that a search for a descendant by name costs a hash look-up
// and a walk up the candidates' masters instead of a walk of the whole tree. It stays right as
// components are named, renamed, moved and deleted, and answers exactly what a depth-first
// search in child order would: the first of several same-named descendants in that order.
class KEL_HOST_API ComponentIndex {
public:
    static ComponentIndex& instance();

    void add(const std::string& name, Component* component);
    void remove(const std::string& name, Component* component);
    Component* firstBelow(const Container* root, const std::string& name) const;

private:
    // Whether `a` comes before `b` in a depth-first walk below `root`.
    static bool before(const Container* root, const Component* a, const Component* b);

    mutable std::mutex mutex;
    std::unordered_map<std::string, std::vector<Component*>> byName;
};

} // namespace ui
