#include "host/ui/Ramka.h"
#include "host/config/Block.h"
#include "host/ui/Canvas.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/Palette.h"
#include "host/ui/UI.h"

#include <algorithm>

namespace ui {

Ramka::Ramka(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height), border(Palette::frame),
      background(Palette::panel) {
    updatePriority(1);
}

void Ramka::readConfig(config::Block* block) {
    // Most frames keep the palette's look.
    static const LayoutOptions::OptionSet own{"color", "background", "thickness"};
    if (LayoutOptions::mayHaveAny(block, own)) {
        LayoutOptions::readColor(block, "color", &border);
        LayoutOptions::readColor(block, "background", &background);
        LayoutOptions::readNumber(block, "thickness", config::Range::atLeast(0), &thickness);
    }
    Component::readConfig(block);
}

void Ramka::paint(Canvas& canvas) const {
    const Canvas::Rect box{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()};
    canvas.fillRect(box, background, 6);
    canvas.strokeRect(box, border, thickness, 6);
    // A thin inner line and corner studs give the game's engraved look.
    const float inset = thickness + 3;
    if (box.width > 2 * inset && box.height > 2 * inset)
        canvas.strokeRect(
            {box.x + inset, box.y + inset, box.width - 2 * inset, box.height - 2 * inset},
            Palette::faded(border, 0.35f), 1, 4);
    const float stud = std::min(6.0f, std::min(box.width, box.height) / 4);
    for (int corner = 0; corner < 4; ++corner) {
        const float x = corner & 1 ? box.x + box.width - stud - 1 : box.x + 1;
        const float y = corner & 2 ? box.y + box.height - stud - 1 : box.y + 1;
        canvas.fillRect({x, y, stud, stud}, Palette::frameLight, 1);
    }
}

} // namespace ui
