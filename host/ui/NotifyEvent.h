#pragma once

#include "host/HostApi.h"
#include "host/config/Block.h"

#include <string>
#include <string_view>

namespace ui {

class Component;

// A notification from a component to its master: a property block that carries the sender's
// class name ("class") and name ("name") and whatever values the sender adds ("action", ...).
class KEL_HOST_API NotifyEvent : public config::Block {
public:
    explicit NotifyEvent(Component* sender);

    Component* getSender() const { return sender; }
    // Create or replace a property (a dotted key descends into sub-blocks, as setProperty's).
    void setSValue(std::string_view key, std::string_view value);
    void setBValue(std::string_view key, bool value);
    void setIValue(std::string_view key, int value);
    void setFValue(std::string_view key, float value);

    // Reads of a property of the notification itself (a name without dots), cheaper than
    // getProperty's: whether its first value is `value`, and that value copied into `out`
    // (left untouched, with false, when the property is missing or empty).
    bool is(std::string_view key, std::string_view value) const;
    bool read(std::string_view key, std::string* out) const;
    // The same first value without a copy: a view of the notification's own text, or of
    // `scratch` when the value has to be formatted; empty when the property is missing.
    std::string_view text(std::string_view key, std::string& scratch) const;

private:
    // The first property named `key`, or null.
    const config::NameEntry* find(std::string_view key) const;

    Component* sender; // not owned
};

} // namespace ui
