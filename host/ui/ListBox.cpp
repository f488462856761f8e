#include "host/ui/ListBox.h"
#include "host/config/Block.h"
#include "host/input/Keys.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Palette.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
// Room between the frame and the rows.
constexpr float kInset = 4.0f;
} // namespace

ListBox::ListBox(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setNotify(true);
    setFont("default");
}

void ListBox::setFont(const std::string& fontName) {
    font = getUI() ? getUI()->getFont(fontName) : nullptr;
    repaint();
}

float ListBox::rowHeight() const {
    return font ? font->getLineHeight() : 16.0f;
}

int ListBox::getVisibleRows() const {
    return std::max(1, static_cast<int>(std::floor((getHeight() - 2 * kInset) / rowHeight())));
}

int ListBox::addString(const std::string& text) {
    items.push_back(text);
    if (selected < 0)
        selected = 0;
    repaint();
    return getCount() - 1;
}

bool ListBox::removeString(const std::string& text) {
    const auto at = std::find(items.begin(), items.end(), text);
    if (at == items.end())
        return false;
    const int index = static_cast<int>(at - items.begin());
    items.erase(at);
    if (selected > index || selected >= getCount())
        --selected;
    if (items.empty())
        selected = -1;
    setTopItem(top);
    repaint();
    return true;
}

void ListBox::resetContent() {
    items.clear();
    selected = -1;
    top = 0;
    repaint();
}

const std::string& ListBox::getString(int index) const {
    static const std::string none;
    return index >= 0 && index < getCount() ? items[index] : none;
}

std::string ListBox::getSelectedString() const {
    return getString(selected);
}

bool ListBox::selectString(const std::string& text) {
    const auto at = std::find(items.begin(), items.end(), text);
    return at != items.end() && selectIndex(static_cast<int>(at - items.begin()));
}

bool ListBox::selectIndex(int index) {
    if (index < -1 || index >= getCount())
        return false;
    selected = index;
    scrollToSelection();
    repaint();
    return true;
}

void ListBox::setTopItem(int index) {
    const int last = std::max(0, getCount() - getVisibleRows());
    top = std::clamp(index, 0, last);
    repaint();
}

void ListBox::scrollToSelection() {
    if (selected < 0)
        return;
    if (selected < top)
        setTopItem(selected);
    else if (selected >= top + getVisibleRows())
        setTopItem(selected - getVisibleRows() + 1);
}

int ListBox::itemAt(float screenX, float screenY) const {
    if (!contains(screenX, screenY))
        return -1;
    const float offset = screenY - getAbsoluteY() - kInset;
    if (offset < 0)
        return -1;
    const int row = static_cast<int>(offset / rowHeight());
    if (row >= getVisibleRows())
        return -1;
    const int index = top + row;
    return index < getCount() ? index : -1;
}

void ListBox::choose(int index) {
    if (index < 0 || index >= getCount() || index == selected)
        return;
    selected = index;
    scrollToSelection();
    repaint();
    if (!getNotify())
        return;
    NotifyEvent event(this);
    event.setSValue("action", "selchanged");
    event.setSValue("value", items[selected]);
    event.setIValue("index", selected);
    notify(event);
}

void ListBox::onMouseButton(int code, bool pressed) {
    if (!pressed)
        return;
    if (code == input::mouse::WheelUp) {
        setTopItem(top - 1);
    } else if (code == input::mouse::WheelDown) {
        setTopItem(top + 1);
    } else if (code == input::mouse::LeftClick) {
        getUI()->setFocusedComponent(this);
        const MousePointer* pointer = getUI()->getMousePointer();
        choose(itemAt(pointer->getX(), pointer->getY()));
    }
}

void ListBox::onKey(int code, const std::string&, bool pressed) {
    if (!pressed || items.empty())
        return;
    if (code == input::keys::Up)
        choose(std::max(0, selected - 1));
    else if (code == input::keys::Down)
        choose(std::min(getCount() - 1, selected + 1));
}

void ListBox::updateFocused() {
    Component::updateFocused();
    repaint();
}

void ListBox::readConfig(config::Block* block) {
    std::string fontName;
    if (LayoutOptions::readValue(block, "font", &fontName)) {
        debug::ContextScope at(LayoutOptions::placeOf(block, "font"));
        setFont(fontName);
    }
    if (const config::NameEntry* items = LayoutOptions::findOption(block, "items")) {
        std::string scratch;
        const size_t count = config::Block::valueCount(*items);
        if (this->items.empty())
            this->items.reserve(count);
        for (size_t i = 0; i < count; ++i)
            addString(LayoutOptions::localise(
                std::string(config::Block::valueAt(*items, i, scratch)), block->getSourceFile(),
                items->getLine(), items->getColumn()));
    }
    int index = 0;
    if (LayoutOptions::readInt(block, "selected", config::Range::atLeast(0), &index) &&
        !selectIndex(index))
        LayoutOptions::report(block, "selected", "no item " + std::to_string(index));
    Component::readConfig(block);
}

void ListBox::paint(Canvas& canvas) const {
    const Canvas::Rect box{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()};
    canvas.fillRect(box, Palette::field, 3);
    canvas.strokeRect(box, isFocused() ? Palette::focus : Palette::frame, 1, 3);
    if (!font)
        return;
    const int rows = getVisibleRows();
    const bool scrolling = getCount() > rows;
    const float textWidth = box.width - 2 * kInset - (scrolling ? 8 : 0);
    for (int row = 0; row < rows && top + row < getCount(); ++row) {
        const int index = top + row;
        const float y = box.y + kInset + row * rowHeight();
        if (index == selected)
            canvas.fillRect({box.x + 2, y, box.width - 4 - (scrolling ? 8 : 0), rowHeight()},
                            Palette::selection, 2);
        TextLayout::paint(canvas, *font, {items[index]}, box.x + kInset + 2, y, textWidth,
                          TextLayout::Left, getEnabled() ? Palette::text : Palette::textDisabled);
    }
    if (scrolling) {
        // A scroll bar: the thumb's share of the track is the share of rows shown.
        const Canvas::Rect bar{box.x + box.width - 8, box.y + 2, 6, box.height - 4};
        canvas.fillRect(bar, Palette::track, 3);
        const float share = static_cast<float>(rows) / static_cast<float>(getCount());
        const float offset = static_cast<float>(top) / static_cast<float>(getCount());
        canvas.fillRect({bar.x, bar.y + offset * bar.height, bar.width, share * bar.height},
                        Palette::frame, 3);
    }
}

} // namespace ui
