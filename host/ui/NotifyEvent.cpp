#include "host/ui/NotifyEvent.h"
#include "host/config/TextStore.h"
#include "host/ui/Component.h"

#include <charconv>

namespace ui {

// Every value is kept beside its entry in the block's own storage: a notification of a few
// properties costs no heap block, and no key or value is copied into a string on the way.
NotifyEvent::NotifyEvent(Component* sender) : sender(sender) {
    const std::string className = sender ? sender->getClassName() : std::string();
    config::Reader::setValue(*this, "class", className);
    if (sender)
        config::Reader::setValue(*this, "name", sender->getName());
}

void NotifyEvent::setSValue(std::string_view key, std::string_view value) {
    config::Reader::setValue(*this, key, value);
}

void NotifyEvent::setBValue(std::string_view key, bool value) {
    config::Reader::setValue(*this, key, value ? "true" : "false");
}

void NotifyEvent::setIValue(std::string_view key, int value) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    config::Reader::setValue(*this, key, std::string_view(text, end - text));
}

void NotifyEvent::setFValue(std::string_view key, float value) {
    setProperty(key, &value);
}

const config::NameEntry* NotifyEvent::find(std::string_view key) const {
    // A notification holds a handful of properties: a walk beats any index.
    for (const config::NameEntry* entry = getFirstEntry(); entry; entry = entry->getNextEntry())
        if (!entry->isBlock() && std::string_view(entry->getName()) == key)
            return entry;
    return nullptr;
}

bool NotifyEvent::is(std::string_view key, std::string_view value) const {
    const config::NameEntry* entry = find(key);
    if (!entry || config::Block::valueCount(*entry) == 0)
        return false;
    std::string scratch;
    return config::Block::valueAt(*entry, 0, scratch) == value;
}

bool NotifyEvent::read(std::string_view key, std::string* out) const {
    const config::NameEntry* entry = find(key);
    if (!entry || config::Block::valueCount(*entry) == 0)
        return false;
    std::string scratch;
    out->assign(config::Block::valueAt(*entry, 0, scratch));
    return true;
}

} // namespace ui
