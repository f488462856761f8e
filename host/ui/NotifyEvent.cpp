#include "host/ui/NotifyEvent.h"
#include "host/config/TextStore.h"
#include "host/ui/Component.h"

#include <algorithm>
#include <charconv>

namespace ui {

// Every value is kept beside its entry in the block's own storage: a notification of a few
// properties costs no heap block, and no key or value is copied into a string on the way.
NotifyEvent::NotifyEvent(Component* sender) : sender(sender) {
    config::Reader::setValue(*this, "class", sender ? sender->getClassName() : std::string_view());
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
    // A notification holds a handful of short names: a walk beats any index, and lengths are
    // compared before any character.
    for (const config::NameEntry* entry = getFirstEntry(); entry; entry = entry->getNextEntry()) {
        const std::string& name = entry->getName();
        if (name.size() == key.size() && !entry->isBlock() &&
            std::equal(key.begin(), key.end(), name.begin()))
            return entry;
    }
    return nullptr;
}

std::string_view NotifyEvent::text(std::string_view key, std::string& scratch) const {
    const config::NameEntry* entry = find(key);
    if (!entry || config::Block::valueCount(*entry) == 0)
        return {};
    return config::Block::valueAt(*entry, 0, scratch);
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
