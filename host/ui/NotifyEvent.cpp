#include "host/ui/NotifyEvent.h"
#include "host/ui/Component.h"

namespace ui {

NotifyEvent::NotifyEvent(Component* sender) : sender(sender) {
    const std::string className = sender ? sender->getClassName() : std::string();
    setProperty("class", &className);
    if (sender)
        setProperty("name", &sender->getName());
}

void NotifyEvent::setSValue(const std::string& key, const std::string& value) {
    setProperty(key, &value);
}

void NotifyEvent::setBValue(const std::string& key, bool value) {
    setProperty(key, &value);
}

void NotifyEvent::setIValue(const std::string& key, int value) {
    setProperty(key, &value);
}

void NotifyEvent::setFValue(const std::string& key, float value) {
    setProperty(key, &value);
}

} // namespace ui
