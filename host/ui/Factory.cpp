#include "host/ui/Factory.h"
#include "host/ui/Container.h"
#include "host/ui/UI.h"

#include <functional>

namespace ui {

namespace {

struct ClassEntry {
    std::string name;
    std::function<Component*()> create;
};

// Every class the toolkit's factory makes, one line each.
const std::vector<ClassEntry>& classTable() {
    static const std::vector<ClassEntry> table = {
        {"container", [] { return new Container(theUI); }},
        {"component", [] { return new Component(theUI); }},
    };
    return table;
}

Factory toolkitFactory;
Factory* installed = nullptr;

} // namespace

Factory* getFactory() {
    return installed ? installed : &toolkitFactory;
}

void installFactory(Factory* factory) {
    installed = factory;
}

Component* Factory::createComponent(const std::string& className) {
    for (const auto& entry : classTable())
        if (entry.name == className)
            return entry.create();
    return nullptr;
}

const std::string* Factory::knownClasses(int* count) {
    static std::vector<std::string> names;
    if (names.empty())
        for (const auto& entry : classTable())
            names.push_back(entry.name);
    *count = static_cast<int>(names.size());
    return names.data();
}

Component* Factory::lookUp(const std::string& name, Container* parent, bool deep) {
    if (!parent)
        parent = theUI;
    if (!parent)
        return nullptr;
    return deep ? parent->getDescendant(name) : parent->getComponent(name);
}

bool Factory::getComponent(const std::string& name, Component** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Container** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

} // namespace ui
