#pragma once

#include "ui/UiApi.h"

#include <set>
#include <string>
#include <vector>

namespace ui {
class Component;
class Container;
class UI;
} // namespace ui

namespace kel::ui {

// The screens the root and the accessor find by name, with the class each must have. A layout
// written by a modder may lack one or give it another class: the root checks them all once the
// layout is read, each lookup that later comes back empty is reported once (with the layout file
// of the place it was looked for), and the caller goes on without the screen.
class KEL_UI_API Screens {
public:
    struct Expected {
        const char* name;
        // Where it is looked for: "" a direct child of the root, "*" anywhere below the root,
        // else a direct child of that direct child of the root ("mainui", "commonui").
        const char* parent;
        // The factory's class name; a screen whose class this module cannot build yet is not
        // required.
        const char* className;
        bool (*fits)(const ::ui::Component*);
    };
    static const std::vector<Expected>& expected();

    // Reports every expected screen that the layout lacks or gives another class; the number of
    // problems. Run once the layout is read.
    int check(::ui::UI* root);
    // `name` was looked for in `where` (its layout file names the place) and not found, or not
    // with the class it needs: reported the first time only; `loss` says what goes without it.
    void reportMissing(const std::string& name, const ::ui::Component* where,
                       const std::string& loss);
    // A new layout: what was reported before may be reported again.
    void reset() { reported.clear(); }

private:
    std::set<std::string> reported; // screen names
};

} // namespace kel::ui
