#pragma once

#include <string>
#include <vector>

namespace ui {
class UI;
}

namespace kelplay {

// A rectangle of the overlay with the lines of its label.
struct OverlayBox {
    float x, y, width, height;
    std::vector<std::string> lines;
};

// Where a label goes: its top-left corner and its size.
struct OverlayLabel {
    float x, y, width, height;
};

// The label of each box, in the order of the boxes. Each goes at a corner of its box or just
// outside it, else down its left side, where it covers no label placed before it (smaller boxes
// choose first, they have the fewest places), so the names stay readable instead of piling up
// where many rectangles start. Labels stay on the screen.
std::vector<OverlayLabel> placeLabels(const std::vector<OverlayBox>& boxes, float screenWidth,
                                      float screenHeight);

// An SVG group that outlines and names every component `root` shows now; components sharing a
// rectangle share one outline and one label.
std::string renderOverlay(::ui::UI* root);

} // namespace kelplay
