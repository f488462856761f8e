#pragma once

#include "host/HostApi.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace ui {

class Component;
class Container;

// Every named component by name, so that a search for a descendant by name costs a hash look-up
// and a walk up the candidates' masters instead of a walk of the whole tree. It stays right as
// components are named, renamed, moved and deleted, and answers exactly what a depth-first
// search in child order would: the first of several same-named descendants in that order.
//
// The components of one name are chained through the components themselves, so that naming one
// allocates nothing once its name is known and forgetting one needs no look-up unless it was the
// last of its name: building and deleting a big layout does not pay a heap block per component.
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
    // The most recently named component of each name; the others follow it.
    std::unordered_map<std::string, Component*> byName;
};

} // namespace ui
