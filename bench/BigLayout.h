#pragma once

#include "host/ui/Container.h"

#include <string>

namespace bench {

// 20 screens of 49 widgets each, plus the screens: 1,000 components in all, of the classes a
// menu uses, each with a position, a size and the options of its class.
inline std::string bigLayout() {
    static const char* const widgets[] = {
        "class = textbutton; text = \"Play\"; font = first_blue",
        "class = checkbox; text = Music; value = true",
        "class = hslider; range = 0 10; value = 5",
        "class = spritetext; text = \"PLEASE WAIT\"; font = efirst_blue; align = centre",
        "class = editbox; text = Ole; maxLength = 12",
        "class = listbox; items = Lighthouse Watermill Garden",
        "class = ramka",
    };
    std::string text;
    for (int screen = 0; screen < 20; ++screen) {
        text += "screen" + std::to_string(screen) + " {\n  class = container; size = 640 480\n";
        for (int i = 0; i < 49; ++i)
            text += "  w" + std::to_string(i) + " { " + widgets[i % 7] +
                    "; position = " + std::to_string(i % 7 * 90) + " " +
                    std::to_string(i / 7 * 60) + "; size = 80 40; visible = true }\n";
        text += "  visible = true\n}\n";
    }
    return text;
}

// How many components hang below a container, at any depth.
inline int countBelow(const ui::Container* container) {
    int count = 0;
    for (const ui::Component* child : container->getChildren()) {
        ++count;
        if (const auto* inner = child->asContainer())
            count += countBelow(inner);
    }
    return count;
}

} // namespace bench
