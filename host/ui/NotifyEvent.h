#pragma once

#include "host/HostApi.h"
#include "host/config/Block.h"

#include <string>

namespace ui {

class Component;

// A notification from a component to its master: a property block that carries the sender's
// class name ("class") and name ("name") and whatever values the sender adds ("action", ...).
class KEL_HOST_API NotifyEvent : public config::Block {
public:
    explicit NotifyEvent(Component* sender);

    Component* getSender() const { return sender; }
    void setSValue(const std::string& key, const std::string& value);
    void setBValue(const std::string& key, bool value);
    void setIValue(const std::string& key, int value);
    void setFValue(const std::string& key, float value);

private:
    Component* sender; // not owned
};

} // namespace ui
